#include "editing/SurfaceChangeHandler.h"

#include "components/visual/Graph.h"
#include "editing/ChangeFeed.h"
#include "editing/RecordedEdit.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/SnapShotItem.h"

namespace editing {

void SurfaceChangeHandler::operator()(Graph* graph, int code)
{
    if (!graph || (code != VisualEditor::kCodeSelected && code != VisualEditor::kCodeChanged)) {
        return;
    }
    const int type = graph->GraphType();
    if (type != Graph::kGraphPicture && type != Graph::kGraphText) {
        return;
    }
    auto* element = dynamic_cast<SnapShotItem*>(graph);
    if (!element || element->IsDeleted()) {
        return;
    }
    // The pick or the gesture with all it changes is one batch: every view hears it once.
    const ChangeBatch batch(m_workspace.Feed());
    m_workspace.Panel().ClearSelection();
    graph->SetSelected(true);
    if (code == VisualEditor::kCodeChanged) {
        // The element still holds its state from before the gesture: only the drawable
        // moved. That state is what an undo puts back. A gesture that ended where it
        // started leaves nothing to undo.
        const auto takeFromDrawable = [element] {
            element->RefreshRows();
            element->LoadResource();
        };
        if (APStyleProject* project = m_workspace.CurrentProject()) {
            RecordElementEdit(*project, *element, takeFromDrawable,
                              RecordPolicy::WhenGeometryChanged);
        } else {
            takeFromDrawable();
        }
    }
    if (Graph* parent = element->ParentGraph()) {
        parent->SetSelected(true);
    }
    m_workspace.Select(element);
}

VisualEditor::Callback SurfaceChangeHandler::Callback(Workspace& workspace)
{
    return [handler = SurfaceChangeHandler(workspace)](Graph* graph, int code) mutable {
        handler(graph, code);
    };
}

} // namespace editing
