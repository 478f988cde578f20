#pragma once

class APStyleProject;
class Snapshot;
class SnapShotItem;

// What the undo records tell the views.
namespace editing {

// Rebuild the project tree and select the node of `object`.
void NotifyRebuild(APStyleProject* project);
void NotifyRebuild(Snapshot* scene);
void NotifyRebuild(SnapShotItem* element);
// Refresh the editing surface; the project is modified.
void NotifyRefresh();

} // namespace editing
