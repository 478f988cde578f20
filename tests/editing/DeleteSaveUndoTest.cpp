// Deleting, saving, undoing and saving again gives the file as it was, byte for byte: the
// save in between takes the deleted object's node out of the document, and the one after
// the undo must put it back in its old place.
#include "DemoWorkspace.h"

#include "editing/CommandIds.h"
#include "editing/TreeNode.h"

#include <gtest/gtest.h>

namespace {

class DeleteSaveUndo : public ::testing::TestWithParam<const char*>
{
};

} // namespace

TEST_P(DeleteSaveUndo, SavesTheOriginalBytesAfterTheUndo)
{
    DemoWorkspace demo;
    ASSERT_TRUE(demo.Loaded()) << demo.error;
    const std::string before = demo.Save("before.ui");
    editing::TreeNode* node = demo.Node(GetParam());
    ASSERT_NE(node, nullptr);
    demo.ws.Tree().SetCaret(node);
    ASSERT_EQ(demo.table.Run(demo.ws, editing::cmd::kDelete), editing::CommandTable::Result::Ran);
    ASSERT_EQ(demo.project->HistoryCursor(), 0) << "nothing was deleted";

    const std::string deleted = demo.Save("deleted.ui");
    EXPECT_NE(deleted, before);
    ASSERT_EQ(demo.table.Run(demo.ws, editing::cmd::kUndo), editing::CommandTable::Result::Ran);
    EXPECT_EQ(demo.Save("undone.ui"), before);
    ASSERT_EQ(demo.table.Run(demo.ws, editing::cmd::kRedo), editing::CommandTable::Result::Ran);
    EXPECT_EQ(demo.Save("redone.ui"), deleted);
    ASSERT_EQ(demo.table.Run(demo.ws, editing::cmd::kUndo), editing::CommandTable::Result::Ran);
    EXPECT_EQ(demo.Save("undone-again.ui"), before);
}

INSTANTIATE_TEST_SUITE_P(Objects, DeleteSaveUndo,
                         ::testing::Values("WeatherScene/Forecast/Today/TodayIcon",
                                           "WeatherScene/Forecast/Today/TodayText",
                                           "WeatherScene/Forecast/Today/TodayTemp",
                                           "WeatherScene/Forecast/Tomorrow",
                                           "WeatherScene/ForecastTitle", "WeatherScene",
                                           "MainScene",
                                           "WeatherScene/Forecast/Today/TodayIcon/Frame01"));
