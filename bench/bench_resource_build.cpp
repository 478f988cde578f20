// The whole resource build of 1,000 pictures of 320 x 240 (PNG with and without alpha, BMP,
// JPEG; photo-like and flat artwork) with LZ4 compression, read against the floor of only
// decoding the same pictures on one thread (BM_DecodeFloor). Style generation is stood in
// for by a step that uses every picture: it is measured by bench_style_generation.
// On a shared machine compare medians: --benchmark_repetitions=5.

#include "generate/BuildStyleSteps.h"
#include "generate/ResourceBuild.h"
#include "model/APStyleProject.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"

#include <benchmark/benchmark.h>
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kPictures = 1000;
constexpr int kWidth = 320;
constexpr int kHeight = 240;

// Smooth shading with sensor-like noise: what photographs give the codecs.
std::vector<unsigned char> photo(int seed, bool alpha)
{
    std::mt19937 noise(static_cast<unsigned>(seed));
    std::vector<unsigned char> px;
    px.reserve(kWidth * kHeight * 4);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int n = static_cast<int>(noise() % 9) - 4;
            const auto c = [n](int v) {
                return static_cast<unsigned char>(std::clamp(v + n, 0, 255));
            };
            px.insert(px.end(), {c((x + seed * 7) % 256), c((y * 2 + seed) % 256),
                                 c((x + y + seed * 3) / 3 % 256),
                                 static_cast<unsigned char>(alpha ? (x * 255 / kWidth) : 255)});
        }
    }
    return px;
}

// Flat areas, bands and a few edges: icons and backgrounds drawn by hand.
std::vector<unsigned char> artwork(int seed, bool alpha)
{
    std::vector<unsigned char> px;
    px.reserve(kWidth * kHeight * 4);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool band = ((x + seed) / 40 + y / 30) % 2 == 0;
            const bool inside = (x - 160) * (x - 160) + (y - 120) * (y - 120) < 90 * 90;
            px.insert(px.end(), {static_cast<unsigned char>(band ? 230 : 30),
                                 static_cast<unsigned char>(inside ? 180 : 60),
                                 static_cast<unsigned char>(seed * 13 % 256),
                                 static_cast<unsigned char>(alpha && !inside ? 0 : 255)});
        }
    }
    return px;
}

// Writes picture `i` into `dir`; the kinds and contents rotate.
std::string writePicture(const std::string& dir, int i)
{
    const bool flat = i % 2 == 0;
    const std::string base = dir + "/p" + std::to_string(i);
    switch (i % 4) {
    case 0: { // PNG with alpha
        const auto px = flat ? artwork(i, true) : photo(i, true);
        stbi_write_png((base + ".png").c_str(), kWidth, kHeight, 4, px.data(), kWidth * 4);
        return base + ".png";
    }
    case 1: { // PNG without alpha
        const auto px = flat ? artwork(i, false) : photo(i, false);
        stbi_write_png((base + ".png").c_str(), kWidth, kHeight, 4, px.data(), kWidth * 4);
        return base + ".png";
    }
    case 2: { // BMP
        const auto px = flat ? artwork(i, false) : photo(i, false);
        stbi_write_bmp((base + ".bmp").c_str(), kWidth, kHeight, 4, px.data());
        return base + ".bmp";
    }
    default: { // JPEG
        const auto px = flat ? artwork(i, false) : photo(i, false);
        stbi_write_jpg((base + ".jpg").c_str(), kWidth, kHeight, 4, px.data(), 85);
        return base + ".jpg";
    }
    }
}

struct PictureSet
{
    PictureSet()
    {
        platform::createDirectories(dir.filePath("case/pics"));
        for (int i = 0; i < kPictures; ++i) {
            paths.push_back(writePicture(dir.filePath("case/pics"), i));
        }
    }
    platform::TemporaryDirectory dir{"bench-resbuild"};
    std::vector<std::string> paths;
};

const PictureSet& pictureSet()
{
    static const PictureSet set;
    return set;
}

class AllPictures : public generate::BuildStyleSteps
{
public:
    explicit AllPictures(APStyleProject& project) : m_project(project) {}
    bool generateStyle(bool) override
    {
        m_project.UsedPictures().resize(m_project.Pictures().Size());
        std::iota(m_project.UsedPictures().begin(), m_project.UsedPictures().end(), 0u);
        return true;
    }
    bool writeLanguageCharacterSets(const std::string&, std::size_t) override { return true; }
    bool runStyleConverter(const std::string&) override { return true; }
    bool writeDesktopFile() override { return true; }

private:
    APStyleProject& m_project;
};

void BM_DecodeFloor(benchmark::State& state)
{
    const PictureSet& set = pictureSet();
    for (auto _ : state) {
        for (const std::string& path : set.paths) {
            const std::string bytes = platform::readFile(path).value_or(std::string());
            int w = 0, h = 0, n = 0;
            stbi_image_free(stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                                  static_cast<int>(bytes.size()), &w, &h, &n, 4));
        }
    }
    state.SetItemsProcessed(state.iterations() * kPictures);
}
BENCHMARK(BM_DecodeFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_ResourceBuild(benchmark::State& state)
{
    const PictureSet& set = pictureSet();
    const std::string root = set.dir.path();
    APStyleProject project;
    project.SetName("bench");
    project.SetProjectDir(root);
    project.SetCaseDir(root + "/case");
    project.SetResourceFile(root + "/case/out/bench.res");
    project.SetStringDir(root + "/case/out/");
    project.SetPictureHeader(root + "/inc/pic.h");
    project.SetStringHeader(root + "/inc/str.h");
    for (const std::string& path : set.paths) {
        project.AddPicture(path, 1);
    }
    platform::ScriptedInteraction quiet;
    platform::ScopedInteraction scope(quiet);
    AllPictures style(project);
    generate::ResourceBuildOptions options;
    options.format = 1; // ARGB565
    options.compress = true;
    options.compressType = 2; // LZ4
    for (auto _ : state) {
        generate::ResourceBuild build(project, style, options);
        if (build.run() != generate::ResourceBuild::Outcome::Built) {
            state.SkipWithError("the build stopped");
            return;
        }
    }
    const double raw = double{kPictures} * kWidth * kHeight * 4;
    const double output =
        static_cast<double>(platform::fileSize(project.ResourceFile()).value_or(0));
    state.counters["output_MB"] = output / 1e6;
    state.counters["raw_RGBA_MB"] = raw / 1e6;
    state.counters["output_per_raw"] = output / raw;
    state.SetItemsProcessed(state.iterations() * kPictures);
}
BENCHMARK(BM_ResourceBuild)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

BENCHMARK_MAIN();
