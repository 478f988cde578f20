#include "editing/TreeDragDrop.h"

#include "components/visual/Graph.h"
#include "editing/ActDragItem.h"
#include "editing/ActDragShot.h"
#include "editing/AddCommands.h"
#include "editing/DeletedFlag.h"
#include "editing/ElementCopy.h"
#include "editing/KeptGeometry.h"
#include "editing/UndoHistory.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"

namespace editing {

void TreeDragDrop::Begin(TreeNode* node, bool ctrl)
{
    m_dragged = node;
    m_target = nullptr;
    if (node) {
        m_ws.Tree().SetCaret(node);
    }
    m_ws.SetCopyFlag(ctrl ? 1 : 0);
}

bool TreeDragDrop::Allowed(const TreeNode* dragged, const TreeNode* target)
{
    if (!dragged || !target || dragged == target) {
        return false;
    }
    for (const TreeNode* up = target; up; up = up->parent) {
        if (up == dragged) {
            return false;
        }
    }
    const std::uint32_t from = dragged->data.kind;
    const std::uint32_t to = target->data.kind;
    // A frame node stands for no element of its own: there is nothing to copy.
    if (from == TreeNodeData::kProject || from == TreeNodeData::kFrame) {
        return false;
    }
    if (from == TreeNodeData::kScene) {
        return to == TreeNodeData::kProject;
    }
    return to == TreeNodeData::kGroup || to == TreeNodeData::kScene;
}

bool TreeDragDrop::Over(TreeNode* target, bool ctrl)
{
    m_target = target;
    m_ws.Tree().SetDropHighlight(target);
    m_ws.SetCopyFlag(ctrl ? 1 : 0);
    if (!Allowed(m_dragged, target)) {
        return false;
    }
    if (target == m_dragged->parent ||
        ProjectTree::ProjectOfNode(target) != ProjectTree::ProjectOfNode(m_dragged)) {
        m_ws.SetCopyFlag(1);
    }
    return true;
}

bool TreeDragDrop::Release()
{
    TreeNode* dragged = m_dragged;
    TreeNode* target = m_target;
    m_dragged = nullptr;
    m_target = nullptr;
    m_ws.Tree().SetDropHighlight(nullptr);
    if (!Allowed(dragged, target) || !add::ParentAllowsEditing(dragged->data.element)) {
        if (dragged) {
            m_ws.Tree().SetCaret(dragged);
        }
        return false;
    }
    m_dragged = dragged;
    m_target = target;
    dragged->data.kind == TreeNodeData::kScene ? DropScene() : DropElement();
    m_dragged = nullptr;
    m_target = nullptr;
    return true;
}

void TreeDragDrop::DropScene()
{
    APStyleProject* from = ProjectTree::ProjectOfNode(m_dragged);
    APStyleProject* to = m_target->data.project;
    m_ws.SetCurrentProject(to);
    Snapshot* source = m_dragged->data.scene;
    Snapshot* made = CopySceneInto(*from, *source, *to);
    AddRecord(*to, std::make_unique<ActDragShot>(to, source, made));
    m_ws.Tree().InsertScene(*made, *to);
    m_ws.SelectObject(made);
    m_ws.Panel().ShowScene(*to, *made, nullptr);
    m_ws.ShowScene(made);
}

void TreeDragDrop::DropElement()
{
    APStyleProject* from = ProjectTree::ProjectOfNode(m_dragged);
    APStyleProject* to = ProjectTree::ProjectOfNode(m_target);
    m_ws.SetCurrentProject(to);
    Snapshot* scene = m_target->data.scene;
    to->SetCurrentScene(scene);
    SnapShotItem* targetGroup = add::ContainerOf(m_target);
    SnapShotItem* source = m_dragged->data.element;
    if (!targetGroup || !source || !targetGroup->IsEditable()) {
        m_ws.Tree().SetCaret(m_dragged);
        return;
    }
    const int copyFlag = m_ws.CopyFlag();
    SnapShotItem* made = CopyElementInto(*from, *source, *targetGroup, *to, copyFlag);
    if (!made) {
        return;
    }
    targetGroup->OwnGraph()->SetSelected(true);
    if (SnapShotItem* parent = targetGroup->Parent()) {
        parent->OwnGraph()->SetSelected(true);
    }
    made->MoveBy(0, 0);
    // The drag records only the element it made: the others keep their stored sizes.
    ReloadKeepingGeometry(*targetGroup, made);
    TreeNode* target = m_target;
    if (copyFlag == 0) {
        SetElementDeleted(*source, true);
        // The moved element's old node would stand for a deleted element.
        m_ws.Tree().DeleteNode(m_dragged);
    }
    AddRecord(*to, std::make_unique<ActDragItem>(to, copyFlag, source, made, targetGroup));
    const void* parentNode =
        target->data.kind == TreeNodeData::kScene ? static_cast<const void*>(scene) : targetGroup;
    m_ws.Tree().InsertElement(*made, parentNode, *scene);
    m_ws.SelectObject(made);
    m_ws.Panel().ShowScene(*to, *scene, made);
    m_ws.Tree().EnsureVisible(target);
    m_ws.Tree().SetCaret(target);
}

} // namespace editing
