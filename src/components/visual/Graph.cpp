#include "components/visual/Graph.h"

#include "components/visual/GraphPainter.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFF;
constexpr std::uint32_t kFocusColour = 0x00FF0000; // blue
constexpr std::uint32_t kLockedColour = 0x00808080;
constexpr std::uint32_t kDragColour = 0x00000000;
constexpr std::uint32_t kGuideColour = 0x000000FF; // red
constexpr int kGripHalf = 3;                       // view pixels

// The edges each resize handle moves, in the order of Graph::Handle.
struct HandleEdges
{
    bool left, top, right, bottom;
};
constexpr HandleEdges kHandleEdges[Graph::kHandleCount] = {
    {true, true, false, false},  {false, true, false, false}, {false, true, true, false},
    {false, false, true, false}, {false, false, true, true},  {false, false, false, true},
    {true, false, false, true},  {true, false, false, false},
};

} // namespace

Graph::~Graph() = default;

std::unique_ptr<Graph> Graph::Clone() const
{
    auto copy = std::make_unique<Graph>();
    copy->Copy(*this);
    return copy;
}

void Graph::Copy(const Graph& source)
{
    const bool selected = m_selected;
    *this = source;
    m_selected = selected;
}

void Graph::Draw(GraphPainter& painter) const
{
    GraphRect view;
    if (!BeginDraw(painter, view)) {
        return;
    }
    DrawBackground(painter, view, 255);
    EndDraw(painter);
}

void Graph::DrawDrag(GraphPainter& painter, int dx, int dy) const
{
    if (m_deleted) {
        return;
    }
    painter.drawFrame(m_envelope.Offset(dx, dy).Scaled(m_scale), kDragColour,
                      GraphPainter::LineStyle::Dashed);
}

void Graph::DrawFoucs(GraphPainter& painter) const
{
    if (m_deleted || !m_visible) {
        return;
    }
    // A drawable that moves but keeps its size gets the frame without the grips.
    const bool movable = m_editable && !m_fixed;
    painter.drawFrame(GetRect(), movable ? kFocusColour : kLockedColour,
                      movable ? GraphPainter::LineStyle::Solid : GraphPainter::LineStyle::Dotted);
    if (!movable || !IsResizeable()) {
        return;
    }
    for (int handle = 0; handle < kHandleCount; ++handle) {
        int x = 0;
        int y = 0;
        HandlePoint(handle, x, y);
        const GraphRect grip = GraphRect{x, y, x, y}.Scaled(m_scale);
        painter.fillRect({grip.left - kGripHalf, grip.top - kGripHalf, grip.left + kGripHalf + 1,
                          grip.top + kGripHalf + 1},
                         kFocusColour, 255);
    }
}

int Graph::GraphType() const
{
    return kGraphShape;
}

GraphRect Graph::Envelop() const
{
    return m_envelope;
}

void Graph::Envelop(const GraphRect& rect)
{
    m_envelope = rect.Normalized();
}

void Graph::Transform(int dx, int dy)
{
    m_envelope = m_envelope.Offset(dx, dy);
    if (!m_fullVisual) {
        m_visual = m_visual.Offset(dx, dy);
    }
}

bool Graph::SetPoint(int handle, int x, int y)
{
    if (handle < 0 || handle >= kHandleCount) {
        return false;
    }
    const HandleEdges& edges = kHandleEdges[handle];
    GraphRect rect = m_envelope;
    if (edges.left) {
        rect.left = x;
    }
    if (edges.right) {
        rect.right = x;
    }
    if (edges.top) {
        rect.top = y;
    }
    if (edges.bottom) {
        rect.bottom = y;
    }
    Envelop(rect);
    return true;
}

bool Graph::Hitest(int x, int y) const
{
    return m_visible && !m_deleted && m_envelope.Contains(x, y);
}

GraphRect Graph::VisualEnvelop() const
{
    return m_fullVisual ? m_envelope : m_visual;
}

void Graph::VisualEnvelop(const GraphRect& rect)
{
    m_visual = rect.Normalized();
    m_fullVisual = false;
}

void Graph::SetFullVisual()
{
    m_fullVisual = true;
}

bool Graph::IsSelected() const
{
    return m_selected;
}

void Graph::SetSelected(bool selected)
{
    m_selected = selected;
}

bool Graph::IsVisible() const
{
    return m_visible;
}

void Graph::SetVisible(bool visible)
{
    m_visible = visible;
}

bool Graph::IsDelected() const
{
    return m_deleted;
}

void Graph::SetDeleted(bool deleted)
{
    m_deleted = deleted;
}

void Graph::OnProperty() {}

bool Graph::IsEditable() const
{
    return m_editable;
}

void Graph::SetEditable(bool editable)
{
    m_editable = editable;
}

bool Graph::IsResizeable() const
{
    return m_resizeable;
}

void Graph::SetResizeable(bool resizeable)
{
    m_resizeable = resizeable;
}

bool Graph::IsFixed() const
{
    return m_fixed;
}

void Graph::SetFixed(bool fixed)
{
    m_fixed = fixed;
}

void Graph::Scale(double factor)
{
    if (std::isfinite(factor) && factor > 0.0) {
        m_scale = factor;
    }
}

Graph* Graph::GetSubGraph() const
{
    return nullptr;
}

Graph* Graph::GetParentGraph() const
{
    return nullptr;
}

void Graph::BkColor(std::uint32_t colour)
{
    m_bkColor = colour;
}

std::uint32_t Graph::BkColor() const
{
    return m_bkColor;
}

bool Graph::IsUseBkColor() const
{
    return m_useBkColor;
}

void Graph::SetUseBkColor(bool use)
{
    m_useBkColor = use;
}

void Graph::DrawAlignmentLine(GraphPainter& painter, const GraphRect& viewArea) const
{
    if (m_deleted) {
        return;
    }
    const GraphRect view = GetRect();
    const auto style = GraphPainter::LineStyle::Dashed;
    painter.drawLine(view.left, viewArea.top, view.left, viewArea.bottom, kGuideColour, style);
    painter.drawLine(view.right, viewArea.top, view.right, viewArea.bottom, kGuideColour, style);
    painter.drawLine(viewArea.left, view.top, viewArea.right, view.top, kGuideColour, style);
    painter.drawLine(viewArea.left, view.bottom, viewArea.right, view.bottom, kGuideColour, style);
}

GraphRect Graph::GetRect() const
{
    return m_envelope.Scaled(m_scale);
}

int Graph::HandleAt(int x, int y, int reach) const
{
    const GraphRect point = GraphRect{x, y, x, y}.Scaled(m_scale);
    for (int handle = 0; handle < kHandleCount; ++handle) {
        int hx = 0;
        int hy = 0;
        HandlePoint(handle, hx, hy);
        const GraphRect grip = GraphRect{hx, hy, hx, hy}.Scaled(m_scale);
        if (std::abs(grip.left - point.left) <= reach && std::abs(grip.top - point.top) <= reach) {
            return handle;
        }
    }
    return -1;
}

void Graph::HandlePoint(int handle, int& x, int& y) const
{
    const GraphRect& r = m_envelope;
    x = r.left + r.Width() / 2;
    y = r.top + r.Height() / 2;
    if (handle < 0 || handle >= kHandleCount) {
        return;
    }
    const HandleEdges& edges = kHandleEdges[handle];
    x = edges.left ? r.left : edges.right ? r.right : x;
    y = edges.top ? r.top : edges.bottom ? r.bottom : y;
}

bool Graph::BeginDraw(GraphPainter& painter, GraphRect& view) const
{
    if (!m_visible || m_deleted) {
        return false;
    }
    view = GetRect();
    const GraphRect clip = VisualEnvelop().Scaled(m_scale).Intersect(view);
    if (clip.IsEmpty()) {
        return false;
    }
    painter.setClip(clip);
    return true;
}

void Graph::EndDraw(GraphPainter& painter) const
{
    painter.clearClip();
}

void Graph::DrawBackground(GraphPainter& painter, const GraphRect& view, int opacity) const
{
    if (m_useBkColor) {
        painter.fillRect(view, m_bkColor & kRgbMask, opacity);
    }
}
