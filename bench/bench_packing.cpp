// Packing speed, read against the floor of only decoding the same pictures:
// BM_PackPictures / BM_DecodeFloor is the cost of conversion, compression and
// writing on top of the decode that any packer must do. On a shared machine
// compare the medians of --benchmark_repetitions=3.

#include "components/packing/CZorRes.h"
#include "components/packing/DazOR4.h"

#include <benchmark/benchmark.h>
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kPictures = 64;

struct TempFolder
{
    TempFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "bench-packing-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
    std::string path;
};

// Writes the test pictures once, into a folder removed at exit.
const std::vector<std::string>& pictures()
{
    static const TempFolder folder;
    const std::string& dir = folder.path;
    static std::vector<std::string> paths;
    if (paths.empty()) {
        for (int i = 0; i < kPictures; ++i) {
            std::vector<unsigned char> px;
            for (int p = 0; p < 160 * 120; ++p) {
                const int x = p % 160;
                const int y = p / 160;
                px.insert(px.end(), {static_cast<unsigned char>((x / 8 + i) * 16),
                                     static_cast<unsigned char>(y * 2), 90,
                                     static_cast<unsigned char>(x < 20 ? x * 12 : 255)});
            }
            paths.push_back(dir + "/p" + std::to_string(i) + ".png");
            stbi_write_png(paths.back().c_str(), 160, 120, 4, px.data(), 160 * 4);
        }
    }
    return paths;
}

void BM_DecodeFloor(benchmark::State& state)
{
    for (auto _ : state) {
        for (const std::string& path : pictures()) {
            std::ifstream in(path, std::ios::binary);
            const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                                   std::istreambuf_iterator<char>());
            int w = 0, h = 0, n = 0;
            stbi_image_free(
                stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &w, &h, &n, 4));
        }
    }
    state.SetItemsProcessed(state.iterations() * kPictures);
}
BENCHMARK(BM_DecodeFloor)->Unit(benchmark::kMillisecond);

void BM_PackPictures(benchmark::State& state)
{
    std::vector<packing::PictureRequest> requests;
    for (const std::string& path : pictures()) {
        packing::PictureRequest r;
        r.name = "PIC" + std::to_string(requests.size() + 1);
        r.path = path;
        r.compress = 1;
        r.format = PIC_RES_ARGB565;
        requests.push_back(r);
    }
    const std::string out =
        (std::filesystem::path(pictures().front()).parent_path() / "out.res").string();
    for (auto _ : state) {
        CZorRes packer;
        packer.SetThreadCount(static_cast<unsigned>(state.range(0)));
        packer.SetHDBufMode(static_cast<int>(state.range(1)));
        packer.AddPictures(requests);
        packer.SaveFile(out, 0, 2, 32, 32);
        DazOR4 compressor;
        compressor.SetThreadCount(static_cast<unsigned>(state.range(0)));
        compressor.res_pic_compress(out, out, true);
    }
    state.SetItemsProcessed(state.iterations() * kPictures);
}
// Arguments: worker threads, buffer mode (1 keeps the converted pictures in a
// temporary file, as the resource build does; 0 in memory).
BENCHMARK(BM_PackPictures)
    ->ArgNames({"threads", "disk"})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({1, 1})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
