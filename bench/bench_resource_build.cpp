// The whole resource build of 1,000 pictures of 320 x 240 (PNG with and without alpha, BMP,
// JPEG; photo-like and flat artwork) with LZ4 compression, read against the floor of only
// decoding the same pictures on one thread (BM_DecodeFloor). Style generation is stood in
// for by a step that uses every picture: it is measured by bench_style_generation.
// On a shared machine compare medians (--benchmark_repetitions=5) and the CPU column, which
// counts every thread of the process.

#include "generate/ResourceBuild.h"
#include "platform/AllocatorTuning.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"
#include "support/PictureSetProject.h"

#include <benchmark/benchmark.h>
#include <stb/stb_image.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

// 1,000 pictures; SKINSMITH_BENCH_PICTURES sets fewer for runs under callgrind.
int pictureCount()
{
    const char* count = std::getenv("SKINSMITH_BENCH_PICTURES");
    return count != nullptr && std::atoi(count) > 0 ? std::atoi(count) : 1000;
}

struct PictureSet
{
    platform::TemporaryDirectory dir{"bench-resbuild"};
    testsupport::PictureSetProject pictures{dir.path(), "bench", pictureCount(), kWidth, kHeight};
};

PictureSet& pictureSet()
{
    static PictureSet set;
    return set;
}

// Decodes every `step`-th picture from `first` on.
void decodeAll(const PictureSet& set, std::size_t first = 0, std::size_t step = 1)
{
    const std::vector<std::string>& paths = set.pictures.paths();
    for (std::size_t i = first; i < paths.size(); i += step) {
        const std::string bytes = platform::readFile(paths[i]).value_or(std::string());
        int w = 0, h = 0, n = 0;
        stbi_image_free(stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                              static_cast<int>(bytes.size()), &w, &h, &n, 4));
    }
}

// Only decoding, on two threads: what two cores of this machine make of the floor's work
// when both are busy (shared hosts often clock a core down when its neighbour works).
void decodeOnTwoThreads(const PictureSet& set)
{
    std::thread second([&set] { decodeAll(set, 1, 2); });
    decodeAll(set, 0, 2);
    second.join();
}

bool buildAll(PictureSet& set)
{
    platform::ScriptedInteraction quiet;
    platform::ScopedInteraction scope(quiet);
    generate::ResourceBuildOptions options;
    options.packingThreads = 2; // the two cores the target is set for, on any machine
    options.format = 1; // ARGB565
    options.compress = true;
    options.compressType = 2; // LZ4
    generate::ResourceBuild build(set.pictures.project(), set.pictures.style(), options);
    return build.run() == generate::ResourceBuild::Outcome::Built;
}

void BM_DecodeFloor(benchmark::State& state)
{
    const PictureSet& set = pictureSet();
    for (auto _ : state) {
        decodeAll(set);
    }
    state.SetItemsProcessed(state.iterations() * pictureCount());
}
BENCHMARK(BM_DecodeFloor)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(1);

void BM_ResourceBuild(benchmark::State& state)
{
    PictureSet& set = pictureSet();
    APStyleProject& project = set.pictures.project();
    for (auto _ : state) {
        if (!buildAll(set)) {
            state.SkipWithError("the build stopped");
            return;
        }
    }
    const double raw = double(pictureCount()) * kWidth * kHeight * 4;
    const double output =
        static_cast<double>(platform::fileSize(project.ResourceFile()).value_or(0));
    state.counters["output_MB"] = output / 1e6;
    state.counters["raw_RGBA_MB"] = raw / 1e6;
    state.counters["output_per_raw"] = output / raw;
    state.SetItemsProcessed(state.iterations() * pictureCount());
}
BENCHMARK(BM_ResourceBuild)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(1);

// The floor and the build back to back in each repetition, so that the machine's speed,
// which drifts over minutes on shared hosts, is the same for both: build_per_floor is the
// figure to read (its median over --benchmark_repetitions). two_thread_decode_per_floor is
// the least a build on two cores could reach on this machine.
void BM_BuildPerFloor(benchmark::State& state)
{
    PictureSet& set = pictureSet();
    using Clock = std::chrono::steady_clock;
    const auto seconds = [](Clock::time_point from, Clock::time_point to) {
        return std::chrono::duration<double>(to - from).count();
    };
    double floorSeconds = 0;
    double twoThreadSeconds = 0;
    double buildSeconds = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        decodeAll(set);
        const Clock::time_point decoded = Clock::now();
        decodeOnTwoThreads(set);
        const Clock::time_point decodedTwice = Clock::now();
        if (!buildAll(set)) {
            state.SkipWithError("the build stopped");
            return;
        }
        floorSeconds += seconds(start, decoded);
        twoThreadSeconds += seconds(decoded, decodedTwice);
        buildSeconds += seconds(decodedTwice, Clock::now());
    }
    state.counters["floor_ms"] = floorSeconds * 1e3;
    state.counters["build_ms"] = buildSeconds * 1e3;
    state.counters["build_per_floor"] = buildSeconds / floorSeconds;
    state.counters["two_thread_decode_per_floor"] = twoThreadSeconds / floorSeconds;
}
BENCHMARK(BM_BuildPerFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

// Starts as skinsmith-cli does, so the build runs with the allocator settings it has there.
int main(int argc, char** argv)
{
    platform::tuneAllocatorForBatchWork();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
