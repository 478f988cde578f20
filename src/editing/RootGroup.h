#pragma once

class APStyleProject;
class Snapshot;
class SnapShotItem;

namespace editing {

// The root group of `scene` (its first top-level element), or null when it has none.
// Owned by the scene.
SnapShotItem* RootGroupOf(const Snapshot& scene);
// True when `object` is the root group of one of the project's scenes.
bool IsRootGroup(const APStyleProject& project, const void* object);

} // namespace editing
