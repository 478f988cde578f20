// Moves and renumbering reach the saved file: the writer never reorders the nodes it
// updates, so the commands edit the retained document themselves.
#include "DemoWorkspace.h"

#include "editing/CommandIds.h"
#include "platform/FileSystem.h"
#include "projectfile/ProjectFileReader.h"
#include "projectfile/ProjectFileWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <vector>

namespace {

// The names of the scenes and elements in file order.
std::vector<std::string> NamesInOrder(const std::string& file)
{
    static const std::regex kNamed(
        R"re(<(?:scene|element[^>]*)>\s*<property name="name" value="([^"]*)" />)re");
    std::vector<std::string> names;
    for (std::sregex_iterator it(file.begin(), file.end(), kNamed), end; it != end; ++it) {
        names.push_back((*it)[1]);
    }
    return names;
}

// Position of `name` in `names`, or -1.
long Position(const std::vector<std::string>& names, const std::string& name)
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

// The "id" value that follows the node named `name`, or "".
std::string IdOf(const std::string& file, const std::string& name)
{
    const std::regex named("<property name=\"name\" value=\"" + name +
                           "\" />\\s*<property name=\"id\" value=\"(\\d+)\" />");
    std::smatch match;
    return std::regex_search(file, match, named) ? match[1].str() : "";
}

class DocumentSync : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(demo.Loaded()) << demo.error; }

    void RunOn(const std::string& path, int command)
    {
        editing::TreeNode* node = demo.Node(path);
        ASSERT_NE(node, nullptr) << path;
        demo.ws.Tree().SetCaret(node);
        ASSERT_EQ(demo.table.Run(demo.ws, command), editing::CommandTable::Result::Ran);
    }

    DemoWorkspace demo;
};

} // namespace

TEST_F(DocumentSync, MovedScenesAndElementsAreSavedInTheirNewOrder)
{
    RunOn("WeatherScene", editing::cmd::kMoveUp);
    RunOn("MainScene/StatusBar/BatteryIcon", editing::cmd::kMoveUp);
    RunOn("MainScene/ClockPanel", editing::cmd::kMoveDown);

    const std::vector<std::string> names = NamesInOrder(demo.Save("moved.ui"));
    EXPECT_LT(Position(names, "WeatherScene"), Position(names, "MainScene"));
    EXPECT_LT(Position(names, "MainScene"), Position(names, "SettingsScene"));
    EXPECT_LT(Position(names, "BatteryIcon"), Position(names, "AlarmIcon"));
    EXPECT_LT(Position(names, "AppTitle"), Position(names, "BatteryIcon"));
    EXPECT_LT(Position(names, "SoftKeys"), Position(names, "ClockPanel"));
    // A moved group takes its subtree along.
    EXPECT_EQ(Position(names, "TimeLabel"), Position(names, "ClockPanel") + 1);

    // Loaded again, the file gives the order the model had. It is read beside the example,
    // whose case directory it names.
    const std::string moved = demo.sourcePath + ".moved.ui";
    ASSERT_EQ(ProjectFileWriter(*demo.project).Save(moved), 1);
    APStyleProject again;
    ProjectFileReader reader(again);
    reader.SetDefinitionDirectory(demo.dir.filePath("defs"));
    ASSERT_EQ(reader.Load(moved), 1) << reader.ErrorString();
    platform::removeFile(moved);
    ASSERT_EQ(ProjectFileWriter(again).Save(demo.dir.filePath("reloaded.ui")), 1);
    EXPECT_EQ(NamesInOrder(*platform::readFile(demo.dir.filePath("reloaded.ui"))), names);
}

TEST_F(DocumentSync, ReorderedIdsAreSavedAndReadBack)
{
    // Deleting an element leaves a gap the renumbering closes.
    RunOn("MainScene/MainBg", editing::cmd::kDelete);
    RunOn("WeatherScene", editing::cmd::kMoveUp);
    demo.ws.Tree().SetCaret(demo.Node("WeatherScene"));
    ASSERT_EQ(demo.table.Run(demo.ws, editing::cmd::kReorderIds),
              editing::CommandTable::Result::Ran);

    const std::string saved = demo.Save("renumbered.ui");
    // The nodes of the tree in order from 0; the scenes' root groups, which have no node,
    // after them in scene order.
    EXPECT_EQ(IdOf(saved, "WeatherScene"), "0");
    EXPECT_EQ(IdOf(saved, "WeatherBg"), "1");
    EXPECT_EQ(IdOf(saved, "MainScene"), "16");
    EXPECT_EQ(IdOf(saved, "StatusBar"), "17");
    EXPECT_EQ(IdOf(saved, "SettingsBack"), "42");
    EXPECT_EQ(IdOf(saved, "WeatherGroup"), "43");
    EXPECT_EQ(IdOf(saved, "MainGroup"), "44");
    EXPECT_EQ(IdOf(saved, "MainBg"), "");

    // A second save finds every node again.
    EXPECT_EQ(demo.Save("again.ui"), saved);
}

TEST_F(DocumentSync, ReorderingOverADeletedElementKeepsEveryLiveNodeOnce)
{
    // MainBg (id 2) is deleted; StatusBar, its next sibling, is renumbered to 2.
    RunOn("MainScene/MainBg", editing::cmd::kDelete);
    demo.ws.Tree().SetCaret(demo.Node("MainScene"));
    ASSERT_EQ(demo.table.Run(demo.ws, editing::cmd::kReorderIds),
              editing::CommandTable::Result::Ran);

    const std::vector<std::string> names = NamesInOrder(demo.Save("renumbered.ui"));
    EXPECT_EQ(Position(names, "MainBg"), -1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "StatusBar"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "AppTitle"), 1);
    EXPECT_EQ(Position(names, "StatusBar"), Position(names, "MainGroup") + 1);
}

TEST_F(DocumentSync, ReorderingAgainAfterAMoveKeepsEveryNodeOnce)
{
    // The first renumbering gives MainBg the number MainGroup, its scene's root group, had
    // before; the move and the second renumbering then edit the document by those numbers.
    demo.ws.Tree().SetCaret(demo.Node("MainScene"));
    ASSERT_EQ(demo.table.Run(demo.ws, editing::cmd::kReorderIds),
              editing::CommandTable::Result::Ran);
    RunOn("MainScene/MainBg", editing::cmd::kMoveDownObject);
    demo.ws.Tree().SetCaret(demo.Node("MainScene"));
    ASSERT_EQ(demo.table.Run(demo.ws, editing::cmd::kReorderIds),
              editing::CommandTable::Result::Ran);

    const std::string saved = demo.Save("renumbered.ui");
    const std::vector<std::string> names = NamesInOrder(saved);
    for (const char* name : {"MainGroup", "MainBg", "StatusBar", "WeatherGroup"}) {
        EXPECT_EQ(std::count(names.begin(), names.end(), name), 1) << name;
    }
    EXPECT_EQ(Position(names, "StatusBar"), Position(names, "MainGroup") + 1);
    EXPECT_EQ(Position(names, "MainBg"), Position(names, "BatteryIcon") + 1);
    EXPECT_EQ(IdOf(saved, "StatusBar"), "1");
    EXPECT_EQ(IdOf(saved, "MainBg"), "5");
    EXPECT_EQ(demo.Save("again.ui"), saved);
}
