#pragma once

namespace editing {

class Workspace;

// Deleting the caret node (32795) and every selected node (32782).
namespace del {

// Deletes what the caret node stands for: a scene, an element, a group or a frame,
// with the refusals, undo records and the choice of what is shown next.
void Caret(Workspace& ws);
// Deletes every node in the selected state, the last in display order first.
void Selected(Workspace& ws);

} // namespace del
} // namespace editing
