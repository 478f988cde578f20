#include "EditingFixture.h"

#include "editing/ChangeFeed.h"
#include "editing/CommandIds.h"
#include "editing/LayerList.h"
#include "editing/ResourcePanel.h"
#include "editing/SurfaceChangeHandler.h"
#include "editing/UndoHistory.h"

#include <string>
#include <vector>

using editing::Change;
using editing::ChangeBatch;
using editing::ChangeFeed;
using editing::ChangeKind;
using editing::ChangeSet;

namespace {

// A view that writes down its name for each batch it hears.
class NamedView : public editing::ChangeObserver
{
public:
    NamedView(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log)
    {
    }
    void OnChanges(const ChangeSet& changes) override
    {
        m_log.push_back(m_name + ":" + std::to_string(changes.Changes().size()));
        if (then) {
            auto work = std::move(then);
            then = nullptr;
            work();
        }
    }
    std::function<void()> then;

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

} // namespace

TEST(ChangeFeed, ABatchReachesEveryViewOnceInSubscriptionOrderWhenTheOutermostEnds)
{
    ChangeFeed feed;
    std::vector<std::string> log;
    NamedView tree("tree", log), grid("grid", log);
    // The panel models hear first, whenever they subscribed.
    feed.Subscribe(&grid);
    feed.Subscribe(&tree, ChangeFeed::Tier::Model);
    feed.Subscribe(&tree); // twice is still once
    {
        const ChangeBatch outer(feed);
        feed.Post(Change::Redraw());
        {
            const ChangeBatch inner(feed);
            feed.Post(Change::Refresh());
        }
        EXPECT_TRUE(log.empty());
        feed.Post(Change::Resize(320, 240));
    }
    EXPECT_EQ(log, (std::vector<std::string>{"tree:3", "grid:3"}));

    // Outside a batch a change is a batch of its own; an empty batch tells nobody.
    log.clear();
    {
        const ChangeBatch nothing(feed);
    }
    feed.Post(Change::Selection());
    EXPECT_EQ(log, (std::vector<std::string>{"tree:1", "grid:1"}));
    EXPECT_EQ(feed.DeliveredBatches(), 2);
}

TEST(ChangeFeed, WhatAViewPostsWhileToldIsTheNextBatchAndNoViewHearsTwice)
{
    ChangeFeed feed;
    std::vector<std::string> log;
    NamedView first("first", log), second("second", log);
    feed.Subscribe(&first);
    feed.Subscribe(&second);
    first.then = [&] { feed.Post(Change::Selection()); };
    feed.Post(Change::Redraw());
    EXPECT_EQ(log, (std::vector<std::string>{"first:1", "second:1", "first:1", "second:1"}));

    // A view that leaves while told is not told again.
    log.clear();
    first.then = [&] { feed.Unsubscribe(&second); };
    feed.Post(Change::Redraw());
    EXPECT_EQ(log, (std::vector<std::string>{"first:1"}));
}

TEST(ChangeFeed, ChangesFromAnotherThreadAreHandedOverOrDropped)
{
    ChangeFeed feed;
    RecordingChangeObserver views(feed);
    std::thread([&] { feed.Post(Change::Redraw()); }).join();
    EXPECT_TRUE(views.received().empty());

    std::vector<std::function<void()>> queued;
    feed.SetHandoff([&](std::function<void()> work) { queued.push_back(std::move(work)); });
    std::thread([&] { feed.Post(Change::Resize(10, 20)); }).join();
    EXPECT_TRUE(views.received().empty());
    ASSERT_EQ(queued.size(), 1u);
    queued.front()();
    ASSERT_EQ(views.received().size(), 1u);
    EXPECT_EQ(views.received().front().width, 10);
}

namespace {

// The editor's reaction on the headless surface, and a text at (30, 40) to work on.
class OneBatchTest : public EditingFixture
{
protected:
    OneBatchTest()
    {
        editor.CreateEditor(nullptr, {0, 0, 320, 240}, editing::SurfaceChangeHandler::Callback(ws));
        text = AddText(30, 40);
        Click(text);
        project->SetModified(0);
        sink.clear();
    }

    // A 40 x 20 string at (x, y) in the first scene's root group.
    StringSnapShotItem* AddText(int x, int y)
    {
        StringSnapShotItem* added = AddString(Root(scene1));
        SnapItemInfo* block = added->AttrBlock();
        block->x = static_cast<std::int16_t>(x);
        block->y = static_cast<std::int16_t>(y);
        block->width = 40;
        block->height = 20;
        added->LoadResource();
        added->RefreshRows();
        return added;
    }

    // Every view heard exactly one batch since the last call.
    void ExpectOneBatch(const char* what)
    {
        SCOPED_TRACE(what);
        EXPECT_EQ(sink.batches().size(), 1u);
        sink.clear();
    }

    void Drag(int x, int y, int dx, int dy)
    {
        editor.Surface().Press(x, y);
        editor.Surface().DragTo(x + dx / 2, y + dy / 2, false);
        editor.Surface().DragTo(x + dx, y + dy, false);
        editor.Surface().Release();
    }

    StringSnapShotItem* text = nullptr;
};

} // namespace

TEST_F(OneBatchTest, EachGestureCommandEditAndUndoStepIsOneBatchThatMarksTheProject)
{
    ws.Panel().ShowScene(*project, *scene1, nullptr);
    sink.clear();
    editor.Surface().Press(35, 45);
    editor.Surface().Release();
    ExpectOneBatch("a click");
    EXPECT_EQ(project->Modified(), 0);

    Drag(35, 45, 20, 10);
    ExpectOneBatch("a drag");
    EXPECT_EQ(project->Modified(), 1);
    EXPECT_EQ(project->History().size(), 1u);

    ASSERT_TRUE(editor.Surface().Nudge(1, 0));
    ExpectOneBatch("a nudge");

    ASSERT_TRUE(ws.Grid().Commit(*project, ws.Tree(), ws.Grid().FindRow("y"), 1, "7"));
    ExpectOneBatch("a grid edit");

    Run(editing::cmd::kUndo);
    ExpectOneBatch("undo");
    Run(editing::cmd::kRedo);
    ExpectOneBatch("redo");
    Run(editing::cmd::kAddScene);
    ExpectOneBatch("a command");
    EXPECT_EQ(project->History().size(), 4u);
}

TEST_F(OneBatchTest, GesturesReachTheGridTheUndoHistoryAndTypedValuesStayAbsolute)
{
    Drag(35, 45, 75, 63); // to (105, 103)
    EXPECT_EQ(ws.Grid().Rows()[ws.Grid().FindRow("x")].value, "105");
    EXPECT_EQ(ws.Grid().Rows()[ws.Grid().FindRow("y")].value, "103");

    // A typed x is where the element goes, not an offset from what the grid showed before.
    ASSERT_TRUE(ws.Grid().Commit(*project, ws.Tree(), ws.Grid().FindRow("x"), 1, "200"));
    EXPECT_EQ(int{text->AttrBlock()->x}, 200);
    EXPECT_EQ(static_cast<Graph*>(text)->Envelop().left, 200);

    // Each undo takes back one step, the typed value first, then the drag.
    ASSERT_TRUE(editing::Undo(*project));
    EXPECT_EQ(int{text->AttrBlock()->x}, 105);
    ASSERT_TRUE(editing::Undo(*project));
    EXPECT_EQ(int{text->AttrBlock()->x}, 30);
    EXPECT_EQ(ws.Grid().Rows()[ws.Grid().FindRow("x")].value, "30");
}

TEST_F(OneBatchTest, AClickOnTheSurfaceSelectsInTheTreeSoDeleteRemovesThatElement)
{
    StringSnapShotItem* other = AddText(200, 150);
    Click(text);
    ws.Panel().ShowScene(*project, *scene1, text);

    editor.Surface().Press(210, 155);
    editor.Surface().Release();
    EXPECT_EQ(ws.Selection().Element(), other);
    EXPECT_EQ(ws.Tree().Caret(), Node(other));
    EXPECT_EQ(ws.Grid().Element(), other);

    Run(editing::cmd::kDeleteSelected);
    EXPECT_TRUE(other->IsDeleted());
    EXPECT_FALSE(text->IsDeleted());
}

namespace {

// A view that writes down what the grid, the tree and the layer list show when it hears a
// batch.
class StateView : public editing::ChangeObserver
{
public:
    StateView(editing::Workspace& ws, const editing::LayerList* layers) : m_ws(ws), m_layers(layers)
    {
        m_ws.Feed().Subscribe(this);
    }
    ~StateView() override { m_ws.Feed().Unsubscribe(this); }

    void OnChanges(const ChangeSet&) override
    {
        const editing::PropertyGrid& grid = m_ws.Grid();
        const int x = grid.FindRow("x");
        std::string state = x >= 0 ? grid.Rows()[static_cast<std::size_t>(x)].value : "-";
        state += m_ws.Tree().Caret() ? "|" + m_ws.Tree().Caret()->label : "|-";
        if (const editing::LayerList* layers = m_layers ? m_layers : m_lateLayers) {
            state += "|" + std::to_string(layers->Rows().size());
        }
        seen.push_back(state);
    }
    void watchLayers(const editing::LayerList* layers) { m_lateLayers = layers; }

    std::vector<std::string> seen;

private:
    editing::Workspace& m_ws;
    const editing::LayerList* m_layers;
    const editing::LayerList* m_lateLayers = nullptr;
};

} // namespace

TEST_F(OneBatchTest, ViewsBuiltInEitherOrderSeeTheSameFinishedState)
{
    PicSnapshotItem* region = AddRegion(Root(scene1), 3);
    // One view before the layer list and the resource panel, one after them.
    StateView first(ws, nullptr);
    editing::LayerList layers(ws);
    editing::ResourcePanel resources(ws);
    first.watchLayers(&layers);
    StateView last(ws, &layers);

    Click(region);
    Drag(35, 45, 20, 10);
    Run(editing::cmd::kUndo);
    Run(editing::cmd::kRedo);
    ASSERT_FALSE(first.seen.empty());
    EXPECT_EQ(first.seen, last.seen);
    EXPECT_EQ(first.seen.back(), "50|" + text->Name() + "|0");
}
