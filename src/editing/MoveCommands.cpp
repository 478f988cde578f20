#include "editing/MoveCommands.h"

#include "editing/ActModifySnapItemAttr.h"
#include "editing/AddCommands.h"
#include "editing/DocumentSync.h"
#include "editing/UndoHistory.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"

#include <memory>
#include <utility>

namespace editing::move {

namespace {

// True when index + step names an entry of a list of `size` entries.
bool Fits(long long index, int step, std::size_t size)
{
    return index >= 0 && index + step >= 0 && index + step < static_cast<long long>(size);
}

bool MoveScene(Workspace& ws, APStyleProject& project, Snapshot* scene, int step)
{
    auto& scenes = project.Scenes();
    long long index = -1;
    for (std::size_t i = 0; i < scenes.size(); ++i) {
        if (scenes[i].get() == scene) {
            index = static_cast<long long>(i);
        }
    }
    if (!Fits(index, step, scenes.size())) {
        return false;
    }
    auto& a = scenes[static_cast<std::size_t>(index)];
    auto& b = scenes[static_cast<std::size_t>(index + step)];
    SwapNodesInDocument(project, a->GetId(), b->GetId());
    std::swap(a, b);
    project.SetModified(1);
    ws.RebuildTree();
    ws.Panel().ShowScene(project, *scene, ws.Selection().Element());
    ws.SelectObject(scene);
    return true;
}

bool MoveElement(Workspace& ws, APStyleProject& project, SnapShotItem* element, int step)
{
    auto* parent = dynamic_cast<CCanvasSnapShotItem*>(element->Parent());
    if (!parent) {
        return false;
    }
    auto& children = parent->ChildList();
    long long index = -1;
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (children[i].get() == element) {
            index = static_cast<long long>(i);
        }
    }
    if (!Fits(index, step, children.size())) {
        return false;
    }
    auto& a = children[static_cast<std::size_t>(index)];
    auto& b = children[static_cast<std::size_t>(index + step)];
    SwapNodesInDocument(project, a->GetId(), b->GetId());
    std::swap(a, b);
    project.SetModified(1);
    ws.RebuildTree();
    ws.SelectObject(element);
    return true;
}

bool MoveFrame(Workspace& ws, APStyleProject& project, PicSnapshotItem* region, int step)
{
    const int current = region->CurrentFrameIndex();
    auto& frames = region->Frames();
    if (frames.size() <= 1 || current == -1 || !Fits(current, step, frames.size())) {
        return false;
    }
    // Recorded, unlike the other moves: the region's other records restore whole frame
    // lists, so an unrecorded swap would be undone or redone along with them unasked.
    auto record = std::make_unique<ActModifySnapItemAttr>(&project, region);
    record->CaptureBefore();
    std::swap(frames[static_cast<std::size_t>(current)],
              frames[static_cast<std::size_t>(current + step)]);
    region->RefreshRows();
    record->CaptureAfter();
    AddRecord(project, std::move(record));
    ws.RebuildTree();
    if (TreeNode* node = ws.Tree().FindFrameNode(region, current + step)) {
        ProjectTree::EnsureVisible(node);
        ws.Tree().SetCaret(node);
    }
    return true;
}

} // namespace

bool Caret(Workspace& ws, int step)
{
    TreeNode* node = ws.Tree().Caret();
    APStyleProject* project = ws.CurrentProject();
    if (!node || !project || !add::ParentAllowsEditing(ws.Selection().Element())) {
        return false;
    }
    const TreeNodeData data = node->data;
    switch (data.kind) {
    case TreeNodeData::kScene:
        return MoveScene(ws, *project, data.scene, step);
    case TreeNodeData::kElement:
    case TreeNodeData::kGroup:
        return MoveElement(ws, *project, data.element, step);
    case TreeNodeData::kFrame:
        return MoveFrame(ws, *project, dynamic_cast<PicSnapshotItem*>(data.element), step);
    default:
        return false;
    }
}

} // namespace editing::move
