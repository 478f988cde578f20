// Rebuilds through the picture cache against a clean build of the same 1,000 pictures of
// 320 x 240 (PNG with and without alpha, BMP, JPEG; photo-like and flat artwork), measured
// back to back in each of three rounds: a rebuild with nothing changed, the first rebuild after
// a single picture changed, and the next one after another change, as an edit-build cycle goes
// on (each after a build through the cache), in ARGB8888 with LZ4 (argument 0) and RGB565
// uncompressed (1). The changed picture is the first, so that every later entry moves when its
// size changes. Read the medians of the ratios (*_per_clean); *_min and *_max give their
// spread.

#include "generate/ResourceBuild.h"
#include "platform/AllocatorTuning.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"
#include "support/PictureSetProject.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kRounds = 3;

int pictureCount()
{
    const char* count = std::getenv("SKINSMITH_BENCH_PICTURES");
    return count != nullptr && std::atoi(count) > 0 ? std::atoi(count) : 1000;
}

struct PictureSet
{
    platform::TemporaryDirectory dir{"bench-cache"};
    testsupport::PictureSetProject pictures{dir.path(), "bench", pictureCount(), kWidth, kHeight};
};

PictureSet& pictureSet()
{
    static PictureSet set;
    return set;
}

double buildSeconds(PictureSet& set, const generate::ResourceBuildOptions& options)
{
    platform::ScriptedInteraction quiet;
    platform::ScopedInteraction scope(quiet);
    const auto start = std::chrono::steady_clock::now();
    generate::ResourceBuild build(set.pictures.project(), set.pictures.style(), options);
    const bool built = build.run() == generate::ResourceBuild::Outcome::Built;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return built ? seconds : -1;
}

// Gives the first picture other pixels (a photo-like PNG), which no picture of the set has.
void changeOnePicture(PictureSet& set, int change)
{
    const std::string scratch = set.dir.filePath("changed");
    platform::createDirectories(scratch);
    const std::string made = testsupport::PictureSetProject::writePicture(
        scratch, 4 * (pictureCount() + change + 1) + 1, kWidth, kHeight);
    platform::writeFileAtomically(set.pictures.paths()[0],
                                  platform::readFile(made).value_or(std::string()));
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void BM_CachedRebuildPerClean(benchmark::State& state)
{
    PictureSet& set = pictureSet();
    generate::ResourceBuildOptions options;
    const bool argb = state.range(0) == 0;
    options.format = argb ? 3 : 0;
    options.compress = argb;
    options.compressType = 2; // LZ4
    options.cacheDirectory = set.dir.filePath(argb ? "cache-argb" : "cache-rgb");
    generate::ResourceBuildOptions clean = options;
    clean.useCache = false;
    generate::ResourceBuildOptions cached = options;
    cached.useCache = true;

    std::vector<double> cleanMs, unchangedRatio, firstChangedRatio, changedRatio;
    for (auto _ : state) {
        if (buildSeconds(set, cached) < 0) { // fills the cache
            state.SkipWithError("the build stopped");
            return;
        }
        // The pictures' stamps are trusted once they are two seconds old.
        std::this_thread::sleep_for(std::chrono::seconds(2));
        if (buildSeconds(set, cached) < 0) {
            state.SkipWithError("the build stopped");
            return;
        }
        for (int round = 0; round < kRounds; ++round) {
            const double cleanSeconds = buildSeconds(set, clean);
            // The rebuild follows a build through the cache, as an edit-build cycle does.
            const double refill = buildSeconds(set, cached);
            const double unchanged = buildSeconds(set, cached);
            changeOnePicture(set, 2 * round);
            const double firstChanged = buildSeconds(set, cached);
            changeOnePicture(set, 2 * round + 1);
            const double changed = buildSeconds(set, cached);
            if (cleanSeconds < 0 || refill < 0 || unchanged < 0 || firstChanged < 0 ||
                changed < 0) {
                state.SkipWithError("the build stopped");
                return;
            }
            cleanMs.push_back(cleanSeconds * 1e3);
            unchangedRatio.push_back(unchanged / cleanSeconds);
            firstChangedRatio.push_back(firstChanged / cleanSeconds);
            changedRatio.push_back(changed / cleanSeconds);
        }
    }
    state.counters["clean_ms"] = median(cleanMs);
    state.counters["unchanged_per_clean"] = median(unchangedRatio);
    state.counters["unchanged_min"] =
        *std::min_element(unchangedRatio.begin(), unchangedRatio.end());
    state.counters["unchanged_max"] =
        *std::max_element(unchangedRatio.begin(), unchangedRatio.end());
    state.counters["first_changed_per_clean"] = median(firstChangedRatio);
    state.counters["first_changed_max"] =
        *std::max_element(firstChangedRatio.begin(), firstChangedRatio.end());
    state.counters["one_changed_per_clean"] = median(changedRatio);
    state.counters["one_changed_min"] = *std::min_element(changedRatio.begin(), changedRatio.end());
    state.counters["one_changed_max"] = *std::max_element(changedRatio.begin(), changedRatio.end());
}
BENCHMARK(BM_CachedRebuildPerClean)
    ->Name("BM_CachedRebuildPerClean/argb8888_lz4")
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(BM_CachedRebuildPerClean)
    ->Name("BM_CachedRebuildPerClean/rgb565_raw")
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

} // namespace

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
