// Commands that reload a group on a project whose picture files no longer have the stored
// sizes: only the elements a command made take their files' sizes, so undo gives back the
// file as it was and redo the file after the command.
#include "DemoWorkspace.h"

#include "editing/CommandIds.h"
#include "editing/TreeDragDrop.h"
#include "editing/TreeNode.h"
#include "model/APStyleProject.h"

#include <gtest/gtest.h>

namespace {

namespace cmd = editing::cmd;
using editing::TreeNode;

class ReloadGeometry : public ::testing::Test
{
protected:
    TreeNode* ElementNode(const std::string& name)
    {
        for (TreeNode* node : demo.ws.Tree().AllNodes()) {
            if (node->data.kind == TreeNodeData::kElement && node->data.element &&
                node->data.element->Name() == name) {
                return node;
            }
        }
        return nullptr;
    }
    void Run(int id) { demo.table.Run(demo.ws, id); }

    // Undoes the one record of the command, then redoes it, checking the file each time.
    void ExpectUndoAndRedoExact(const std::string& original)
    {
        const std::string after = demo.Print();
        ASSERT_NE(after, original);
        ASSERT_EQ(demo.project->HistoryCursor(), 0);
        Run(cmd::kUndo);
        EXPECT_EQ(demo.Print(), original);
        EXPECT_EQ(demo.Save("undone.ui"), original);
        Run(cmd::kRedo);
        EXPECT_EQ(demo.Print(), after);
    }

    DemoWorkspace demo{true};
};

TEST_F(ReloadGeometry, PasteIntoItsOwnGroupLeavesTheOtherMembersSizes)
{
    ASSERT_TRUE(demo.Loaded()) << demo.error;
    const std::string original = demo.Print();
    TreeNode* region = ElementNode("TodayIcon");
    ASSERT_TRUE(region && region->parent);
    ASSERT_TRUE(demo.ws.SelectObject(region->data.element));
    Run(cmd::kCopy);
    ASSERT_TRUE(demo.ws.SelectObject(region->parent->data.element));
    Run(cmd::kPaste);
    ExpectUndoAndRedoExact(original);
}

TEST_F(ReloadGeometry, DragCopyLeavesTheOtherMembersSizes)
{
    ASSERT_TRUE(demo.Loaded()) << demo.error;
    const std::string original = demo.Print();
    TreeNode* picture = ElementNode("AlarmArrow");
    ASSERT_TRUE(picture && picture->parent);
    editing::TreeDragDrop drag(demo.ws);
    drag.Begin(picture, true);
    ASSERT_TRUE(drag.Over(picture->parent, true));
    ASSERT_TRUE(drag.Release());
    ExpectUndoAndRedoExact(original);
}

TEST_F(ReloadGeometry, UndoOfAGroupEditLeavesItsMembersSizes)
{
    ASSERT_TRUE(demo.Loaded()) << demo.error;
    const std::string original = demo.Print();
    TreeNode* region = ElementNode("TodayIcon");
    ASSERT_TRUE(region && region->parent);
    ASSERT_TRUE(demo.ws.SelectObject(region->parent->data.element));
    editing::PropertyGrid& grid = demo.ws.Grid();
    const int row = grid.FindRow("x");
    ASSERT_GE(row, 0) << static_cast<int>(grid.Shown());
    ASSERT_TRUE(grid.Commit(*demo.project, demo.ws.Tree(), row, 1, "3"));
    ExpectUndoAndRedoExact(original);
}

TEST_F(ReloadGeometry, ANewDisplayLanguageLeavesPictureSizes)
{
    ASSERT_TRUE(demo.Loaded()) << demo.error;
    const std::string original = demo.Print();
    demo.ws.ShowSettings(demo.project);
    editing::PropertyGrid& grid = demo.ws.Grid();
    const int row = grid.FindRow("Display Language");
    ASSERT_GE(row, 0);
    const std::vector<std::string> items = grid.DropDownItems(row, 1);
    ASSERT_GE(items.size(), 2u);
    ASSERT_TRUE(grid.Commit(*demo.project, demo.ws.Tree(), row, 1, items[1]));
    ASSERT_NE(demo.Print(), original);
    ASSERT_TRUE(grid.Commit(*demo.project, demo.ws.Tree(), row, 1, items[0]));
    EXPECT_EQ(demo.Print(), original);
}

} // namespace
