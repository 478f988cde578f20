#pragma once

#include <vector>

class SnapShotItem;

namespace editing {

class Workspace;

// The selection of several elements. It is the tree's: the nodes in the selected state (the
// checked ones while the tree shows check boxes) with the caret's node as the key element,
// so that checking in the tree and Ctrl+click on the surface pick the same elements.
namespace multi {

// The selected elements of the key element's scene, the key element first and the others in
// tree order; the selection's element alone when no node is marked. Empty without an element.
std::vector<SnapShotItem*> Elements(Workspace& ws);
// Ctrl+click: adds `element` to the selection, or takes it out when it is in. Without a
// selection it becomes the key element.
void Toggle(Workspace& ws, SnapShotItem& element);
// Makes `elements` the selection, the first the key element. Empty: nothing changes.
void SelectSet(Workspace& ws, const std::vector<SnapShotItem*>& elements);
// Every element beside the key element in its group (the scene's top level for a top-level
// one) joins the selection.
void SelectLevel(Workspace& ws);
// Takes every element but the key element out of the selection.
void Clear(Workspace& ws);
// Marks the selected elements' drawables on the surface, so that each shows its frame.
void ShowOnSurface(Workspace& ws);

} // namespace multi
} // namespace editing
