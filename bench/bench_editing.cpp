// Editing cost against project size: one add / undo / redo cycle with the tree rebuilds its
// messages ask for, the tree rebuild alone, and loading the same project as the floor.
#include "components/visual/HeadlessVisualEditor.h"
#include "editing/CommandIds.h"
#include "editing/CommandTable.h"
#include "editing/TreeNode.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"
#include "projectfile/ProjectFileReader.h"
#include "projectfile/ProjectFileWriter.h"
#include "projectfile/StandardProjectFileIo.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

// A project of `elements` elements: scenes of ten groups of 100 strings each.
std::unique_ptr<APStyleProject> MakeProject(const platform::TemporaryDirectory& dir, int elements)
{
    auto project = std::make_unique<APStyleProject>();
    APStyleProject& p = *project;
    p.InitNew();
    p.SetName("p");
    p.SetProjectDir(dir.path());
    p.SetCaseDir(dir.filePath("case"));
    p.SetSdkDir(dir.filePath("psp_rel"));
    APStyleProject::SetCurrent(&p);
    int made = 0;
    while (made < elements) {
        Snapshot* scene = p.AddScene();
        auto* root = static_cast<CCanvasSnapShotItem*>(scene->AddChild(SnapShotItem::kGroup, 0));
        ++made;
        for (int g = 0; g < 10 && made < elements; ++g) {
            auto* group =
                static_cast<CCanvasSnapShotItem*>(root->AddChild(SnapShotItem::kGroup, 0));
            ++made;
            for (int s = 0; s < 100 && made < elements; ++s, ++made) {
                group->AddChild(SnapShotItem::kString, 0);
            }
        }
    }
    APStyleProject::SetCurrent(nullptr);
    return project;
}

// The project of `elements` elements written once per size, in a directory kept for the run.
struct ProjectFile
{
    platform::TemporaryDirectory dir{"bench-editing"};
    std::string path;
};

const ProjectFile& FileOf(int elements)
{
    static std::map<int, std::unique_ptr<ProjectFile>> files;
    auto& file = files[elements];
    if (!file) {
        file = std::make_unique<ProjectFile>();
        platform::createDirectories(file->dir.filePath("case"));
        platform::createDirectories(file->dir.filePath("psp_rel"));
        platform::createDirectories(file->dir.filePath("defs"));
        std::unique_ptr<APStyleProject> project = MakeProject(file->dir, elements);
        file->path = file->dir.filePath("p.ui");
        ProjectFileWriter(*project).Save(file->path);
    }
    return *file;
}

std::unique_ptr<APStyleProject> Load(const ProjectFile& file)
{
    auto project = std::make_unique<APStyleProject>();
    ProjectFileReader reader(*project);
    reader.SetDefinitionDirectory(file.dir.filePath("defs"));
    if (!reader.Load(file.path)) {
        return nullptr;
    }
    return project;
}

void BM_LoadProject(benchmark::State& state)
{
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    const ProjectFile& file = FileOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(Load(file));
    }
}

// A workspace with the loaded project open and the caret on the last group.
struct OpenWorkspace
{
    explicit OpenWorkspace(const ProjectFile& file)
    {
        projectfile::InstallProjectFileIo();
        ws.OpenProject(Load(file));
        const auto nodes = ws.Tree().AllNodes();
        for (auto it = nodes.rbegin(); it != nodes.rend(); ++it) {
            if ((*it)->data.kind == TreeNodeData::kGroup) {
                ws.Tree().SetCaret(*it);
                break;
            }
        }
    }

    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope{ui};
    HeadlessVisualEditor editor;
    editing::Workspace ws{editor};
    editing::CommandTable table;
};

void BM_TreeRebuild(benchmark::State& state)
{
    OpenWorkspace open(FileOf(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        open.ws.RebuildTree();
    }
}

void BM_AddUndoRedo(benchmark::State& state)
{
    OpenWorkspace open(FileOf(static_cast<int>(state.range(0))));
    const void* group = open.ws.Tree().Caret()->data.element;
    for (auto _ : state) {
        // Rebuilds replace the nodes: find the group's node again, outside the measurement.
        state.PauseTiming();
        open.ws.SelectObject(group);
        state.ResumeTiming();
        open.table.Run(open.ws, editing::cmd::kAddString);
        open.table.Run(open.ws, editing::cmd::kUndo);
        open.table.Run(open.ws, editing::cmd::kRedo);
        // Back to the start, so that the next add cuts the record off again.
        open.table.Run(open.ws, editing::cmd::kUndo);
    }
}

} // namespace

BENCHMARK(BM_LoadProject)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeRebuild)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddUndoRedo)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
