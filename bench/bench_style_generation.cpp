// Style generation for a large project, read against floors measured in the same run: loading
// the same project from its project file ("vs_load", the budget: generation may cost at most
// as much), and building it in memory ("vs_build", the lowest floor there is). Each counter is
// the time of one generation divided by the time of one floor run; the "_cpu" counters use
// processor time, which the disk flushes of the three written files do not inflate.

#include "generate/StyleGenerator.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"
#include "projectfile/ProjectFileReader.h"
#include "projectfile/ProjectFileWriter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>

#include <time.h>

namespace {

constexpr int kScenes = 100;
constexpr int kPanels = 3;
constexpr int kLeavesPerPanel = 15;
constexpr int kLeavesPerInnerGroup = 16;
constexpr int kPictureFiles = 60;
constexpr int kStrings = 300;

// 1 root + 3 panels + 3 inner groups + 3 x (15 + 16) leaves = 100 elements per scene.
constexpr int kElements =
    kScenes * (1 + 2 * kPanels + kPanels * (kLeavesPerPanel + kLeavesPerInnerGroup));

std::string bmp8x8()
{
    std::string bmp = "BM";
    auto put = [&bmp](unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            bmp += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    put(54 + 8 * 24, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(8, 4);
    put(8, 4);
    put(1, 2);
    put(24, 2);
    put(0, 24);
    bmp.append(8 * 24, '\x20');
    return bmp;
}

const platform::TemporaryDirectory& folder()
{
    static const platform::TemporaryDirectory dir("bench-style");
    static const bool written = [] {
        for (int i = 0; i < kPictureFiles; ++i) {
            platform::createDirectories(dir.filePath("case/pics"));
            platform::writeFileAtomically(dir.filePath("case/pics/p" + std::to_string(i) + ".bmp"),
                                          bmp8x8());
        }
        return true;
    }();
    (void)written;
    return dir;
}

void addLeaf(APStyleProject& project, CCanvasSnapShotItem& group, int n)
{
    const std::string name = "E" + std::to_string(n);
    const int kind = n % 3;
    if (kind == 2) {
        auto* text = static_cast<StringSnapShotItem*>(group.AddChild(SnapShotItem::kString, 0));
        text->Rename(name);
        text->TextStore().identifier = project.Strings().Records()[n % kStrings].identifier;
        return;
    }
    auto* picture = static_cast<PicSnapshotItem*>(group.AddChild(SnapShotItem::kPicture, kind));
    picture->Rename(name);
    picture->Frames().clear();
    for (int f = 0; f < (kind == 0 ? 3 : 1); ++f) {
        PicFrame frame;
        frame.path = project.Pictures().At((n + f) % kPictureFiles).path;
        picture->Frames().push_back(frame);
    }
}

void addScene(APStyleProject& project, int index)
{
    Snapshot* scene = project.AddScene();
    scene->SetName("Scene" + std::to_string(index));
    auto* root = static_cast<CCanvasSnapShotItem*>(scene->AddChild(SnapShotItem::kGroup, 0));
    int n = 0;
    for (int p = 0; p < kPanels; ++p) {
        auto* panel = static_cast<CCanvasSnapShotItem*>(root->AddChild(SnapShotItem::kGroup, 0));
        panel->Rename("Panel" + std::to_string(p));
        for (int i = 0; i < kLeavesPerPanel; ++i) {
            addLeaf(project, *panel, n++);
        }
        auto* inner = static_cast<CCanvasSnapShotItem*>(panel->AddChild(SnapShotItem::kGroup, 0));
        inner->Rename("Inner");
        for (int i = 0; i < kLeavesPerInnerGroup; ++i) {
            addLeaf(project, *inner, n++);
        }
    }
}

std::unique_ptr<APStyleProject> buildProject()
{
    const std::string root = folder().path();
    auto project = std::make_unique<APStyleProject>();
    APStyleProject::SetCurrent(project.get());
    project->InitNew();
    project->SetName("bench");
    project->SetProjectDir(root);
    project->SetCaseDir(root + "/case");
    project->SetSdkDir(root + "/case");
    project->SetStyleFile(root + "/out/bench.sty");
    project->SetStyleHeader(root + "/out/bench_sty.h");
    project->SetStringDir(root + "/out/str");
    project->SetResourceFile(root + "/out/bench.res");
    for (int i = 0; i < kPictureFiles; ++i) {
        project->AddPicture(root + "/case/pics/p" + std::to_string(i) + ".bmp", 1);
    }
    StringRegistry& strings = project->Strings();
    for (int i = 0; i < kStrings; ++i) {
        StringRecord& record =
            strings.Append(static_cast<std::uint32_t>(i + 1), "STR" + std::to_string(i));
        record.textCount = 2;
        record.wideTexts[0] = u"Text number " + std::u16string(1, char16_t(u'A' + i % 26));
        record.wideTexts[1] = std::u16string(1, char16_t(0x4E00 + i));
    }
    strings.SetFirstNumber(1);
    strings.SetLastNumber(kStrings);
    for (int s = 0; s < kScenes; ++s) {
        addScene(*project, s);
    }
    return project;
}

// Wall-clock and processor seconds.
struct Cost
{
    double wall = 0;
    double cpu = 0;
};

double processSeconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <typename Work>
Cost costOf(Work work)
{
    const auto start = std::chrono::steady_clock::now();
    const double cpu = processSeconds();
    work();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            processSeconds() - cpu};
}

// The cheapest of a few runs: other load on the machine only ever adds time.
template <typename Work>
Cost floorOf(Work work)
{
    Cost best{1e9, 1e9};
    for (int i = 0; i < 3; ++i) {
        const Cost cost = costOf(work);
        best.wall = std::min(best.wall, cost.wall);
        best.cpu = std::min(best.cpu, cost.cpu);
    }
    return best;
}

// The project saved once as a project file; returns its path.
const std::string& projectFile()
{
    static const std::string path = [] {
        const std::string file = folder().filePath("bench.ui");
        std::unique_ptr<APStyleProject> project = buildProject();
        ProjectFileWriter(*project).Save(file);
        APStyleProject::SetCurrent(nullptr);
        return file;
    }();
    return path;
}

// Loads the project file; its messages (the strings have no text files) are kept quiet.
std::unique_ptr<APStyleProject> loadProject()
{
    static platform::ScriptedInteraction quiet;
    platform::ScopedInteraction scope(quiet);
    auto project = std::make_unique<APStyleProject>();
    ProjectFileReader(*project).Load(projectFile());
    quiet.clear();
    return project;
}

void BM_BuildProjectFloor(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(buildProject());
    }
    APStyleProject::SetCurrent(nullptr);
    state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(BM_BuildProjectFloor)->Unit(benchmark::kMillisecond);

void BM_LoadProjectFloor(benchmark::State& state)
{
    projectFile();
    for (auto _ : state) {
        benchmark::DoNotOptimize(loadProject());
    }
    APStyleProject::SetCurrent(nullptr);
    state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(BM_LoadProjectFloor)->Unit(benchmark::kMillisecond);

void BM_GenerateStyle(benchmark::State& state)
{
    const Cost build = floorOf([] { buildProject(); });
    projectFile();
    const Cost load = floorOf([] { loadProject(); });
    std::unique_ptr<APStyleProject> project = loadProject();
    APStyleProject::SetCurrent(project.get());
    generate::StyleGenerator generator(*project);
    generator.setSettingsPath(folder().filePath("SkinSmith.ini"));
    Cost total;
    for (auto _ : state) {
        bool ok = false;
        const Cost cost = costOf([&] { ok = generator.generate(false, true); });
        if (!ok) {
            state.SkipWithError(generator.error().c_str());
            break;
        }
        total.wall += cost.wall;
        total.cpu += cost.cpu;
    }
    APStyleProject::SetCurrent(nullptr);
    state.SetItemsProcessed(state.iterations() * kElements);
    if (state.iterations() > 0) {
        const auto runs = static_cast<double>(state.iterations());
        state.counters["vs_load"] = total.wall / runs / load.wall;
        state.counters["vs_load_cpu"] = total.cpu / runs / load.cpu;
        state.counters["vs_build"] = total.wall / runs / build.wall;
        state.counters["vs_build_cpu"] = total.cpu / runs / build.cpu;
    }
}
BENCHMARK(BM_GenerateStyle)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
