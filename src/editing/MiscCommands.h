#pragma once

namespace editing {

class Workspace;

// Clear picture (32828), allow or forbid editing (1133), reorder ids (32822) and
// multi-select (32858).
namespace misc {

// Empties the current frame of the caret's picture element (or of a frame's region).
bool ClearPicture(Workspace& ws);
// Switches the current group's editing-allowed flag for its whole tree; allowing
// asks first. Returns true when the flag changed.
bool ToggleEditing(Workspace& ws);
// Renumbers every live scene and element of the current project in tree order.
// Returns the number of identifiers given.
int ReorderIds(Workspace& ws);
// Shows check boxes on every node, none checked; hides them when they are shown.
void MultiSelect(Workspace& ws);

} // namespace misc
} // namespace editing
