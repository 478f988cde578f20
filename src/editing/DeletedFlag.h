#pragma once

class Snapshot;
class SnapShotItem;

// Switching the deleted flag as the undo records and the delete command do it.
namespace editing {

// Sets or clears the element's deleted flag and deselects its drawable, so that a
// hidden element never stays selected on the surface.
void SetElementDeleted(SnapShotItem& element, bool deleted);
void SetSceneDeleted(Snapshot& scene, bool deleted);

} // namespace editing
