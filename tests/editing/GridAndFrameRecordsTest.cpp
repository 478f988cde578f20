// Which edits of the property grid's pages and which frame moves are recorded for undo.
#include "EditingFixture.h"

#include "editing/ActModifySnapItemAttr.h"
#include "editing/CommandIds.h"

using namespace editing;

namespace {

std::vector<std::string> FrameNames(const PicSnapshotItem& region)
{
    std::vector<std::string> names;
    for (const PicFrame& frame : region.Frames()) {
        names.push_back(frame.name);
    }
    return names;
}

} // namespace

TEST_F(EditingFixture, ScenePageRecordsTheRootGroupRowsOnly)
{
    Click(scene1);
    PropertyGrid& grid = ws.Grid();
    ASSERT_EQ(grid.Shown(), PropertyGrid::Page::Scene);
    ASSERT_TRUE(grid.Commit(*project, ws.Tree(), grid.FindRow("x"), 1, "12"));
    ASSERT_EQ(project->History().size(), 1u);
    auto* record = dynamic_cast<ActModifySnapItemAttr*>(project->History()[0].get());
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->Element(), Root(scene1));
    EXPECT_EQ(Root(scene1)->Group().x, 12);

    // The scene's own fields are plain settings, as are the project's.
    ASSERT_TRUE(grid.Commit(*project, ws.Tree(), grid.FindRow("Name"), 1, "Intro"));
    ASSERT_TRUE(grid.Commit(*project, ws.Tree(), grid.FindRow("Rotation"), 1, "90 Degree"));
    EXPECT_EQ(Node(scene1)->label, "Intro");
    EXPECT_EQ(scene1->Record().direction, 1);
    ws.ShowSettings(project);
    ASSERT_TRUE(grid.Commit(*project, ws.Tree(), grid.FindRow("Screen Height"), 1, "480"));
    EXPECT_EQ(project->History().size(), 1u);

    // Undoing the group edit leaves the later unrecorded edits alone.
    Run(cmd::kUndo);
    EXPECT_EQ(Root(scene1)->Group().x, 0);
    EXPECT_EQ(scene1->Name(), "Intro");
    EXPECT_EQ(scene1->Record().direction, 1);
    EXPECT_EQ(project->ScreenHeight(), 480);
}

TEST_F(EditingFixture, MovingAFrameIsRecordedApartFromTheRegionsOtherEdits)
{
    using Names = std::vector<std::string>;
    PicSnapshotItem* region = AddRegion(Root(scene1), 3);
    ws.Tree().SetCaret(ws.Tree().FindFrameNode(region, 0));
    Run(cmd::kAddFrame);
    ws.Tree().SetCaret(ws.Tree().FindFrameNode(region, 0));
    // Frame 0 cannot move up.
    Run(cmd::kMoveUpContainer);
    ASSERT_EQ(project->History().size(), 1u);
    Run(cmd::kMoveDownContainer);
    EXPECT_EQ(FrameNames(*region), (Names{"F1", "F0", "F2", ""}));
    EXPECT_EQ(ws.Tree().Caret(), ws.Tree().FindFrameNode(region, 1));
    ASSERT_EQ(project->History().size(), 2u);

    // Undo takes back the move alone, then the added frame; redo puts both back.
    Run(cmd::kUndo);
    EXPECT_EQ(FrameNames(*region), (Names{"F0", "F1", "F2", ""}));
    Run(cmd::kUndo);
    EXPECT_EQ(FrameNames(*region), (Names{"F0", "F1", "F2"}));
    Run(cmd::kRedo);
    Run(cmd::kRedo);
    EXPECT_EQ(FrameNames(*region), (Names{"F1", "F0", "F2", ""}));

    // The last frame cannot move down.
    ws.Tree().SetCaret(ws.Tree().FindFrameNode(region, 3));
    Run(cmd::kMoveDownContainer);
    EXPECT_EQ(FrameNames(*region), (Names{"F1", "F0", "F2", ""}));
    EXPECT_EQ(project->History().size(), 2u);
}

TEST_F(EditingFixture, ColourButtonsCommitTheChosenColourWithUndo)
{
    Click(scene1);
    PropertyGrid& grid = ws.Grid();
    const int row = grid.FindRow("Background Color");
    const std::uint32_t before = Root(scene1)->Group().background;
    // A cancelled chooser changes and records nothing.
    EXPECT_FALSE(grid.PressColourButton(*project, ws.Tree(), row));
    EXPECT_TRUE(project->History().empty());

    // The scene's colour is its root group's, recorded on that group.
    ui.queueColour(0x00123456);
    ASSERT_TRUE(grid.PressColourButton(*project, ws.Tree(), row));
    std::uint32_t background = Root(scene1)->Group().background;
    EXPECT_EQ(background, 0x00123456u);
    EXPECT_EQ(grid.Rows()[static_cast<std::size_t>(row)].value, "0x00123456");
    ASSERT_EQ(project->History().size(), 1u);
    Run(cmd::kUndo);
    background = Root(scene1)->Group().background;
    EXPECT_EQ(background, before);

    StringSnapShotItem* text = AddString(Root(scene1));
    Click(text);
    EXPECT_FALSE(grid.PressColourButton(*project, ws.Tree(), grid.FindRow("Name")));
    ui.queueColour(0x80FF0000);
    ASSERT_TRUE(grid.PressColourButton(*project, ws.Tree(), grid.FindRow("Foreground Color")));
    const std::uint32_t foreground = text->StringInfo().foreground;
    EXPECT_EQ(foreground, 0x80FF0000u);
    EXPECT_EQ(project->History().size(), 1u);
}
