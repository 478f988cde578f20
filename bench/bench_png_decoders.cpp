// PNG decoders side by side, each against stb_image (the floor: what decoded every PNG of a
// build before) on the same files in the same run: libpng, libspng where they are installed,
// and our reader over libdeflate. Two sets of bench pictures of 320 x 240 (flat artwork with
// alpha, photo-like), and 96 x 96 icons of every kind of PNG (colour type, bit depth,
// interlacing, transparency chunk). Each counter <decoder>_per_stb is that decoder's time over
// stb_image's (median of the rounds, decoders taking turns within each round);
// <decoder>_same says whether its RGBA pixels equal stb_image's (libpng and libspng convert
// 16-bit samples otherwise).

#include "components/imaging/PngReader.h"
#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"
#include "support/PictureSetProject.h"
#include "support/PngKinds.h"

#include <benchmark/benchmark.h>
#include <stb/stb_image.h>
#ifdef SKINSMITH_BENCH_LIBPNG
#include <png.h>
#endif
#ifdef SKINSMITH_BENCH_SPNG
#include <spng.h>
#endif

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace {

using Pixels = std::vector<std::uint8_t>;
using Files = std::vector<std::string>;
// Decodes one file to RGBA; false when it cannot.
using Decoder = std::function<bool(const std::string&, Pixels&)>;

const std::uint8_t* bytesOf(const std::string& s)
{
    return reinterpret_cast<const std::uint8_t*>(s.data());
}

bool decodeStb(const std::string& file, Pixels& out)
{
    int w = 0, h = 0, n = 0;
    stbi_uc* p = stbi_load_from_memory(bytesOf(file), static_cast<int>(file.size()), &w, &h, &n, 4);
    if (p == nullptr) {
        return false;
    }
    out.assign(p, p + std::size_t(w) * h * 4);
    stbi_image_free(p);
    return true;
}

bool decodeOwn(const std::string& file, Pixels& out)
{
    static imaging::PngReader reader;
    if (reader.decode(bytesOf(file), file.size(), 0xFFFF, std::size_t{1} << 26) !=
        imaging::PngReader::Outcome::Decoded) {
        return false;
    }
    out.assign(reader.pixels(), reader.pixels() + reader.width() * reader.height() * 4);
    return true;
}

#ifdef SKINSMITH_BENCH_LIBPNG
bool decodeLibpng(const std::string& file, Pixels& out)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, file.data(), file.size()) == 0) {
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    out.resize(PNG_IMAGE_SIZE(image));
    const bool ok = png_image_finish_read(&image, nullptr, out.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}
#endif

#ifdef SKINSMITH_BENCH_SPNG
bool decodeSpng(const std::string& file, Pixels& out)
{
    spng_ctx* ctx = spng_ctx_new(0);
    std::size_t size = 0;
    bool ok = ctx != nullptr && spng_set_png_buffer(ctx, file.data(), file.size()) == 0 &&
              spng_decoded_image_size(ctx, SPNG_FMT_RGBA8, &size) == 0;
    if (ok) {
        out.resize(size);
        ok = spng_decode_image(ctx, out.data(), size, SPNG_FMT_RGBA8, SPNG_DECODE_TRNS) == 0;
    }
    spng_ctx_free(ctx);
    return ok;
}
#endif

struct Named
{
    const char* name;
    Decoder decode;
};

std::vector<Named> decoders()
{
    std::vector<Named> list = {{"stb", decodeStb}, {"own", decodeOwn}};
#ifdef SKINSMITH_BENCH_LIBPNG
    list.push_back({"libpng", decodeLibpng});
#endif
#ifdef SKINSMITH_BENCH_SPNG
    list.push_back({"spng", decodeSpng});
#endif
    return list;
}

// The bench pictures: PNGs of the build benchmark's picture set, UI-like (kind 0: flat
// artwork with alpha) or photo-like (kind 1).
Files benchPictures(int kind, int count)
{
    platform::TemporaryDirectory dir("bench-png");
    Files files;
    for (int i = 0; i < count; ++i) {
        const std::string path =
            testsupport::PictureSetProject::writePicture(dir.path(), i * 4 + kind, 320, 240);
        files.push_back(platform::readFile(path).value_or(std::string()));
    }
    return files;
}

Files iconsOf(const testsupport::PngKind& kind, int count)
{
    Files files;
    for (int i = 0; i < count; ++i) {
        files.push_back(testsupport::PngKinds::make(kind, 96, 96, static_cast<unsigned>(i + 1)));
    }
    return files;
}

double secondsFor(const Decoder& decode, const Files& files, Pixels& scratch)
{
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& file : files) {
        benchmark::DoNotOptimize(decode(file, scratch));
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void measure(benchmark::State& state, const Files& files, int rounds)
{
    const std::vector<Named> list = decoders();
    std::vector<std::vector<double>> times(list.size());
    Pixels scratch;
    for (auto _ : state) {
        for (int round = 0; round < rounds; ++round) {
            for (std::size_t d = 0; d < list.size(); ++d) {
                times[d].push_back(secondsFor(list[d].decode, files, scratch));
            }
        }
    }
    const auto median = [](std::vector<double> v) {
        std::nth_element(v.begin(), v.begin() + long(v.size() / 2), v.end());
        return v[v.size() / 2];
    };
    const double floor = median(times[0]);
    state.counters["stb_ms"] = floor * 1e3;
    for (std::size_t d = 1; d < list.size(); ++d) {
        state.counters[std::string(list[d].name) + "_per_stb"] = median(times[d]) / floor;
        bool same = true;
        Pixels expected;
        Pixels got;
        for (const std::string& file : files) {
            same =
                same && decodeStb(file, expected) && list[d].decode(file, got) && got == expected;
        }
        state.counters[std::string(list[d].name) + "_same"] = same ? 1 : 0;
    }
}

void BM_BenchPictures(benchmark::State& state)
{
    const Files files = benchPictures(static_cast<int>(state.range(0)), 40);
    state.SetLabel(state.range(0) == 0 ? "UI-like, RGBA" : "photo-like");
    measure(state, files, 5);
}
BENCHMARK(BM_BenchPictures)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PngKinds(benchmark::State& state)
{
    const testsupport::PngKind kind =
        testsupport::PngKinds::all()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(kind.name());
    measure(state, iconsOf(kind, 20), 5);
}
BENCHMARK(BM_PngKinds)
    ->DenseRange(0, static_cast<int>(testsupport::PngKinds::all().size()) - 1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

BENCHMARK_MAIN();
