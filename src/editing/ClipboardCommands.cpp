#include "editing/ClipboardCommands.h"

#include "components/visual/Graph.h"
#include "editing/ActAddSnapItemObj.h"
#include "editing/ActAddSnapshotObj.h"
#include "editing/AddCommands.h"
#include "editing/ElementCopy.h"
#include "editing/KeptGeometry.h"
#include "editing/RootGroup.h"
#include "editing/UndoHistory.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"

namespace editing::clip {

void Copy(Workspace& ws)
{
    ProjectClipboard& buffer = ws.Clipboard();
    if (SnapShotItem* element = ws.Selection().Element()) {
        buffer = ProjectClipboard{ws.CurrentProject(), element->KindCode(), element, nullptr};
    } else if (Snapshot* scene = ws.Selection().Scene()) {
        buffer = ProjectClipboard{ws.CurrentProject(), ProjectClipboard::kScene, nullptr, scene};
    } else {
        return;
    }
    ws.SetCopyFlag(1);
}

SnapShotItem* PasteTarget(Workspace& ws)
{
    const ProjectClipboard& buffer = ws.Clipboard();
    if (buffer.Empty() || buffer.kind == ProjectClipboard::kScene || !buffer.element ||
        !ws.IsOpen(buffer.source) || ws.Selection().SettingsProject()) {
        return nullptr;
    }
    SnapShotItem* target = nullptr;
    if (Snapshot* scene = ws.Selection().Scene()) {
        target = RootGroupOf(*scene);
    } else {
        target = ws.Selection().Element();
    }
    if (!target || target->KindCode() != SnapShotItem::kGroup || !target->IsEditable()) {
        return nullptr;
    }
    return target;
}

bool CanPaste(Workspace& ws)
{
    const ProjectClipboard& buffer = ws.Clipboard();
    if (buffer.kind == ProjectClipboard::kScene) {
        return ws.IsOpen(buffer.source) && ws.Selection().SettingsProject() != nullptr;
    }
    return PasteTarget(ws) != nullptr;
}

namespace {

constexpr int kPasteOffset = 10;

void PasteElement(Workspace& ws, APStyleProject& project, SnapShotItem& target)
{
    const ProjectClipboard& buffer = ws.Clipboard();
    Snapshot* intoScene = ws.Selection().Scene();
    Snapshot* scene = intoScene ? intoScene : project.CurrentScene();
    SnapShotItem* copy =
        CopyElementInto(*buffer.source, *buffer.element, target, project, ws.CopyFlag());
    if (!copy || !scene) {
        return;
    }
    // Pasted beside the original, the copy would hide it exactly: it lands (10, 10) off.
    if (buffer.element->Parent() == &target) {
        SnapItemInfo* block = copy->AttrBlock();
        block->x = static_cast<std::int16_t>(block->x + kPasteOffset);
        block->y = static_cast<std::int16_t>(block->y + kPasteOffset);
        copy->MoveBy(kPasteOffset, kPasteOffset);
        copy->RefreshRows();
    }
    AddRecord(project, std::make_unique<ActAddSnapItemObj>(&project, copy));
    ws.Tree().InsertElement(*copy, add::NodeObjectOf(target, *scene), *scene);
    ws.SelectObject(&target);
    target.OwnGraph()->SetSelected(true);
    if (SnapShotItem* parent = target.Parent()) {
        parent->OwnGraph()->SetSelected(true);
    }
    copy->MoveBy(0, 0);
    // Only the copy is new: the target's other members keep their stored sizes, which no
    // record of the paste would restore.
    ReloadKeepingGeometry(target, copy);
}

void PasteScene(Workspace& ws, APStyleProject& project)
{
    const ProjectClipboard& buffer = ws.Clipboard();
    Snapshot* scene = CopySceneInto(*buffer.source, *buffer.scene, project);
    AddRecord(project, std::make_unique<ActAddSnapshotObj>(&project, scene));
    ws.Tree().InsertScene(*scene, project);
    ws.SelectObject(scene);
    ws.Panel().ShowScene(project, *scene, nullptr);
    ws.ShowScene(scene);
}

} // namespace

void Paste(Workspace& ws)
{
    APStyleProject* project = ws.CurrentProject();
    if (!project || !CanPaste(ws)) {
        return;
    }
    const std::size_t pictures = project->Pictures().Size();
    const std::size_t strings = project->Strings().Size();
    if (ws.Clipboard().kind == ProjectClipboard::kScene) {
        PasteScene(ws, *project);
    } else {
        PasteElement(ws, *project, *PasteTarget(ws));
    }
    if (project->Pictures().Size() > pictures ||
        (project->Strings().Size() > strings && ws.ShownResourceList() == Workspace::kStringList)) {
        ws.RefreshResourcePanel();
    }
}

} // namespace editing::clip
