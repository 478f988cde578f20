#include "EditingFixture.h"

#include "editing/CommandIds.h"
#include "editing/TreeSearch.h"
#include "editing/UndoHistory.h"

using namespace editing;

TEST_F(EditingFixture, TreeNamesUnnamedScenesAndShowsFramesOfRegionsOnly)
{
    scene2->SetName("");
    scene2->SetId(3);
    ws.RebuildTree();
    EXPECT_EQ(Node(scene2)->label, "Scene03");
    EXPECT_EQ(scene2->Name(), "Scene03");

    PicSnapshotItem* region = AddRegion(Root(scene1), 3);
    auto* single = static_cast<PicSnapshotItem*>(Root(scene1)->AddChild(SnapShotItem::kPicture, 1));
    ws.RebuildTree();
    ASSERT_EQ(Node(region)->children.size(), 3u);
    EXPECT_EQ(Node(region)->children[2]->label, "Frame02");
    EXPECT_EQ(Node(region)->image, 5);
    EXPECT_TRUE(Node(single)->children.empty());
    EXPECT_EQ(Node(single)->image, 13);
    EXPECT_EQ(ws.Tree().FindByPath(project->Name() + "/Scene00/" + region->Name() + "/Frame01"),
              ws.Tree().FindFrameNode(region, 1));
}

TEST_F(EditingFixture, GridCellsFollowTheEditorKinds)
{
    PicSnapshotItem* region = AddRegion(Root(scene1), 3);
    Click(region);
    const PropertyGrid& grid = ws.Grid();
    const int current = grid.FindRow("Current");
    ASSERT_GE(current, 0);
    EXPECT_EQ(grid.DropDownItems(current, 1), (std::vector<std::string>{"0", "1", "2"}));
    const int x = grid.FindRow("x");
    EXPECT_EQ(grid.Rows()[static_cast<std::size_t>(x)].valueCellType, PropertyGrid::kCellEdit);
    // A group with editing forbidden locks its children's place.
    Root(scene1)->SetEditable(0, 1);
    ws.Grid().Refresh();
    EXPECT_EQ(grid.Rows()[static_cast<std::size_t>(x)].valueCellType, PropertyGrid::kCellReadOnly);
    EXPECT_FALSE(ws.Grid().Commit(*project, ws.Tree(), x, 1, "10"));
    EXPECT_TRUE(project->History().empty());
}

TEST_F(EditingFixture, GridCommitRecordsEvenUnchangedValuesAndRenamesNodes)
{
    StringSnapShotItem* text = AddString(Root(scene1));
    Click(text);
    const int name = ws.Grid().FindRow("Name");
    ASSERT_TRUE(ws.Grid().Commit(*project, ws.Tree(), name, 1, text->Name()));
    EXPECT_EQ(project->History().size(), 1u);
    ASSERT_TRUE(ws.Grid().Commit(*project, ws.Tree(), name, 1, "Title"));
    EXPECT_EQ(Node(text)->label, "Title");
    EXPECT_EQ(ws.Grid().Rows()[static_cast<std::size_t>(name)].value, "Title");
    Run(cmd::kUndo);
    EXPECT_EQ(text->Name(), ws.Grid().Rows()[static_cast<std::size_t>(name)].value);
    EXPECT_NE(text->Name(), "Title");
}

TEST_F(EditingFixture, ProjectPageStoresOnlyChanges)
{
    ws.ShowSettings(project);
    project->SetModified(0);
    const int exec = ws.Grid().FindRow("exec");
    ASSERT_TRUE(ws.Grid().Commit(*project, ws.Tree(), exec, 1, project->Desktop().exec));
    EXPECT_EQ(project->Modified(), 0);
    ASSERT_TRUE(ws.Grid().Commit(*project, ws.Tree(), ws.Grid().FindRow("Screen Width"), 1, "abc"));
    EXPECT_EQ(project->ScreenWidth(), 0);
    ASSERT_TRUE(ws.Grid().Commit(*project, ws.Tree(), ws.Grid().FindRow("Name"), 1, "Clock"));
    EXPECT_EQ(Node(project)->label, "Clock");
}

TEST_F(EditingFixture, DeleteSelectedRemovesEveryCheckedNode)
{
    StringSnapShotItem* a = AddString(Root(scene1));
    StringSnapShotItem* b = AddString(Root(scene1));
    StringSnapShotItem* c = AddString(Root(scene1));
    ws.Tree().EnsureVisible(Node(a));
    Node(a)->selected = true;
    Node(c)->selected = true;
    Click(c);
    Run(cmd::kDeleteSelected);
    EXPECT_TRUE(a->IsDeleted());
    EXPECT_FALSE(b->IsDeleted());
    EXPECT_TRUE(c->IsDeleted());
    Undo(*project);
    EXPECT_FALSE(a->IsDeleted());
}

TEST_F(EditingFixture, SearchGoesOnFromTheLastFindAndStartsOverAfterAMiss)
{
    TreeSearch search(ws.Tree());
    EXPECT_EQ(search.Find("Scene"), Node(scene1));
    EXPECT_EQ(search.Find("Scene"), Node(scene2));
    EXPECT_EQ(search.Find("Scene"), nullptr);
    EXPECT_EQ(ui.messages().back(), "Cannot find \"Scene\"");
    EXPECT_EQ(search.Find("Scene"), Node(scene1));
    EXPECT_EQ(ws.Tree().DropHighlight(), Node(scene1));
}
