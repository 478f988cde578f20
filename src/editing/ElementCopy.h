#pragma once

class APStyleProject;
class SnapShotItem;
class Snapshot;

namespace editing {

// Puts a copy of `source` (an element of `from`) into `target`, a resource group
// of `to`, as paste and drop do: a clone (fresh ids when `copyFlag` is set), named
// "Copyof<name>_id<id>" when a live child of the target has the name already,
// placed at its stored coordinates, appended to the target, with the pictures and
// strings it uses brought into `to` when the projects differ. Returns the copy,
// owned by the target; null when the target is no group.
SnapShotItem* CopyElementInto(APStyleProject& from, SnapShotItem& source, SnapShotItem& target,
                              APStyleProject& to, int copyFlag);
// A copy of `source` (a scene of `from`) appended to `to`'s scenes, named
// "CopyOf<name>_id<id>" when `to` has a scene of that name, with the resources it
// uses brought over. Returns it, owned by `to`.
Snapshot* CopySceneInto(APStyleProject& from, Snapshot& source, APStyleProject& to);
// Registers in `to` every picture and string that `element`'s tree uses and `from`
// has, and points the frames at `to`'s records.
void BringResources(APStyleProject& from, SnapShotItem& element, APStyleProject& to);

} // namespace editing
