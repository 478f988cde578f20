#include "editing/AddCommands.h"

#include "editing/ActAddSnapItemObj.h"
#include "editing/ActAddSnapshotObj.h"
#include "editing/RecordedEdit.h"
#include "editing/RootGroup.h"
#include "editing/UndoHistory.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

namespace editing::add {

namespace {

SnapShotItem* AddInto(SnapShotItem& container, int kind, int single)
{
    auto* group = dynamic_cast<CCanvasSnapShotItem*>(&container);
    if (!group || !group->IsEditable()) {
        return nullptr;
    }
    SnapShotItem* added = group->AddChild(kind, single);
    group->RefreshRows();
    return added;
}

void Finish(Workspace& ws, APStyleProject& project, SnapShotItem& element, Snapshot& scene,
            SnapShotItem& container)
{
    ws.Tree().InsertElement(element, NodeObjectOf(container, scene), scene);
    ws.Panel().ShowScene(project, scene, &element);
    ws.SelectObject(&element);
    AddRecord(project, std::make_unique<ActAddSnapItemObj>(&project, &element));
}

} // namespace

const void* NodeObjectOf(SnapShotItem& container, Snapshot& scene)
{
    return container.Parent() == nullptr ? static_cast<const void*>(&scene)
                                         : static_cast<const void*>(&container);
}

void ShowIllegalGroupPlace()
{
    platform::interaction().showMessage(platform::uiText("只允许在场景和资源组下添加资源组!"),
                                        platform::uiText("非法操作"), platform::MessageIcon::Error);
}

SnapShotItem* ContainerOf(const TreeNode* node)
{
    if (!node) {
        return nullptr;
    }
    if (node->data.kind == TreeNodeData::kScene) {
        return RootGroupOf(*node->data.scene);
    }
    return node->data.kind == TreeNodeData::kGroup ? node->data.element : nullptr;
}

bool ParentAllowsEditing(const SnapShotItem* element)
{
    return !element || !element->Parent() || element->Parent()->IsEditable() != 0;
}

Snapshot* Scene(Workspace& ws, bool showSurface)
{
    APStyleProject* project = ws.CurrentProject();
    if (!project) {
        return nullptr;
    }
    Snapshot* scene = project->AddScene();
    if (showSurface) {
        ws.Panel().ShowScene(*project, *scene, nullptr);
    }
    AddRecord(*project, std::make_unique<ActAddSnapshotObj>(project, scene));
    ws.Tree().SelectNode(scene, false);
    // The record exists before the root group, so undo and redo switch only the
    // scene's flag.
    auto* root = static_cast<SnapShotItemKind*>(scene->AddChild(SnapShotItem::kGroup, 0));
    root->Rename("window");
    SnapItemInfo block;
    root->CopyAttrBlock(block);
    root->BuildAttrList(block);
    ws.Tree().InsertScene(*scene, *project);
    return scene;
}

SnapShotItem* Group(Workspace& ws)
{
    APStyleProject* project = ws.CurrentProject();
    TreeNode* node = ws.Tree().Caret();
    if (!project || !project->CurrentScene() || !node) {
        return nullptr;
    }
    Snapshot& current = *project->CurrentScene();
    ws.Panel().ShowScene(*project, current, ws.Selection().Element());
    SnapShotItem* parent = ContainerOf(node);
    if (!parent) {
        ShowIllegalGroupPlace();
        return nullptr;
    }
    Snapshot& scene = *node->data.scene;
    if (node->data.kind == TreeNodeData::kGroup) {
        ws.Panel().SelectInGroup(*parent, scene, parent);
    }
    SnapShotItem* group = AddInto(*parent, SnapShotItem::kGroup, 0);
    if (!group) {
        return nullptr;
    }
    ws.Tree().InsertElement(*group, NodeObjectOf(*parent, scene), scene);
    ws.SelectObject(group);
    AddRecord(*project, std::make_unique<ActAddSnapItemObj>(project, group));
    return group;
}

SnapShotItem* FromMenu(Workspace& ws, int kind)
{
    APStyleProject* project = ws.CurrentProject();
    if (!project) {
        return nullptr;
    }
    SnapShotItem* parent = nullptr;
    Snapshot* scene = nullptr;
    if (Snapshot* current = ws.Selection().Scene()) {
        scene = current;
        parent = RootGroupOf(*current);
    } else if (ws.Selection().Element() && ws.Tree().Caret()) {
        parent = ContainerOf(ws.Tree().Caret());
        scene = ws.Tree().Caret()->data.scene;
    }
    if (!parent || !scene) {
        return nullptr;
    }
    SnapShotItem* element = AddInto(*parent, kind, 0);
    if (element) {
        project->SetCurrentScene(scene);
        Finish(ws, *project, *element, *scene, *parent);
    }
    return element;
}

SnapShotItem* IntoContainer(Workspace& ws, int single)
{
    APStyleProject* project = ws.CurrentProject();
    TreeNode* node = ws.Tree().Caret();
    SnapShotItem* parent = ContainerOf(node);
    if (!project || !parent) {
        return nullptr;
    }
    Snapshot& scene = *node->data.scene;
    SnapShotItem* element = AddInto(*parent, SnapShotItem::kPicture, single);
    if (!element) {
        return nullptr;
    }
    ws.Panel().SelectInGroup(*parent, scene, element);
    ws.Tree().InsertElement(*element, NodeObjectOf(*parent, scene), scene);
    ws.SelectObject(element, true);
    AddRecord(*project, std::make_unique<ActAddSnapItemObj>(project, element));
    return element;
}

bool Frame(Workspace& ws)
{
    APStyleProject* project = ws.CurrentProject();
    auto* region = dynamic_cast<PicSnapshotItem*>(ws.Selection().Element());
    if (!project || !region || region->KindCode() != SnapShotItem::kPicture) {
        return false;
    }
    RecordElementEdit(*project, *region, [&] {
        region->AppendFrame(PicFrame{});
        region->RefreshRows();
    });
    if (!region->IsSingle()) {
        ws.Tree().InsertFrame(static_cast<int>(region->Frames().size()) - 1, *region);
    }
    return true;
}

} // namespace editing::add
