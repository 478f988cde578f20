#include "EditingFixture.h"

#include "editing/CommandIds.h"
#include "editing/TreeContextMenu.h"

using namespace editing;

namespace {

std::vector<int> Ids(const TreeContextMenu::Menu& menu)
{
    std::vector<int> ids;
    for (const auto& item : menu.items) {
        ids.push_back(item.id);
    }
    return ids;
}

std::vector<std::string> Texts(const TreeContextMenu::Menu& menu)
{
    std::vector<std::string> texts;
    for (const auto& item : menu.items) {
        texts.push_back(item.text);
    }
    return texts;
}

const TreeContextMenu::Item* ItemOf(const TreeContextMenu::Menu& menu, int id)
{
    for (const auto& item : menu.items) {
        if (item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

} // namespace

TEST_F(EditingFixture, ProjectAndLayerMenusListTheirCommandsWithTheTreeWording)
{
    const auto projectMenu = TreeContextMenu::Open(ws, table, Node(project));
    EXPECT_EQ(projectMenu.title, "工程");
    EXPECT_EQ(Ids(projectMenu), (std::vector<int>{32790, 32853, 32798, 57637}));
    EXPECT_EQ(Texts(projectMenu),
              (std::vector<std::string>{"添加场景", "添加资源目录", "关闭", "粘贴"}));
    EXPECT_EQ(ws.Selection().SettingsProject(), project);
    // Nothing was copied: paste is off, the rest on.
    EXPECT_FALSE(ItemOf(projectMenu, 57637)->enabled);
    EXPECT_TRUE(ItemOf(projectMenu, 32790)->enabled);

    PicSnapshotItem* region = AddRegion(Root(scene1), 3);
    const auto layerMenu = TreeContextMenu::Open(ws, table, ws.Tree().FindFrameNode(region, 1));
    EXPECT_EQ(layerMenu.title, "图层");
    EXPECT_EQ(Ids(layerMenu), (std::vector<int>{32828, 32795, 32815, 32816}));
    EXPECT_EQ(Texts(layerMenu), (std::vector<std::string>{"清除图片", "删除帧", "上移", "下移"}));
    EXPECT_EQ(ws.Selection().Element(), region);
}

TEST_F(EditingFixture, ObjectMenuDiffersForASinglePicture)
{
    PicSnapshotItem* region = AddRegion(Root(scene1), 2);
    auto* single = static_cast<PicSnapshotItem*>(Root(scene1)->AddChild(SnapShotItem::kPicture, 1));
    StringSnapShotItem* text = AddString(Root(scene1));

    const auto regionMenu = TreeContextMenu::Open(ws, table, Node(region));
    EXPECT_EQ(regionMenu.title, "对象");
    EXPECT_EQ(Ids(regionMenu), (std::vector<int>{32803, 32867, 32789, 32788, 57634, 57637, 32782}));
    EXPECT_EQ(Texts(regionMenu), (std::vector<std::string>{"添加帧", "添加帧目录", "上移", "下移",
                                                           "拷贝", "粘贴", "删除"}));
    EXPECT_TRUE(ItemOf(regionMenu, 32803)->enabled);
    EXPECT_TRUE(ItemOf(regionMenu, 57634)->enabled);

    const auto singleMenu = TreeContextMenu::Open(ws, table, Node(single));
    EXPECT_EQ(Ids(singleMenu), (std::vector<int>{32828, 32789, 32788, 57634, 57637, 32782}));
    EXPECT_EQ(singleMenu.items.front().text, "清除图片");

    // A string is no picture: its frame commands are there but off.
    const auto textMenu = TreeContextMenu::Open(ws, table, Node(text));
    EXPECT_FALSE(ItemOf(textMenu, 32803)->enabled);
    EXPECT_EQ(ws.Selection().Element(), text);
}

TEST_F(EditingFixture, ContainerMenuOffersTheEditingSwitchOnlyBelowAnEditableParent)
{
    CCanvasSnapShotItem* outer = AddGroup(Root(scene1));
    CCanvasSnapShotItem* inner = AddGroup(outer);
    const std::vector<int> container{32813, 32781, 32837, 32852, 32783,
                                     32815, 32816, 57634, 57637, 32782};

    const auto sceneMenu = TreeContextMenu::Open(ws, table, Node(scene1));
    EXPECT_EQ(sceneMenu.title, "容器");
    EXPECT_EQ(Ids(sceneMenu), container);
    EXPECT_EQ(Texts(sceneMenu)[2], "添加图片");
    EXPECT_EQ(ws.Selection().Scene(), scene1);
    EXPECT_EQ(project->CurrentScene(), scene1);

    auto outerMenu = TreeContextMenu::Open(ws, table, Node(outer));
    ASSERT_EQ(outerMenu.items.size(), container.size() + 1);
    EXPECT_EQ(outerMenu.items.back().id, 1133);
    EXPECT_EQ(outerMenu.items.back().text, "禁止编辑");

    Run(cmd::kToggleEditing);
    outerMenu = TreeContextMenu::Open(ws, table, Node(outer));
    EXPECT_EQ(outerMenu.items.back().text, "允许编辑");
    // Its parent now forbids editing: the inner group has no switch of its own.
    EXPECT_EQ(Ids(TreeContextMenu::Open(ws, table, Node(inner))), container);
}

TEST_F(EditingFixture, RightClickSelectsTheNodeAgainAfterTheProjectMenu)
{
    StringSnapShotItem* text = AddString(Root(scene2));
    TreeContextMenu::Open(ws, table, Node(text));
    EXPECT_EQ(ws.Tree().Caret(), Node(text));
    EXPECT_EQ(project->CurrentScene(), scene2);
    TreeContextMenu::Open(ws, table, Node(project));
    EXPECT_EQ(ws.Selection().Element(), nullptr);
    // The caret did not move, but the menu must act on the element again.
    const auto menu = TreeContextMenu::Open(ws, table, Node(text));
    EXPECT_EQ(ws.Selection().Element(), text);
    EXPECT_TRUE(ItemOf(menu, 57634)->enabled);
    EXPECT_TRUE(TreeContextMenu::Open(ws, table, nullptr).items.empty());
}
