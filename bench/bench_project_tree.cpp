// The project tree panel against project size: opening a project of n elements in the tree
// view, expanding it all and scrolling through every row; an edit while the whole tree is
// open; a rebuild (what every undo asks for) with the view attached. Each is reported also as
// a ratio ("x_floor") to the core's own tree rebuild of the same project, measured in the same
// run, so the figures compare across machines.
#include "components/visual/HeadlessVisualEditor.h"
#include "editing/CommandIds.h"
#include "editing/CommandTable.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "platform/ScriptedInteraction.h"
#include "shell/panels/CProjectTree.h"
#include "shell/panels/ProjectTreeModel.h"

#include <QApplication>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>

namespace {

// Scenes of ten groups of 100 strings each, `elements` elements in all.
std::unique_ptr<APStyleProject> MakeProject(int elements)
{
    auto project = std::make_unique<APStyleProject>();
    project->InitNew();
    project->SetName("p");
    APStyleProject::SetCurrent(project.get());
    int made = 0;
    while (made < elements) {
        Snapshot* scene = project->AddScene();
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

struct OpenWorkspace
{
    explicit OpenWorkspace(int elements) { ws.OpenProject(MakeProject(elements)); }

    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope{ui};
    HeadlessVisualEditor editor;
    editing::Workspace ws{editor};
    editing::CommandTable table;
};

// Seconds of one core rebuild of the tree of `elements` elements, no view attached: the
// fastest of several, as the machine may be busy with other work.
double FloorSeconds(int elements)
{
    OpenWorkspace open(elements);
    double best = 1e9;
    for (int i = 0; i < 15; ++i) {
        const auto start = std::chrono::steady_clock::now();
        open.ws.RebuildTree();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

// "x_floor": the wall time of one iteration over the floor's (printed with a seconds unit,
// it is a plain ratio).
void ReportRatio(benchmark::State& state, double floor)
{
    state.counters["x_floor"] =
        benchmark::Counter(floor * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Paints every page of the view from the top to the bottom.
void ScrollThrough(CProjectTree& view)
{
    QScrollBar* bar = view.verticalScrollBar();
    for (int value = 0; value <= bar->maximum(); value += qMax(1, bar->pageStep())) {
        bar->setValue(value);
        view.viewport()->repaint();
    }
}

void BM_OpenExpandScroll(benchmark::State& state)
{
    const int elements = static_cast<int>(state.range(0));
    const double floor = FloorSeconds(elements);
    for (auto _ : state) {
        state.PauseTiming();
        auto open = std::make_unique<OpenWorkspace>(elements);
        state.ResumeTiming();
        CProjectTree view(open->ws, open->table);
        view.resize(240, 600);
        view.show();
        view.expandAll();
        ScrollThrough(view);
        state.PauseTiming();
        open.reset();
        state.ResumeTiming();
    }
    ReportRatio(state, floor);
}

void BM_EditWhileOpen(benchmark::State& state)
{
    const int elements = static_cast<int>(state.range(0));
    const double floor = FloorSeconds(elements);
    OpenWorkspace open(elements);
    CProjectTree view(open.ws, open.table);
    view.resize(240, 600);
    view.show();
    view.expandAll();
    editing::TreeNode* group = nullptr;
    for (editing::TreeNode* node : open.ws.Tree().AllNodes()) {
        if (node->data.kind == TreeNodeData::kGroup) {
            group = node;
        }
    }
    const void* object = group->data.Object();
    for (auto _ : state) {
        open.ws.SelectObject(object);
        open.table.Run(open.ws, editing::cmd::kAddStringNode);
        view.viewport()->repaint();
        // Out of the measurement: take the string away again without a rebuild.
        state.PauseTiming();
        editing::TreeNode* added = open.ws.Tree().Caret();
        added->data.element->Parent()->Children()->back()->SetDeleted(true);
        open.ws.Tree().DeleteNode(added);
        state.ResumeTiming();
    }
    ReportRatio(state, floor);
}

void BM_RebuildWithView(benchmark::State& state)
{
    const int elements = static_cast<int>(state.range(0));
    const double floor = FloorSeconds(elements);
    OpenWorkspace open(elements);
    CProjectTree view(open.ws, open.table);
    view.resize(240, 600);
    view.show();
    view.expandAll();
    for (auto _ : state) {
        open.ws.RebuildTree();
        view.viewport()->repaint();
    }
    ReportRatio(state, floor);
}

} // namespace

BENCHMARK(BM_OpenExpandScroll)->Arg(1000)->Arg(10000)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditWhileOpen)->Arg(1000)->Arg(10000)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildWithView)->Arg(1000)->Arg(10000)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
