#pragma once

namespace editing {

class Workspace;

// The enabling rules of the command table.
namespace rules {

bool HasProject(Workspace& ws);
// Add group, string, region and picture from the Project menu.
bool CanAddFromMenu(Workspace& ws);
// Add frame and add frame directory: a picture region is current.
bool CanAddFrame(Workspace& ws);
// The container menu's adds: no current element, or one that allows editing.
bool CanAddIntoContainer(Workspace& ws);
bool CanDelete(Workspace& ws);
bool CanDeleteSelected(Workspace& ws);
// Move up and down of the main menu; the parent rule alone for the tree menus.
bool CanMoveFromMenu(Workspace& ws);
bool ParentRule(Workspace& ws);

} // namespace rules
} // namespace editing
