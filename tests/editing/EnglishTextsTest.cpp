// The window shows the core's menu, command and property texts: under English they come from the
// catalogue, under Chinese they are the source texts.
#include "EditingFixture.h"

#include "editing/CommandIds.h"
#include "editing/TreeContextMenu.h"
#include "platform/ActiveLanguage.h"

namespace {

// Activates English for one test; the tests run under Chinese otherwise.
struct EnglishForThisTest
{
    EnglishForThisTest() { platform::activateUiLanguage(platform::UiLanguage::English); }
    ~EnglishForThisTest() { platform::activateUiLanguage(platform::UiLanguage::Chinese); }
};

} // namespace

TEST_F(EditingFixture, MenusAndTipsReadInTheActiveLanguage)
{
    const std::string chineseTip = Root(scene1)->RowDescription(0, 0);
    EXPECT_EQ(chineseTip, "资源组名字");
    {
        EnglishForThisTest english;
        const editing::CommandTable englishTable;
        EXPECT_EQ(englishTable.Find(editing::cmd::kNewProject)->text, "&New Project\tCtrl+N");

        const auto menu = editing::TreeContextMenu::Open(ws, englishTable, Node(project));
        EXPECT_EQ(menu.title, "Project");
        std::vector<std::string> texts;
        for (const auto& item : menu.items) {
            texts.push_back(item.text);
        }
        // Two texts from the command table, two of the tree's own wording.
        EXPECT_EQ(texts,
                  (std::vector<std::string>{"Add Scene", "Add Resource Folder", "Close", "Paste"}));
        EXPECT_EQ(Root(scene1)->RowDescription(0, 0), "Name of the group");
    }
    EXPECT_EQ(Root(scene1)->RowDescription(0, 0), chineseTip);
    EXPECT_EQ(editing::CommandTable().Find(editing::cmd::kNewProject)->text,
              "新建工程(&N)\tCtrl+N");
}
