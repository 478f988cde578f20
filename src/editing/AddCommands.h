#pragma once

class SnapShotItem;
class Snapshot;

namespace editing {

class Workspace;
struct TreeNode;

// The adding commands: scenes, resource groups, picture regions, pictures,
// strings and frames. Each acts on the workspace's current project and selection.
namespace add {

// Adds a scene with its root group "window" (showSurface: the menu variant, which
// also shows the scene). Returns the scene, or null without a current project.
Snapshot* Scene(Workspace& ws, bool showSurface);
// Adds a resource group below the caret node (a scene or a group).
SnapShotItem* Group(Workspace& ws);
// The Project menu's add picture region (kind 1) and add string (kind 2).
SnapShotItem* FromMenu(Workspace& ws, int kind);
// The container menu's add picture region (single 0) and add picture (single 1).
SnapShotItem* IntoContainer(Workspace& ws, int single);
// Appends an empty frame to the current picture region, with its undo record and
// tree node. Returns false when the current element is no picture.
bool Frame(Workspace& ws);

// The group a node stands for as a container: the root group of a scene node, the
// group of a group node; null for anything else.
SnapShotItem* ContainerOf(const TreeNode* node);
// False when `element` lies in a group whose editing is forbidden.
bool ParentAllowsEditing(const SnapShotItem* element);
// The object whose tree node a new child of `container` (in `scene`) hangs below: the
// scene for its root group, which has no node of its own, else the container.
const void* NodeObjectOf(SnapShotItem& container, Snapshot& scene);
// Tells the user that resource groups go only into scenes and resource groups.
void ShowIllegalGroupPlace();

} // namespace add
} // namespace editing
