#pragma once

#include "components/visual/VisualEditor.h"

#include <vector>

class GraphPainter;

// A surface without a window: it keeps the drawables, the selection and the zoom, paints
// into any GraphPainter and lets tests and scripts act as the user would.
class HeadlessVisualEditor : public VisualEditor
{
public:
    bool CreateEditor(void* parent, const GraphRect& rect, Callback callback) override;
    void SetTool(int tool) override { m_tool = tool; }
    void SetScreenBkColor(std::uint32_t colour) override { m_screenBkColor = colour; }
    void OnSize(unsigned type, int width, int height) override;
    void ClearAll() override { m_objects.clear(); }
    void AddObj(Graph* graph) override;
    void ClearSelectedObj() override;
    void Refresh() override { ++m_refreshCount; }
    double Scale() const override { return m_scale; }
    void Scale(double factor) override;
    void* GetView() const override { return nullptr; }

    bool IsCreated() const { return m_created; }
    void* Parent() const { return m_parent; }
    const GraphRect& CreateRect() const { return m_createRect; }
    int Tool() const { return m_tool; }
    std::uint32_t ScreenBkColor() const { return m_screenBkColor; }
    int ViewWidth() const { return m_viewWidth; }
    int ViewHeight() const { return m_viewHeight; }
    int RefreshCount() const { return m_refreshCount; }

    // The drawables in drawing order (the last on top); not owned.
    const std::vector<Graph*>& Objects() const { return m_objects; }
    bool Contains(const Graph* graph) const;
    // The selected drawables on the surface, in drawing order.
    std::vector<Graph*> SelectedObjects() const;
    // Returns the topmost drawable hit at the scene point (x, y), or null.
    Graph* ObjectAt(int x, int y) const;

    // As a click of the user: selects `graph` alone and reports kCodeSelected. Returns false
    // when it is not on the surface or may not be edited.
    bool SimulateSelect(Graph* graph);
    // Reports kCodeChanged for `graph`, as after any edit by the user. Returns false when it
    // is not on the surface.
    bool SimulateUserChange(Graph* graph);
    // As a drag: moves `graph` by (dx, dy) scene pixels and reports kCodeChanged. Returns
    // false, changing nothing, when it is not on the surface, not editable or fixed.
    bool SimulateMove(Graph* graph, int dx, int dy);
    // As a drag of a resize handle. Returns false, changing nothing, when `graph` is not on
    // the surface, not editable, not resizeable or fixed, or the handle is unknown.
    bool SimulateResize(Graph* graph, int handle, int x, int y);

    // Paints the surface: the screen colour over the view, each drawable in order, then the
    // selection frames.
    void Paint(GraphPainter& painter) const;

private:
    bool MayChange(const Graph* graph) const;
    void Report(Graph* graph, int code);

    bool m_created = false;
    void* m_parent = nullptr;
    GraphRect m_createRect;
    Callback m_callback;
    int m_tool = kToolNone;
    std::uint32_t m_screenBkColor = 0xFFFFFF;
    int m_viewWidth = 0;
    int m_viewHeight = 0;
    double m_scale = 1.0;
    int m_refreshCount = 0;
    std::vector<Graph*> m_objects;
};
