#pragma once

#include "components/visual/VisualEditor.h"

class Graph;

namespace editing {

class Workspace;

// What the editor does when the user works on the editing surface. A change (code 2) of
// a picture or text drawable: the surface deselects all and selects it, its element
// refreshes its rows from the drawable and reloads, the change becomes one undo record,
// the element becomes the selection that every view shows, and the parent's drawable is
// selected too. A pick (code 1) selects the same way, without rows, reload or record, so
// that the tree and the property grid follow the click.
class SurfaceChangeHandler
{
public:
    // `workspace` is not owned and must outlive the handler.
    explicit SurfaceChangeHandler(Workspace& workspace) : m_workspace(workspace) {}

    void operator()(Graph* graph, int code);

    // The callback to give the surface's CreateEditor.
    static VisualEditor::Callback Callback(Workspace& workspace);

private:
    Workspace& m_workspace;
};

} // namespace editing
