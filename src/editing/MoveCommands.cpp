#include "editing/MoveCommands.h"

#include "editing/RecordedEdit.h"
#include "editing/AddCommands.h"
#include "editing/DocumentSync.h"
#include "editing/UndoHistory.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace editing::move {

namespace {

// True when index + step names an entry of a list of `size` entries.
bool Fits(long long index, int step, std::size_t size)
{
    return index >= 0 && index + step >= 0 && index + step < static_cast<long long>(size);
}

// Swaps the entry holding `object` with the one `step` places away, in the document too,
// and marks the project modified. Returns false, changing nothing, when either is missing.
template <typename List, typename Object>
bool SwapInList(APStyleProject& project, List& list, const Object* object, int step)
{
    const auto at = std::find_if(list.begin(), list.end(),
                                 [object](const auto& entry) { return entry.get() == object; });
    const long long index = at == list.end() ? -1 : static_cast<long long>(at - list.begin());
    if (!Fits(index, step, list.size())) {
        return false;
    }
    auto& a = list[static_cast<std::size_t>(index)];
    auto& b = list[static_cast<std::size_t>(index + step)];
    SwapNodesInDocument(project, a->GetId(), b->GetId());
    std::swap(a, b);
    project.SetModified(1);
    return true;
}

bool MoveScene(Workspace& ws, APStyleProject& project, Snapshot* scene, int step)
{
    if (!SwapInList(project, project.Scenes(), scene, step)) {
        return false;
    }
    ws.RebuildTree();
    ws.Panel().ShowScene(project, *scene, ws.Selection().Element());
    ws.SelectObject(scene);
    return true;
}

bool MoveElement(Workspace& ws, APStyleProject& project, SnapShotItem* element, int step)
{
    auto* parent = dynamic_cast<CCanvasSnapShotItem*>(element->Parent());
    if (!parent || !SwapInList(project, parent->ChildList(), element, step)) {
        return false;
    }
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
    RecordElementEdit(project, *region, [&] {
        std::swap(frames[static_cast<std::size_t>(current)],
                  frames[static_cast<std::size_t>(current + step)]);
        region->RefreshRows();
    });
    ws.RebuildTree();
    if (TreeNode* node = ws.Tree().FindFrameNode(region, current + step)) {
        ws.Tree().EnsureVisible(node);
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
