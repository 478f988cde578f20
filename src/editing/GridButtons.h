#pragma once

namespace editing {

class PropertyGrid;
class Workspace;

// The push buttons of the property grid's button column: the colour chooser, the
// picture path of a picture's current frame, the string id of a string, and the
// paths, case folder and name string of the project page. Each asks through
// platform::interaction() (or the grid's string chooser), and a cancelled chooser
// changes nothing.
namespace gridbutton {

// True when the button of `row` on the grid's page does something now: it is a
// button cell, and for the string id rows the string selection is available.
bool Available(const PropertyGrid& grid, int row);
// Presses the button of `row` of the workspace's grid. Returns true when something
// was changed (a cancelled chooser, a refused picture or an unknown row: false).
bool Press(Workspace& ws, int row);

// The "Path" row of a picture or region: a picture file for the current frame. A
// region of several frames takes only pictures of its frames' size; a picture new to
// the project is added to its picture list. One undo record.
bool PressPath(Workspace& ws, int row);
// The "StringID" row of a string: binds the string chosen in the string selection.
// One undo record.
bool PressStringId(Workspace& ws, int row);
// A "Browse.." button of the project page.
bool PressProjectButton(Workspace& ws, int row);

} // namespace gridbutton

} // namespace editing
