#include "components/visual/HeadlessVisualEditor.h"

#include "components/visual/Graph.h"
#include "components/visual/GraphPainter.h"

#include <algorithm>
#include <cmath>
#include <iterator>

bool HeadlessVisualEditor::CreateEditor(void* parent, const GraphRect& rect, Callback callback)
{
    m_parent = parent;
    m_createRect = rect;
    m_callback = std::move(callback);
    m_viewWidth = rect.Width();
    m_viewHeight = rect.Height();
    m_created = true;
    return true;
}

void HeadlessVisualEditor::OnSize(unsigned, int width, int height)
{
    m_viewWidth = std::max(0, width);
    m_viewHeight = std::max(0, height);
}

void HeadlessVisualEditor::AddObj(Graph* graph)
{
    if (!graph || Contains(graph)) {
        return;
    }
    graph->Scale(m_scale);
    m_objects.push_back(graph);
}

void HeadlessVisualEditor::ClearSelectedObj()
{
    for (Graph* graph : m_objects) {
        graph->SetSelected(false);
    }
}

void HeadlessVisualEditor::Scale(double factor)
{
    if (!std::isfinite(factor) || factor <= 0.0) {
        return;
    }
    m_scale = factor;
    for (Graph* graph : m_objects) {
        graph->Scale(factor);
    }
}

bool HeadlessVisualEditor::Contains(const Graph* graph) const
{
    return std::find(m_objects.begin(), m_objects.end(), graph) != m_objects.end();
}

std::vector<Graph*> HeadlessVisualEditor::SelectedObjects() const
{
    std::vector<Graph*> selected;
    std::copy_if(m_objects.begin(), m_objects.end(), std::back_inserter(selected),
                 [](const Graph* graph) { return graph->IsSelected(); });
    return selected;
}

Graph* HeadlessVisualEditor::ObjectAt(int x, int y) const
{
    const auto hit = std::find_if(m_objects.rbegin(), m_objects.rend(),
                                  [x, y](const Graph* graph) { return graph->Hitest(x, y); });
    return hit == m_objects.rend() ? nullptr : *hit;
}

bool HeadlessVisualEditor::SimulateSelect(Graph* graph)
{
    if (!Contains(graph) || !graph->IsEditable()) {
        return false;
    }
    ClearSelectedObj();
    graph->SetSelected(true);
    Report(graph, kCodeSelected);
    return true;
}

bool HeadlessVisualEditor::SimulateUserChange(Graph* graph)
{
    if (!Contains(graph)) {
        return false;
    }
    Report(graph, kCodeChanged);
    return true;
}

bool HeadlessVisualEditor::SimulateMove(Graph* graph, int dx, int dy)
{
    if (!MayChange(graph)) {
        return false;
    }
    graph->Transform(dx, dy);
    Report(graph, kCodeChanged);
    return true;
}

bool HeadlessVisualEditor::SimulateResize(Graph* graph, int handle, int x, int y)
{
    if (!MayChange(graph) || !graph->IsResizeable() || !graph->SetPoint(handle, x, y)) {
        return false;
    }
    Report(graph, kCodeChanged);
    return true;
}

void HeadlessVisualEditor::Paint(GraphPainter& painter) const
{
    painter.fillRect({0, 0, m_viewWidth, m_viewHeight}, m_screenBkColor & 0x00FFFFFF, 255);
    for (const Graph* graph : m_objects) {
        graph->Draw(painter);
    }
    for (const Graph* graph : m_objects) {
        if (graph->IsSelected()) {
            graph->DrawFoucs(painter);
        }
    }
}

bool HeadlessVisualEditor::MayChange(const Graph* graph) const
{
    return Contains(graph) && graph->IsEditable() && !graph->IsFixed() && !graph->IsDelected() &&
           graph->IsVisible();
}

void HeadlessVisualEditor::Report(Graph* graph, int code)
{
    // A copy: the receiver may recreate the surface from inside the callback.
    const Callback callback = m_callback;
    if (callback) {
        callback(graph, code);
    }
}
