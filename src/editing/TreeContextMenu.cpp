#include "editing/TreeContextMenu.h"

#include "editing/CommandIds.h"
#include "editing/CommandTable.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/PicSnapshotItem.h"
#include "platform/UiText.h"

namespace editing {

namespace {

// One entry of a pop-up: the command and, where the tree menu has its own wording, that text.
struct Entry
{
    int id;
    const char* text;
};

constexpr Entry kProjectMenu[] = {{cmd::kAddSceneNode, nullptr},
                                  {cmd::kAddResourceDir, nullptr},
                                  {cmd::kCloseProject, N_("关闭")},
                                  {cmd::kPaste, N_("粘贴")}};

constexpr Entry kObjectMenu[] = {{cmd::kAddFrame, N_("添加帧")}, {cmd::kAddFrameDir, nullptr},
                                 {cmd::kMoveUpObject, nullptr},  {cmd::kMoveDownObject, nullptr},
                                 {cmd::kCopy, N_("拷贝")},       {cmd::kPaste, N_("粘贴")},
                                 {cmd::kDeleteSelected, nullptr}};

constexpr Entry kContainerMenu[] = {
    {cmd::kAddGroupNode, nullptr},      {cmd::kAddRegionNode, nullptr},
    {cmd::kAddPicture, N_("添加图片")}, {cmd::kAddPictureDir, nullptr},
    {cmd::kAddStringNode, nullptr},     {cmd::kMoveUpContainer, nullptr},
    {cmd::kMoveDownContainer, nullptr}, {cmd::kCopy, N_("拷贝")},
    {cmd::kPaste, N_("粘贴")},          {cmd::kDeleteSelected, nullptr}};

constexpr Entry kLayerMenu[] = {{cmd::kClearPicture, nullptr},
                                {cmd::kDelete, N_("删除帧")},
                                {cmd::kMoveUpContainer, nullptr},
                                {cmd::kMoveDownContainer, nullptr}};

TreeContextMenu::Item MakeItem(Workspace& ws, const CommandTable& table, int id, const char* text)
{
    TreeContextMenu::Item item;
    item.id = id;
    const Command* command = table.Find(id);
    item.text = text ? platform::uiText(text) : command ? command->text : std::string();
    item.enabled = command && table.IsEnabled(ws, id);
    return item;
}

template <std::size_t N>
void AddAll(TreeContextMenu::Menu& menu, Workspace& ws, const CommandTable& table,
            const Entry (&entries)[N])
{
    for (const Entry& entry : entries) {
        menu.items.push_back(MakeItem(ws, table, entry.id, entry.text));
    }
}

bool IsSinglePicture(const SnapShotItem* element)
{
    const auto* picture = dynamic_cast<const PicSnapshotItem*>(element);
    return picture && picture->IsSingle();
}

} // namespace

void TreeContextMenu::Prepare(Workspace& ws, TreeNode* node)
{
    APStyleProject* project = node ? ProjectTree::ProjectOfNode(node) : nullptr;
    if (!project) {
        return;
    }
    ws.SetCurrentProject(project);
    if (node->data.kind == TreeNodeData::kProject) {
        ws.ShowSettings(project);
        return;
    }
    // A node that is the caret already may no longer be what the selection state shows (a
    // right-click on a project node in between shows the settings): select it again.
    if (ws.Tree().Caret() == node) {
        ws.OnSelectionChanged(node);
    } else {
        ws.Tree().SetCaret(node);
    }
    if (TreeNode* sceneNode = ProjectTree::SceneNodeOf(node)) {
        project->SetCurrentScene(sceneNode->data.scene);
    }
}

TreeContextMenu::Menu TreeContextMenu::Build(Workspace& ws, const CommandTable& table,
                                             const TreeNode* node)
{
    Menu menu;
    if (!node) {
        return menu;
    }
    switch (node->data.kind) {
    case TreeNodeData::kProject:
        menu.title = platform::uiText("工程");
        AddAll(menu, ws, table, kProjectMenu);
        break;
    case TreeNodeData::kElement:
        menu.title = platform::uiText("对象");
        AddAll(menu, ws, table, kObjectMenu);
        if (IsSinglePicture(node->data.element)) {
            // A single picture has no frames to add: it can only lose its picture.
            menu.items.erase(menu.items.begin(), menu.items.begin() + 2);
            menu.items.insert(menu.items.begin(), MakeItem(ws, table, cmd::kClearPicture, nullptr));
        }
        break;
    case TreeNodeData::kScene:
    case TreeNodeData::kGroup: {
        menu.title = platform::uiText("容器");
        AddAll(menu, ws, table, kContainerMenu);
        SnapShotItem* group =
            node->data.kind == TreeNodeData::kGroup ? node->data.element : nullptr;
        SnapShotItem* parent = group ? group->Parent() : nullptr;
        if (parent && parent->IsEditable()) {
            const bool allowed = group->IsEditable() != 0;
            menu.items.push_back(MakeItem(ws, table, cmd::kToggleEditing,
                                          allowed ? N_("禁止编辑") : N_("允许编辑")));
        }
        break;
    }
    case TreeNodeData::kFrame:
        menu.title = platform::uiText("图层");
        AddAll(menu, ws, table, kLayerMenu);
        break;
    default:
        break;
    }
    return menu;
}

TreeContextMenu::Menu TreeContextMenu::Open(Workspace& ws, const CommandTable& table,
                                            TreeNode* node)
{
    Prepare(ws, node);
    return Build(ws, table, node);
}

} // namespace editing
