// resBuildApp over an apps directory of 8 projects, read against the floor of building the same
// 8 projects one after another with skinsmith-cli build, both in this run. Each project is a copy
// of the example with its pictures replaced by larger generated ones (photo-like and flat artwork;
// PNG, BMP and JPEG as in the example), so that one build takes two to three hundred milliseconds
// and the process start-up does not dominate. BM_BatchBuild reports `ratio_to_sequential`, its time
// over the floor's; with two cores free it should be at most 0.6. Run with the default 3
// repetitions and read the median row.

#include "platform/ChildProcess.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"
#include "platform/TemporaryDirectory.h"
#include "support/PictureSetProject.h"

#include <benchmark/benchmark.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kProjects = 8;

// How much larger than in the example each picture side is; SKINSMITH_BENCH_SCALE overrides.
// At 5 a build takes about 100 ms, most of it packing pictures, which a single build spreads
// over every core itself; the batch gains by running whole builds side by side, each packing
// on one thread. Smaller pictures leave process start and project loading as most of the
// work (scale 3 gives about 0.62).
int scale()
{
    const char* value = std::getenv("SKINSMITH_BENCH_SCALE");
    return value != nullptr && std::atoi(value) > 0 ? std::atoi(value) : 5;
}

// Overwrites the picture at `path` with a generated one `factor` times its size, in its own
// format. The kind of picture follows its extension, like the test picture set's rotation.
void enlarge(const fs::path& path, int factor, int seed)
{
    int width = 0;
    int height = 0;
    int channels = 0;
    if (stbi_info(path.string().c_str(), &width, &height, &channels) == 0) {
        return;
    }
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
    // writePicture's kinds: index % 4 is 0 PNG with alpha, 1 PNG, 2 BMP, 3 JPEG; odd indexes
    // are photo-like.
    int index = extension == ".bmp" ? 2 : extension == ".jpg" ? 3 : channels == 4 ? 0 : 1;
    index += 4 * seed;
    const fs::path scratch = path.parent_path() / "generated";
    fs::create_directories(scratch);
    const std::string written = testsupport::PictureSetProject::writePicture(
        scratch.string(), index, width * factor, height * factor);
    fs::rename(written, path);
    fs::remove_all(scratch);
}

struct AppsDirectory
{
    platform::TemporaryDirectory dir{"bench-batchbuild"};
    std::vector<std::string> projects;

    AppsDirectory()
    {
        const fs::path demo = fs::path(SKINSMITH_SOURCE_DIR) / "examples/demo";
        for (int i = 0; i < kProjects; ++i) {
            // Nested as in an SDK tree: two groups of four.
            const fs::path to = fs::path(dir.filePath("apps")) / ("group" + std::to_string(i % 2)) /
                                ("app" + std::to_string(i));
            fs::create_directories(to.parent_path());
            fs::copy(demo, to, fs::copy_options::recursive);
            int seed = i * 16;
            for (const auto& entry : fs::recursive_directory_iterator(to / "case")) {
                const std::string ext = entry.path().extension().string();
                if (entry.is_regular_file() && (ext == ".png" || ext == ".bmp" || ext == ".jpg")) {
                    enlarge(entry.path(), scale(), ++seed);
                }
            }
            projects.push_back((to / "demo.ui").string());
        }
    }
};

AppsDirectory& apps()
{
    static AppsDirectory set;
    return set;
}

bool run(const std::vector<std::string>& argv)
{
    platform::ChildProcess child;
    child.setOutputFile("/dev/null");
    return child.start(argv) && child.wait() == 0;
}

double seconds(const std::chrono::steady_clock::time_point& since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Each repetition builds the 8 projects twice: first one after another with skinsmith-cli
// build (the floor), then with one resBuildApp run (the time reported). Pairing them keeps a
// change in the machine's load from one repetition to the next out of the ratio.
void BM_BatchBuild(benchmark::State& state)
{
    AppsDirectory& set = apps();
    const std::string cli = platform::programDirectory() + "skinsmith-cli";
    const std::string builder = platform::programDirectory() + "resBuildApp";
    double sequential = 0;
    double batch = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        for (const std::string& project : set.projects) {
            if (!run({cli, "build", project, "--quality", "best"})) {
                state.SkipWithError(("skinsmith-cli build failed: " + project).c_str());
                return;
            }
        }
        sequential += seconds(start);
        start = std::chrono::steady_clock::now();
        if (!run({builder, "-res", "-sty", "-styhead", "-desktop", set.dir.filePath("apps")})) {
            state.SkipWithError("resBuildApp failed");
            return;
        }
        const double took = seconds(start);
        batch += took;
        state.SetIterationTime(took);
    }
    state.counters["projects"] = kProjects;
    state.counters["sequential_ms"] = sequential * 1000 / state.iterations();
    state.counters["ratio_to_sequential"] = batch / sequential;
}
BENCHMARK(BM_BatchBuild)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3);

} // namespace

BENCHMARK_MAIN();
