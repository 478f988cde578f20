#include "editing/MiscCommands.h"

#include "components/visual/Graph.h"
#include "editing/DocumentSync.h"
#include "editing/RootGroup.h"
#include "editing/TreeImages.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

#include <vector>

namespace editing::misc {

bool ClearPicture(Workspace& ws)
{
    TreeNode* node = ws.Tree().Caret();
    APStyleProject* project = ws.CurrentProject();
    if (!node || !project) {
        return false;
    }
    if (node->data.kind != TreeNodeData::kElement) {
        node = node->parent;
    }
    auto* picture = node ? dynamic_cast<PicSnapshotItem*>(node->data.element) : nullptr;
    if (!picture || picture->KindCode() != SnapShotItem::kPicture || picture->Frames().empty()) {
        return false;
    }
    if (PicFrame* frame = picture->CurrentFrame()) {
        *frame = PicFrame{};
    }
    picture->RefreshRows();
    ws.ShowElement(picture);
    picture->LoadResource();
    picture->OwnGraph()->SetSelected(true);
    project->SetModified(1);
    return true;
}

bool ToggleEditing(Workspace& ws)
{
    auto* group = dynamic_cast<CCanvasSnapShotItem*>(ws.Selection().Element());
    APStyleProject* project = ws.CurrentProject();
    if (!group || !project) {
        return false;
    }
    const bool allowed = group->IsEditable() != 0;
    if (!allowed && platform::interaction().askYesNo(
                        platform::uiText("允许编辑会打乱资源组的整体性，确定继续？"), {},
                        platform::Answer::No) != platform::Answer::Yes) {
        return false;
    }
    group->SetEditable(allowed ? 0 : 1, 1);
    ws.Tree().SetImage(group, kSelectorGroup, !allowed);
    project->SetModified(1);
    return true;
}

namespace {

template <typename Object>
void Renumber(Object& object, std::uint32_t id, IdRenumbering& pairs)
{
    if (object.GetId() != id) {
        pairs.emplace_back(object.GetId(), id);
        object.SetId(id);
    }
}

template <typename Object>
void Number(Object& object, std::int32_t& counter, IdRenumbering& pairs)
{
    Renumber(object, static_cast<std::uint32_t>(counter++), pairs);
}

// Numbers the scenes and elements that have nodes, in tree order; collects the scenes' root
// groups, which have none.
void Walk(TreeNode& node, std::int32_t& counter, IdRenumbering& pairs,
          std::vector<SnapShotItem*>& rootGroups)
{
    const TreeNodeData& data = node.data;
    if (data.kind == TreeNodeData::kScene && !data.scene->IsDeleted()) {
        Number(*data.scene, counter, pairs);
        if (SnapShotItem* root = RootGroupOf(*data.scene)) {
            rootGroups.push_back(root);
        }
    } else if ((data.kind == TreeNodeData::kElement || data.kind == TreeNodeData::kGroup) &&
               !data.element->IsDeleted()) {
        Number(*data.element, counter, pairs);
    }
    for (const auto& child : node.children) {
        Walk(*child, counter, pairs, rootGroups);
    }
}

} // namespace

int ReorderIds(Workspace& ws)
{
    APStyleProject* project = ws.CurrentProject();
    TreeNode* root = project ? ws.Tree().FindNode(project) : nullptr;
    if (!root) {
        return 0;
    }
    // Deleted objects keep their ids and their document nodes until the next save; a live
    // object renumbered to such an id would then share it with a node the save removes,
    // and the save would drop or duplicate the live one. Bring the document up to date
    // first, which removes those nodes, as the save would.
    project->UpdateDocument();
    std::int32_t counter = 0;
    IdRenumbering pairs;
    std::vector<SnapShotItem*> rootGroups;
    Walk(*root, counter, pairs, rootGroups);
    // A root group has no node, so the walk gives it no number; left as it was, its
    // identifier would soon be another object's too, and the document edits, which find
    // nodes by identifier, would then change the wrong node (a move after a renumbering
    // saved a whole scene twice). The root groups take the numbers after the walk's, so
    // every identifier stays unique and the counter stays above them all.
    for (SnapShotItem* group : rootGroups) {
        Number(*group, counter, pairs);
    }
    project->ResetIdCounter();
    project->RaiseIdCounter(counter);
    RenumberNodesInDocument(*project, pairs);
    project->SetModified(1);
    ws.Grid().Refresh();
    platform::interaction().showMessage(
        platform::uiText("重新排列完成！保存之后，你必须重新编译应用程序"), {},
        platform::MessageIcon::Information);
    return counter;
}

void MultiSelect(Workspace& ws)
{
    // A second use hides the check boxes again; each showing starts with none checked.
    const bool shown = ws.Tree().CheckBoxes();
    ws.Tree().SetCheckBoxes(false);
    if (!shown) {
        ws.Tree().SetCheckBoxes(true);
    }
}

} // namespace editing::misc
