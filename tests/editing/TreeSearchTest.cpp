// The search command's logic on the example project: order, no climbing back, misses.
#include "DemoWorkspace.h"

#include "editing/TreeNode.h"
#include "editing/TreeSearch.h"

#include <gtest/gtest.h>

using editing::TreeNode;

namespace {

class TreeSearchOnDemo : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(demo.Loaded()) << demo.error; }

    editing::TreeSearch& search() { return demo.ws.Search(); }

    DemoWorkspace demo;
};

} // namespace

TEST_F(TreeSearchOnDemo, FindsDepthFirstShowsTheNodeAndNeverClimbsBack)
{
    TreeNode* alarm = demo.Node("MainScene/StatusBar/AlarmIcon");
    ASSERT_EQ(search().Find("Icon"), alarm);
    EXPECT_EQ(demo.ws.Tree().Caret(), alarm);
    EXPECT_EQ(demo.ws.Tree().DropHighlight(), alarm);
    EXPECT_TRUE(alarm->parent->expanded && alarm->parent->parent->expanded);
    // The main frame follows the caret: the found element is in the grid.
    EXPECT_EQ(demo.ws.Selection().Element(), alarm->data.element);

    EXPECT_EQ(search().Find("Icon"), demo.Node("MainScene/StatusBar/BatteryIcon"));
    // The last sibling of its group: the search does not go on to the groups after it.
    EXPECT_EQ(search().Find("Icon"), nullptr);
    EXPECT_EQ(demo.ui.messages().back(), "Cannot find \"Icon\"");
    EXPECT_EQ(search().Find("Icon"), alarm);
    EXPECT_EQ(search().Find("icon"), nullptr);
    EXPECT_EQ(demo.ui.messages().back(), "Cannot find \"icon\"");
}

TEST_F(TreeSearchOnDemo, GoesOnAfterARebuildAndStartsOverWhenReset)
{
    ASSERT_EQ(search().Find("Frame0"), demo.Node("MainScene/ClockPanel/SunAnim/Frame00"));
    demo.ws.RebuildTree();
    EXPECT_EQ(search().Find("Frame0"), demo.Node("MainScene/ClockPanel/SunAnim/Frame01"));
    search().Reset();
    EXPECT_EQ(search().Find("Frame0"), demo.Node("MainScene/ClockPanel/SunAnim/Frame00"));
    EXPECT_TRUE(demo.ui.messages().empty());
}
