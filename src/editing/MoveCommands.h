#pragma once

namespace editing {

class Workspace;

// Move up and move down of the caret node: a scene, an element or a group, or the
// current frame of a region. `step` is -1 (up) or +1 (down).
namespace move {

// Returns true when something moved.
bool Caret(Workspace& ws, int step);

} // namespace move
} // namespace editing
