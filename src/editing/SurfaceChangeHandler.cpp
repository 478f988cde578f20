#include "editing/SurfaceChangeHandler.h"

#include "components/visual/Graph.h"
#include "editing/ChangeFeed.h"
#include "editing/MultiSelection.h"
#include "editing/RecordedEdit.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/SnapShotItem.h"

namespace editing {
namespace {

// The live element of a picture or text drawable, or null.
SnapShotItem* ElementOf(Graph* graph)
{
    if (!graph) {
        return nullptr;
    }
    const int type = graph->GraphType();
    if (type != Graph::kGraphPicture && type != Graph::kGraphText) {
        return nullptr;
    }
    auto* element = dynamic_cast<SnapShotItem*>(graph);
    return element && !element->IsDeleted() ? element : nullptr;
}

// The element still holds its state from before the gesture: only the drawable moved.
void TakeFromDrawable(SnapShotItem& element)
{
    element.RefreshRows();
    element.LoadResource();
}

} // namespace

SurfaceChangeHandler::SurfaceChangeHandler(Workspace& workspace) : m_workspace(workspace) {}

SurfaceChangeHandler::~SurfaceChangeHandler() = default;

void SurfaceChangeHandler::operator()(Graph* graph, int code)
{
    switch (code) {
    case VisualEditor::kCodeGroupBegin:
        m_group = std::make_unique<ChangeBatch>(m_workspace.Feed());
        m_changed.clear();
        m_banded.clear();
        return;
    case VisualEditor::kCodeGroupEnd:
        EndGroup();
        return;
    case VisualEditor::kCodeGuides: {
        const ChangeBatch batch(m_workspace.Feed());
        m_workspace.GuidesEdited();
        return;
    }
    case VisualEditor::kCodeCleared: {
        const ChangeBatch batch(m_workspace.Feed());
        multi::Clear(m_workspace);
        m_workspace.Panel().ClearSelection();
        return;
    }
    default:
        break;
    }
    SnapShotItem* element = ElementOf(graph);
    if (!element) {
        return;
    }
    if (m_group) {
        (code == VisualEditor::kCodeBanded ? m_banded : m_changed).push_back(element);
        return;
    }
    switch (code) {
    case VisualEditor::kCodeToggled:
        multi::Toggle(m_workspace, *element);
        return;
    case VisualEditor::kCodeBanded:
        multi::SelectSet(m_workspace, {element});
        return;
    case VisualEditor::kCodeSelected:
    case VisualEditor::kCodeChanged:
        break;
    default:
        return;
    }
    // The pick or the gesture with all it changes is one batch: every view hears it once.
    const ChangeBatch batch(m_workspace.Feed());
    const bool several = multi::Elements(m_workspace).size() > 1;
    if (code == VisualEditor::kCodeChanged) {
        Changed(*element);
    }
    // A drawable of a selection of several keeps that selection.
    if (several && code == VisualEditor::kCodeChanged) {
        multi::ShowOnSurface(m_workspace);
        return;
    }
    m_workspace.Panel().ClearSelection();
    graph->SetSelected(true);
    if (Graph* parent = element->ParentGraph()) {
        parent->SetSelected(true);
    }
    m_workspace.Select(element);
}

void SurfaceChangeHandler::Changed(SnapShotItem& element)
{
    // That state is what an undo puts back. A gesture that ended where it started leaves
    // nothing to undo.
    if (APStyleProject* project = m_workspace.CurrentProject()) {
        RecordElementEdit(
            *project, element, [&element] { TakeFromDrawable(element); },
            RecordPolicy::WhenGeometryChanged);
    } else {
        TakeFromDrawable(element);
    }
}

void SurfaceChangeHandler::EndGroup()
{
    const std::vector<SnapShotItem*> changed = std::move(m_changed);
    const std::vector<SnapShotItem*> banded = std::move(m_banded);
    m_changed.clear();
    m_banded.clear();
    if (!changed.empty()) {
        APStyleProject* project = m_workspace.CurrentProject();
        const auto take = [&changed] {
            for (SnapShotItem* element : changed) {
                TakeFromDrawable(*element);
            }
        };
        if (project) {
            RecordElementsEdit(*project, changed, take);
        } else {
            take();
        }
        multi::ShowOnSurface(m_workspace);
    }
    if (!banded.empty()) {
        multi::SelectSet(m_workspace, banded);
    }
    // The views hear the whole gesture now.
    m_group.reset();
}

VisualEditor::Callback SurfaceChangeHandler::Callback(Workspace& workspace)
{
    auto handler = std::make_shared<SurfaceChangeHandler>(workspace);
    return [handler](Graph* graph, int code) { (*handler)(graph, code); };
}

} // namespace editing
