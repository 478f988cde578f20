#include "editing/DeleteCommands.h"

#include "components/visual/Graph.h"
#include "editing/ActDelSnapItemObj.h"
#include "editing/ActDelSnapItemObjs.h"
#include "editing/ActDelSnashotObj.h"
#include "editing/RecordedEdit.h"
#include "editing/AddCommands.h"
#include "editing/DeletedFlag.h"
#include "editing/MultiSelection.h"
#include "editing/RootGroup.h"
#include "editing/UndoHistory.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/PicSnapshotItem.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

#include <algorithm>

namespace editing::del {

namespace {

void Refuse(Workspace& ws, const char* text)
{
    if (!ws.QuietFlag()) {
        platform::interaction().showMessage(text);
    }
}

// The live scene shown after `deleted` is gone: the nearest one after it, else
// the nearest one before it; null when none is left.
Snapshot* NextLiveScene(APStyleProject& project, const Snapshot* deleted)
{
    const auto& scenes = project.Scenes();
    const auto at = std::find_if(scenes.begin(), scenes.end(),
                                 [deleted](const auto& scene) { return scene.get() == deleted; });
    for (auto it = at; it != scenes.end(); ++it) {
        if (!(*it)->IsDeleted()) {
            return it->get();
        }
    }
    for (auto it = at; it != scenes.begin();) {
        --it;
        if (!(*it)->IsDeleted()) {
            return it->get();
        }
    }
    return nullptr;
}

void DeleteScene(Workspace& ws, APStyleProject& project, TreeNode* node)
{
    Snapshot* scene = node->data.scene;
    const auto live = std::count_if(project.Scenes().begin(), project.Scenes().end(),
                                    [](const auto& s) { return !s->IsDeleted(); });
    if (live <= 1) {
        Refuse(ws, platform::uiText("不能删除工程唯一的场景!"));
        return;
    }
    SetSceneDeleted(*scene, true);
    ws.Tree().DeleteNode(node);
    AddRecord(project, std::make_unique<ActDelSnashotObj>(&project, scene));
    if (Snapshot* next = NextLiveScene(project, scene)) {
        ws.ShowScene(next);
        ws.Panel().ShowScene(project, *next, nullptr);
        ws.SelectObject(next);
    }
}

// What the grid shows once `element` is gone: the nearest live sibling before it,
// else its parent, except that a root group is never chosen.
SnapShotItem* ChooseNext(SnapShotItem& element)
{
    SnapShotItem* parent = element.Parent();
    const SnapItemList* siblings = parent ? parent->Children() : nullptr;
    if (!siblings) {
        return nullptr;
    }
    std::size_t index = 0;
    while (index < siblings->size() && (*siblings)[index].get() != &element) {
        ++index;
    }
    if (index == 0) {
        return parent->Parent() ? parent : nullptr;
    }
    for (std::size_t i = index; i-- > 0;) {
        if (!(*siblings)[i]->IsDeleted()) {
            return (*siblings)[i].get();
        }
    }
    return parent;
}

void DeleteElement(Workspace& ws, APStyleProject& project, TreeNode* node)
{
    SnapShotItem& element = *node->data.element;
    Snapshot* scene = node->data.scene;
    if (!add::ParentAllowsEditing(&element)) {
        return;
    }
    SetElementDeleted(element, true);
    AddRecord(project, std::make_unique<ActDelSnapItemObj>(&project, &element));
    ws.Tree().DeleteNode(node);
    SnapShotItem* next = ChooseNext(element);
    if (SnapShotItem* parent = element.Parent()) {
        parent->OwnGraph()->SetSelected(true);
    }
    if (next) {
        ws.ShowElement(next);
        ws.SelectObject(next);
    } else if (Snapshot* current = project.CurrentScene() ? project.CurrentScene() : scene) {
        ws.ShowScene(current);
        ws.SelectObject(current);
    }
}

bool Within(const SnapShotItem& element, const std::vector<SnapShotItem*>& elements)
{
    for (const SnapShotItem* up = element.Parent(); up; up = up->Parent()) {
        if (std::find(elements.begin(), elements.end(), up) != elements.end()) {
            return true;
        }
    }
    return false;
}

// Deletes the selection of several elements as one undo record. Elements the rules keep
// (the root group, those of a locked parent) stay; an element inside another one deleted
// goes with it.
void DeleteElements(Workspace& ws, APStyleProject& project, std::vector<SnapShotItem*> elements)
{
    std::vector<SnapShotItem*> doomed;
    for (SnapShotItem* element : elements) {
        if (!IsRootGroup(project, element) && add::ParentAllowsEditing(element) &&
            !Within(*element, elements)) {
            doomed.push_back(element);
        }
    }
    if (doomed.empty()) {
        return;
    }
    for (TreeNode* node : ws.Tree().AllNodes()) {
        ws.Tree().SetSelected(node, false);
    }
    SnapShotItem* key = doomed.front();
    for (SnapShotItem* element : doomed) {
        SetElementDeleted(*element, true);
        if (TreeNode* node = ws.Tree().FindNode(element)) {
            ws.Tree().DeleteNode(node);
        }
    }
    AddRecord(project, std::make_unique<ActDelSnapItemObjs>(&project, doomed));
    SnapShotItem* next = ChooseNext(*key);
    while (next && next->IsDeleted()) {
        next = next->Parent() && next->Parent()->Parent() ? next->Parent() : nullptr;
    }
    if (next) {
        ws.ShowElement(next);
        ws.SelectObject(next);
    } else if (Snapshot* current = project.CurrentScene()) {
        ws.ShowScene(current);
        ws.SelectObject(current);
    }
}

void RemoveFrame(PicSnapshotItem& region, int index)
{
    auto& frames = region.Frames();
    frames.erase(frames.begin() + index);
    PicItemInfo info = region.PicInfo();
    info.frameCount = static_cast<decltype(info.frameCount)>(frames.size());
    region.SetPicInfo(info);
    if (region.CurrentFrameIndex() >= static_cast<int>(frames.size())) {
        region.SetCurrentFrameIndex(static_cast<int>(frames.size()) - 1);
    }
    region.RefreshRows();
}

void DeleteFrame(Workspace& ws, APStyleProject& project, TreeNode* node)
{
    auto* region = dynamic_cast<PicSnapshotItem*>(node->data.element);
    const int index = node->data.frameIndex;
    Snapshot* scene = node->data.scene;
    if (!region || index < 0 || index >= static_cast<int>(region->Frames().size())) {
        return;
    }
    if (region->Frames().size() <= 1) {
        ws.SelectObject(region);
        if (TreeNode* regionNode = ws.Tree().FindNode(region)) {
            DeleteElement(ws, project, regionNode);
        }
        return;
    }
    if (!add::ParentAllowsEditing(region)) {
        return;
    }
    project.SetCurrentScene(scene);
    RecordElementEdit(project, *region, [&] {
        // The last frame node goes: frame nodes are numbered by position, so the ones
        // that stay keep labels and indexes that match the shortened list.
        const int last = static_cast<int>(region->Frames().size()) - 1;
        TreeNode* doomed = ws.Tree().FindFrameNode(region, last);
        ws.Tree().DeleteNode(doomed ? doomed : node);
        RemoveFrame(*region, index);
    });
    ws.ShowElement(region);
    ws.Panel().ShowScene(project, *scene, region);
    TreeNode* next = index > 0 ? ws.Tree().FindFrameNode(region, index - 1) : nullptr;
    if (next) {
        ws.Tree().EnsureVisible(next);
        ws.Tree().SetCaret(next);
    } else {
        ws.SelectObject(region);
    }
}

// The elements of the selected nodes when there are several and every one is an element or a
// group (deleted together as one step), else none.
std::vector<SnapShotItem*> SelectedElementsOnly(Workspace& ws)
{
    std::vector<SnapShotItem*> elements;
    for (TreeNode* node : ws.Tree().VisibleNodes()) {
        if (!node->selected) {
            continue;
        }
        if ((node->data.kind != TreeNodeData::kGroup &&
             node->data.kind != TreeNodeData::kElement) ||
            !node->data.element) {
            return {};
        }
        elements.push_back(node->data.element);
    }
    return elements.size() > 1 ? elements : std::vector<SnapShotItem*>{};
}

} // namespace

void Caret(Workspace& ws)
{
    TreeNode* node = ws.Tree().Caret();
    APStyleProject* project = ws.CurrentProject();
    if (!node || !project) {
        return;
    }
    if (node->data.kind == TreeNodeData::kGroup || node->data.kind == TreeNodeData::kElement) {
        if (std::vector<SnapShotItem*> several = multi::Elements(ws); several.size() > 1) {
            DeleteElements(ws, *project, std::move(several));
            return;
        }
    }
    switch (node->data.kind) {
    case TreeNodeData::kScene:
        DeleteScene(ws, *project, node);
        break;
    case TreeNodeData::kGroup:
        if (IsRootGroup(*project, node->data.element)) {
            Refuse(ws, platform::uiText("不能删除最顶层的窗口!"));
            return;
        }
        DeleteElement(ws, *project, node);
        break;
    case TreeNodeData::kFrame:
        DeleteFrame(ws, *project, node);
        break;
    case TreeNodeData::kElement:
        DeleteElement(ws, *project, node);
        break;
    default:
        break;
    }
}

void Selected(Workspace& ws)
{
    if (APStyleProject* project = ws.CurrentProject()) {
        if (std::vector<SnapShotItem*> several = SelectedElementsOnly(ws); !several.empty()) {
            DeleteElements(ws, *project, std::move(several));
            return;
        }
    }
    std::vector<TreeNode*> chosen;
    for (TreeNode* node : ws.Tree().VisibleNodes()) {
        if (node->selected) {
            ws.Tree().SetSelected(node, false);
            chosen.push_back(node);
        }
    }
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it) {
        // A node may have gone with an earlier deletion (a frame of a region that
        // went as a whole).
        const auto all = ws.Tree().AllNodes();
        if (std::find(all.begin(), all.end(), *it) == all.end()) {
            continue;
        }
        ws.Tree().SetSelected(*it, true);
        ws.Tree().SetCaret(*it);
        Caret(ws);
    }
    for (TreeNode* node : ws.Tree().AllNodes()) {
        ws.Tree().SetSelected(node, false);
    }
}

} // namespace editing::del
