#include "editing/CommandRules.h"

#include "editing/AddCommands.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/PicSnapshotItem.h"

#include <algorithm>

namespace editing::rules {

namespace {

bool AllowsEditing(SnapShotItem* element)
{
    return element && element->IsEditable() != 0;
}

bool IsGroup(SnapShotItem* element)
{
    return element && element->KindCode() == SnapShotItem::kGroup;
}

} // namespace

bool HasProject(Workspace& ws)
{
    return ws.CurrentProject() != nullptr;
}

bool ParentRule(Workspace& ws)
{
    return add::ParentAllowsEditing(ws.Selection().Element());
}

bool CanAddFromMenu(Workspace& ws)
{
    SnapShotItem* element = ws.Selection().Element();
    const bool place = ws.Selection().Scene() || IsGroup(element);
    const bool editable = !element || AllowsEditing(element);
    return HasProject(ws) && place && editable && ParentRule(ws);
}

bool CanAddFrame(Workspace& ws)
{
    auto* picture = dynamic_cast<PicSnapshotItem*>(ws.Selection().Element());
    return HasProject(ws) && picture && picture->KindCode() == SnapShotItem::kPicture &&
           !picture->IsSingle() && ParentRule(ws);
}

bool CanAddIntoContainer(Workspace& ws)
{
    SnapShotItem* element = ws.Selection().Element();
    return HasProject(ws) && (!element || AllowsEditing(element));
}

bool CanDeleteSelected(Workspace& ws)
{
    SnapShotItem* element = ws.Selection().Element();
    if (!element && !ws.Selection().Scene()) {
        return false;
    }
    if (IsGroup(element) && !element->Parent()) {
        return false;
    }
    return ParentRule(ws);
}

bool CanDelete(Workspace& ws)
{
    if (!CanDeleteSelected(ws)) {
        return false;
    }
    if (ws.Selection().Scene() && ws.CurrentProject()) {
        const auto& scenes = ws.CurrentProject()->Scenes();
        return std::count_if(scenes.begin(), scenes.end(),
                             [](const auto& scene) { return !scene->IsDeleted(); }) >= 2;
    }
    return true;
}

bool CanMoveFromMenu(Workspace& ws)
{
    APStyleProject* project = ws.CurrentProject();
    const bool something = ws.Selection().Element() || (project && project->CurrentScene());
    return something && ParentRule(ws);
}

} // namespace editing::rules
