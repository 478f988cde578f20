#pragma once

#include "components/visual/VisualEditor.h"

#include <memory>
#include <vector>

class Graph;
class SnapShotItem;

namespace editing {

class ChangeBatch;
class Workspace;

// What the editor does when the user works on the editing surface. A change (code 2) of
// a picture or text drawable: the surface deselects all and selects it, its element
// refreshes its rows from the drawable and reloads, the change becomes one undo record,
// the element becomes the selection that every view shows, and the parent's drawable is
// selected too. A pick (code 1) selects the same way, without rows, reload or record, so
// that the tree and the property grid follow the click. Several drawables of one gesture
// (between codes 4 and 5) are one undo record and stay selected together; a Ctrl+click
// (code 3) adds to or takes from the selection, the rubber band (code 6) selects what it
// caught, Esc (code 7) clears.
class SurfaceChangeHandler
{
public:
    // `workspace` is not owned and must outlive the handler.
    explicit SurfaceChangeHandler(Workspace& workspace);
    ~SurfaceChangeHandler();
    SurfaceChangeHandler(const SurfaceChangeHandler&) = delete;
    SurfaceChangeHandler& operator=(const SurfaceChangeHandler&) = delete;

    void operator()(Graph* graph, int code);

    // The callback to give the surface's CreateEditor.
    static VisualEditor::Callback Callback(Workspace& workspace);

private:
    void Changed(SnapShotItem& element);
    void EndGroup();

    Workspace& m_workspace;
    // A gesture of several drawables in progress: its batch and what it reported.
    std::unique_ptr<ChangeBatch> m_group;
    std::vector<SnapShotItem*> m_changed;
    std::vector<SnapShotItem*> m_banded;
};

} // namespace editing
