#include "components/visual/HeadlessVisualEditor.h"

#include "components/visual/Graph.h"

bool HeadlessVisualEditor::CreateEditor(void* parent, const GraphRect& rect, Callback callback)
{
    m_parent = parent;
    m_createRect = rect;
    m_surface.SetCallback(std::move(callback));
    m_surface.SetViewSize(rect.Width(), rect.Height());
    m_created = true;
    return true;
}

void HeadlessVisualEditor::OnSize(unsigned, int width, int height)
{
    m_surface.SetViewSize(width, height);
}

bool HeadlessVisualEditor::SimulateSelect(Graph* graph)
{
    return m_surface.Select(graph);
}

bool HeadlessVisualEditor::SimulateUserChange(Graph* graph)
{
    return m_surface.ReportChanged(graph);
}

bool HeadlessVisualEditor::SimulateMove(Graph* graph, int dx, int dy)
{
    return m_surface.Move(graph, dx, dy);
}

bool HeadlessVisualEditor::SimulateResize(Graph* graph, int handle, int x, int y)
{
    return m_surface.Resize(graph, handle, x, y);
}
