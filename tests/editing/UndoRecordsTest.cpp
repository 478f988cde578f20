#include "EditingFixture.h"

#include "components/visual/Graph.h"
#include "editing/ActModifySnapItemAttr.h"
#include "editing/AddCommands.h"
#include "editing/CommandIds.h"
#include "editing/ElementEdit.h"
#include "editing/TreeDragDrop.h"
#include "editing/UndoHistory.h"

using namespace editing;

namespace {

// Executes through `act`, then checks undo returns the exact earlier state and
// redo the exact later one.
template <typename Act>
void ExpectRoundTrip(EditingFixture& fixture, APStyleProject& project, Act act)
{
    const std::string before = Digest(project);
    act();
    const std::string after = Digest(project);
    ASSERT_NE(before, after);
    ASSERT_TRUE(Undo(project));
    EXPECT_EQ(Digest(project), before);
    ASSERT_TRUE(Redo(project));
    EXPECT_EQ(Digest(project), after);
    (void)fixture;
}

} // namespace

TEST_F(EditingFixture, AddedElementUndoHidesItAndRebuildsAtTheParent)
{
    Click(scene1);
    SnapShotItem* group = nullptr;
    ExpectRoundTrip(*this, *project, [&] { group = add::Group(ws); });
    ASSERT_NE(group, nullptr);
    sink.clear();
    Undo(*project);
    EXPECT_TRUE(group->IsDeleted());
    EXPECT_FALSE(group->OwnGraph()->IsSelected());
    EXPECT_EQ(Node(group), nullptr);
    // One batch for the whole step: rebuild at the parent, refresh the surface.
    ASSERT_EQ(sink.batches().size(), 1u);
    ASSERT_EQ(sink.received().front().kind, editing::ChangeKind::TreeRebuild);
    EXPECT_EQ(sink.received().front().element, Root(scene1));
    EXPECT_EQ(sink.count(editing::ChangeKind::SurfaceRefresh), 1);
    // The root group has no node of its own; its scene node is selected instead.
    EXPECT_EQ(ws.Tree().Caret(), Node(scene1));
}

TEST_F(EditingFixture, AddedSceneUndoSwitchesOnlyTheSceneFlag)
{
    Snapshot* added = nullptr;
    ExpectRoundTrip(*this, *project, [&] { added = add::Scene(ws, true); });
    Undo(*project);
    EXPECT_TRUE(added->IsDeleted());
    EXPECT_FALSE(added->Elements().front()->IsDeleted());
    EXPECT_EQ(Node(added), nullptr);
    Redo(*project);
    EXPECT_NE(Node(added), nullptr);
}

TEST_F(EditingFixture, DeletedElementAndSceneComeBackOnUndo)
{
    CCanvasSnapShotItem* group = AddGroup(Root(scene1));
    Click(group);
    ExpectRoundTrip(*this, *project, [&] { Run(cmd::kDelete); });
    Click(scene2);
    ExpectRoundTrip(*this, *project, [&] { Run(cmd::kDelete); });
    Undo(*project);
    EXPECT_FALSE(scene2->IsDeleted());
    EXPECT_NE(Node(scene2), nullptr);
}

TEST_F(EditingFixture, MoveDragUndoRestoresTheSourceAndHidesTheCopy)
{
    CCanvasSnapShotItem* a = AddGroup(Root(scene1));
    CCanvasSnapShotItem* b = AddGroup(Root(scene1));
    StringSnapShotItem* text = AddString(a);
    TreeDragDrop drag(ws);
    ExpectRoundTrip(*this, *project, [&] {
        drag.Begin(Node(text), false);
        ASSERT_TRUE(drag.Over(Node(b), false));
        ASSERT_TRUE(drag.Release());
    });
    EXPECT_TRUE(text->IsDeleted());
    ASSERT_EQ(b->LiveChildCount(), 1);
    Undo(*project);
    EXPECT_FALSE(text->IsDeleted());
    EXPECT_EQ(b->LiveChildCount(), 0);
    Redo(*project);
    EXPECT_TRUE(text->IsDeleted());
}

TEST_F(EditingFixture, CopyDragUndoOnlyHidesTheCopy)
{
    CCanvasSnapShotItem* a = AddGroup(Root(scene1));
    CCanvasSnapShotItem* b = AddGroup(Root(scene1));
    StringSnapShotItem* text = AddString(a);
    TreeDragDrop drag(ws);
    ExpectRoundTrip(*this, *project, [&] {
        drag.Begin(Node(text), true);
        ASSERT_TRUE(drag.Over(Node(b), true));
        ASSERT_TRUE(drag.Release());
    });
    EXPECT_FALSE(text->IsDeleted());
    Undo(*project);
    EXPECT_FALSE(text->IsDeleted());
    EXPECT_EQ(b->LiveChildCount(), 0);
}

TEST_F(EditingFixture, SceneDragOntoTheProjectCopiesTheScene)
{
    AddGroup(Root(scene1));
    TreeDragDrop drag(ws);
    ExpectRoundTrip(*this, *project, [&] {
        drag.Begin(Node(scene1), false);
        ASSERT_TRUE(drag.Over(Node(project), false));
        ASSERT_TRUE(drag.Release());
    });
    ASSERT_EQ(project->Scenes().size(), 3u);
    Snapshot* made = project->Scenes().back().get();
    EXPECT_FALSE(scene1->IsDeleted());
    EXPECT_NE(made->GetId(), scene1->GetId());
    Undo(*project);
    EXPECT_TRUE(made->IsDeleted());
}

// A property edit is undone completely: name, group block, edit lock and the
// drawable's place come back, not only the rows and the attribute block.
TEST_F(EditingFixture, PropertyUndoRestoresNameGroupBlockAndPlace)
{
    CCanvasSnapShotItem* group = AddGroup(Root(scene1));
    AddString(group);
    Click(group);
    const auto commit = [&](int id, const std::string& text) {
        CommitElementText(*project, ws.Tree(), *group, group->FindRow(id), 1, text);
    };
    ExpectRoundTrip(*this, *project, [&] { commit(0, "Panel"); });
    EXPECT_EQ(Node(group)->label, "Panel");
    ExpectRoundTrip(*this, *project, [&] { commit(2, "40"); });
    ExpectRoundTrip(*this, *project,
                    [&] { commit(CCanvasSnapShotItem::kPropBackground, "ff00ff"); });
    ExpectRoundTrip(*this, *project, [&] { commit(10, "No"); });
    // All the way back in one go.
    while (Undo(*project)) {
    }
    EXPECT_EQ(group->Name().rfind("ResGroup", 0), 0u);
    EXPECT_EQ(group->Group().x, 0);
}

TEST_F(EditingFixture, PictureFrameEditsUndoToTheEarlierFrames)
{
    PicSnapshotItem* region = AddRegion(Root(scene1), 2);
    Click(region);
    ExpectRoundTrip(*this, *project, [&] { Run(cmd::kAddFrame); });
    EXPECT_EQ(region->Frames().size(), 3u);
    ExpectRoundTrip(*this, *project, [&] {
        CommitElementText(*project, ws.Tree(), *region,
                          region->FindRow(PicSnapshotItem::kPropArgbOutput), 1, "8888");
    });
    Undo(*project);
    EXPECT_EQ(region->CurrentFrame()->argbOutput, 0);
    EXPECT_EQ(region->GetAttrText(region->FindRow(PicSnapshotItem::kPropArgbOutput), 1), "Default");
}

TEST_F(EditingFixture, AddingAfterAnUndoDestroysWhatLayBeyond)
{
    Click(scene1);
    add::Group(ws);
    Undo(*project);
    EXPECT_TRUE(CanRedo(*project));
    Click(scene1);
    add::Group(ws);
    EXPECT_EQ(project->History().size(), 1u);
    EXPECT_FALSE(CanRedo(*project));
    EXPECT_FALSE(table.IsEnabled(ws, cmd::kRedo));
    EXPECT_TRUE(table.IsEnabled(ws, cmd::kUndo));
    Undo(*project);
    EXPECT_FALSE(table.IsEnabled(ws, cmd::kUndo));
    EXPECT_FALSE(Undo(*project));
}
