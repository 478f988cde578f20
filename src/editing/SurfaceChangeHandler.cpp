#include "editing/SurfaceChangeHandler.h"

#include "components/visual/Graph.h"
#include "editing/ActModifySnapItemAttr.h"
#include "editing/UndoHistory.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/SnapShotItem.h"
#include "platform/MainWindowSink.h"

#include <memory>

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
    APStyleProject* project = m_workspace.CurrentProject();
    m_workspace.Panel().ClearSelection();
    graph->SetSelected(true);
    if (code == VisualEditor::kCodeChanged) {
        // The element still holds its state from before the gesture: only the drawable
        // moved. That state is what an undo puts back.
        std::unique_ptr<ActModifySnapItemAttr> record;
        const GraphRect before = element->AbsoluteRect();
        if (project) {
            record = std::make_unique<ActModifySnapItemAttr>(project, element);
            record->CaptureBefore();
        }
        element->RefreshRows();
        element->LoadResource();
        // A gesture that ended where it started (or that the reload undid, as for a
        // picture, which keeps its picture's size) leaves nothing to undo.
        if (record && element->AbsoluteRect() != before) {
            record->CaptureAfter();
            AddRecord(*project, std::move(record));
        }
    }
    platform::notifyMainWindow(platform::kMsgElementChanged,
                               reinterpret_cast<std::uintptr_t>(element));
    if (Graph* parent = element->ParentGraph()) {
        parent->SetSelected(true);
    }
    m_workspace.Panel().Redraw();
}

VisualEditor::Callback SurfaceChangeHandler::Callback(Workspace& workspace)
{
    return [handler = SurfaceChangeHandler(workspace)](Graph* graph, int code) mutable {
        handler(graph, code);
    };
}

} // namespace editing
