#pragma once

#include "components/visual/VisualEditor.h"
#include "components/visual/VisualSurface.h"

#include <vector>

class GraphPainter;

// A surface without a window: it keeps the drawables, the selection and the zoom, paints
// into any GraphPainter and lets tests and scripts act as the user would.
class HeadlessVisualEditor : public VisualEditor
{
public:
    bool CreateEditor(void* parent, const GraphRect& rect, Callback callback) override;
    void SetTool(int tool) override { m_tool = tool; }
    void SetScreenBkColor(std::uint32_t colour) override { m_surface.SetScreenBkColor(colour); }
    void OnSize(unsigned type, int width, int height) override;
    void ClearAll() override { m_surface.ClearAll(); }
    void AddObj(Graph* graph) override { m_surface.AddObj(graph); }
    void ClearSelectedObj() override { m_surface.ClearSelectedObj(); }
    void SetKeyObj(Graph* graph) override { m_surface.SetKeyObj(graph); }
    void Refresh() override { ++m_refreshCount; }
    void SetGuides(std::vector<GuideLine> guides) override
    {
        m_surface.SetUserGuides(std::move(guides));
    }
    std::vector<GuideLine> Guides() const override { return m_surface.UserGuides(); }
    double Scale() const override { return m_surface.Scale(); }
    void Scale(double factor) override { m_surface.Scale(factor); }
    void* GetView() const override { return nullptr; }

    bool IsCreated() const { return m_created; }
    void* Parent() const { return m_parent; }
    const GraphRect& CreateRect() const { return m_createRect; }
    int Tool() const { return m_tool; }
    std::uint32_t ScreenBkColor() const { return m_surface.ScreenBkColor(); }
    int ViewWidth() const { return m_surface.ViewWidth(); }
    int ViewHeight() const { return m_surface.ViewHeight(); }
    int RefreshCount() const { return m_refreshCount; }

    // The drawables in drawing order (the last on top); not owned.
    const std::vector<Graph*>& Objects() const { return m_surface.Objects(); }
    bool Contains(const Graph* graph) const { return m_surface.Contains(graph); }
    // The selected drawables on the surface, in drawing order.
    std::vector<Graph*> SelectedObjects() const { return m_surface.SelectedObjects(); }
    // Returns the topmost drawable hit at the scene point (x, y), or null.
    Graph* ObjectAt(int x, int y) const { return m_surface.ObjectAt(x, y); }
    // The gestures and their rules, shared with the windowed surface: tests may press,
    // drag and release on it as a mouse would.
    VisualSurface& Surface() { return m_surface; }

    // As a click of the user: selects `graph` alone and reports kCodeSelected. Returns false
    // when it is not on the surface or may not be edited.
    bool SimulateSelect(Graph* graph);
    // Reports kCodeChanged for `graph`, as after any edit by the user. Returns false when it
    // is not on the surface.
    bool SimulateUserChange(Graph* graph);
    // As a drag: moves `graph` (and the drawables that belong to it) by (dx, dy) scene
    // pixels and reports kCodeChanged. Returns false, changing nothing, when it is not on
    // the surface, not editable or fixed.
    bool SimulateMove(Graph* graph, int dx, int dy);
    // As a drag of a resize handle. Returns false, changing nothing, when `graph` is not on
    // the surface, not editable, not resizeable or fixed, or the handle is unknown.
    bool SimulateResize(Graph* graph, int handle, int x, int y);

    // Paints the surface: the screen colour over the view, each drawable in order, then the
    // selection frames.
    void Paint(GraphPainter& painter) const { m_surface.Paint(painter); }

private:
    bool m_created = false;
    void* m_parent = nullptr;
    GraphRect m_createRect;
    int m_tool = kToolNone;
    int m_refreshCount = 0;
    VisualSurface m_surface;
};
