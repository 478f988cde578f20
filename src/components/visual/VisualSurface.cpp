#include "components/visual/VisualSurface.h"

#include "components/visual/Graph.h"
#include "components/visual/GraphPainter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

namespace {

constexpr std::uint32_t kGuideColour = 0x00FF00FF;     // magenta, seen on any picture
constexpr std::uint32_t kUserGuideColour = 0x00E0A000; // a light blue, apart from the magenta
constexpr std::uint32_t kFlagColour = 0x000000FF;      // red
constexpr std::uint32_t kBandColour = 0x00D77800;      // the focus frame's blue (0x00BBGGRR)
constexpr std::uint32_t kKeyColour = 0x00D77800;
constexpr std::uint32_t kRgbMask = 0x00FFFFFF;

bool MovesLeft(int handle)
{
    return handle == Graph::kHandleTopLeft || handle == Graph::kHandleLeft ||
           handle == Graph::kHandleBottomLeft;
}
bool MovesRight(int handle)
{
    return handle == Graph::kHandleTopRight || handle == Graph::kHandleRight ||
           handle == Graph::kHandleBottomRight;
}
bool MovesTop(int handle)
{
    return handle == Graph::kHandleTopLeft || handle == Graph::kHandleTop ||
           handle == Graph::kHandleTopRight;
}
bool MovesBottom(int handle)
{
    return handle == Graph::kHandleBottomLeft || handle == Graph::kHandleBottom ||
           handle == Graph::kHandleBottomRight;
}

GraphRect Inflate(const GraphRect& rect, int by)
{
    return {rect.left - by, rect.top - by, rect.right + by, rect.bottom + by};
}

} // namespace

void VisualSurface::SetViewSize(int width, int height)
{
    m_viewWidth = std::max(0, width);
    m_viewHeight = std::max(0, height);
}

void VisualSurface::SetScreenSize(int width, int height)
{
    m_screenWidth = std::max(0, width);
    m_screenHeight = std::max(0, height);
}

void VisualSurface::ClearAll()
{
    EndGesture();
    m_objects.clear();
    m_key = nullptr;
}

void VisualSurface::SetKeyObj(Graph* graph)
{
    if (m_key && Contains(m_key)) {
        MarkDirty(m_key);
    }
    m_key = Contains(graph) ? graph : nullptr;
    if (m_key) {
        MarkDirty(m_key);
    }
}

void VisualSurface::AddObj(Graph* graph)
{
    if (!graph || Contains(graph)) {
        return;
    }
    graph->Scale(m_scale);
    m_objects.push_back(graph);
    MarkDirty(graph);
}

void VisualSurface::ClearSelectedObj()
{
    for (Graph* graph : m_objects) {
        if (graph->IsSelected()) {
            MarkDirty(graph);
            graph->SetSelected(false);
        }
    }
}

bool VisualSurface::Scale(double factor)
{
    if (!std::isfinite(factor) || factor <= 0.0) {
        return false;
    }
    m_scale = factor;
    for (Graph* graph : m_objects) {
        graph->Scale(factor);
    }
    AddDirty({0, 0, m_viewWidth, m_viewHeight});
    return true;
}

bool VisualSurface::Contains(const Graph* graph) const
{
    return graph && std::find(m_objects.begin(), m_objects.end(), graph) != m_objects.end();
}

std::vector<Graph*> VisualSurface::SelectedObjects() const
{
    std::vector<Graph*> selected;
    std::copy_if(m_objects.begin(), m_objects.end(), std::back_inserter(selected),
                 [](const Graph* graph) { return graph->IsSelected(); });
    return selected;
}

Graph* VisualSurface::ObjectAt(int x, int y) const
{
    const auto hit = std::find_if(m_objects.rbegin(), m_objects.rend(),
                                  [x, y](const Graph* graph) { return graph->Hitest(x, y); });
    return hit == m_objects.rend() ? nullptr : *hit;
}

int VisualSurface::HandleAt(int x, int y, Graph** graph) const
{
    for (auto it = m_objects.rbegin(); it != m_objects.rend(); ++it) {
        if (!(*it)->IsSelected() || !MayResize(*it)) {
            continue;
        }
        const int handle = (*it)->HandleAt(x, y, kGripReach);
        if (handle >= 0) {
            if (graph) {
                *graph = *it;
            }
            return handle;
        }
    }
    return -1;
}

bool VisualSurface::MayMove(const Graph* graph) const
{
    return Contains(graph) && graph->IsEditable() && !graph->IsFixed() && !graph->IsDelected() &&
           graph->IsVisible();
}

bool VisualSurface::MayResize(const Graph* graph) const
{
    return MayMove(graph) && graph->IsResizeable();
}

bool VisualSurface::Select(Graph* graph)
{
    if (!Contains(graph) || !graph->IsEditable()) {
        return false;
    }
    ClearSelectedObj();
    graph->SetSelected(true);
    MarkDirty(graph);
    Report(graph, VisualEditor::kCodeSelected);
    return true;
}

bool VisualSurface::Toggle(Graph* graph)
{
    if (!Contains(graph) || !graph->IsEditable()) {
        return false;
    }
    Report(graph, VisualEditor::kCodeToggled);
    return true;
}

void VisualSurface::ClearByUser()
{
    EndGesture();
    ClearSelectedObj();
    SetKeyObj(nullptr);
    Report(nullptr, VisualEditor::kCodeCleared);
}

bool VisualSurface::Move(Graph* graph, int dx, int dy)
{
    if (!MayMove(graph)) {
        return false;
    }
    MoveTree(graph, dx, dy);
    Report(graph, VisualEditor::kCodeChanged);
    return true;
}

bool VisualSurface::Resize(Graph* graph, int handle, int x, int y)
{
    if (!MayResize(graph) || handle < 0 || handle >= Graph::kHandleCount) {
        return false;
    }
    MarkDirty(graph);
    graph->SetPoint(handle, x, y);
    MarkDirty(graph);
    Report(graph, VisualEditor::kCodeChanged);
    return true;
}

bool VisualSurface::ReportChanged(Graph* graph)
{
    if (!Contains(graph)) {
        return false;
    }
    Report(graph, VisualEditor::kCodeChanged);
    return true;
}

bool VisualSurface::Press(int x, int y)
{
    EndGesture();
    Graph* grip = nullptr;
    const int handle = HandleAt(x, y, &grip);
    if (handle >= 0) {
        m_gesture = Gesture::Resize;
        m_target = grip;
        m_handle = handle;
        m_pressX = x;
        m_pressY = y;
        m_startRect = grip->Envelop();
        return false;
    }
    if (PressUserGuide(UserGuideAt(x, y))) {
        return false;
    }
    // The topmost drawable the user may select: a locked one lets the click through.
    Graph* hit = nullptr;
    for (auto it = m_objects.rbegin(); it != m_objects.rend(); ++it) {
        if ((*it)->Hitest(x, y) && (*it)->IsEditable()) {
            hit = *it;
            break;
        }
    }
    m_pressX = x;
    m_pressY = y;
    if (!hit) {
        const bool any = !SelectedObjects().empty();
        ClearSelectedObj();
        m_gesture = Gesture::Band;
        m_band = {x, y, x, y};
        return any;
    }
    // A click on a drawable already selected keeps the selection (with its parent group);
    // one of several selected moves them all.
    const bool selectedBefore = hit->IsSelected();
    if (!selectedBefore) {
        Select(hit);
    }
    // The receiver may have rebuilt the surface: the drawable must still be on it.
    if (MayMove(hit)) {
        m_gesture = Gesture::Move;
        m_target = hit;
        m_startRect = hit->Envelop();
        m_moving = MovingSet();
        if (std::find(m_moving.begin(), m_moving.end(), hit) == m_moving.end()) {
            m_moving = {hit};
        }
    }
    return !selectedBefore;
}

bool VisualSurface::DragTo(int x, int y, bool snap, bool touch)
{
    if (m_gesture == Gesture::Guide) {
        DragGuideTo(x, y);
        return false;
    }
    if (m_gesture == Gesture::Band) {
        AddDirty(Inflate(m_band.Scaled(m_scale), 2));
        m_band = {std::min(m_pressX, x), std::min(m_pressY, y), std::max(m_pressX, x),
                  std::max(m_pressY, y)};
        m_bandTouches = touch;
        AddDirty(Inflate(m_band.Scaled(m_scale), 2));
        return false;
    }
    if (m_gesture == Gesture::None || !Contains(m_target)) {
        return false;
    }
    MarkGuidesDirty();
    m_guides.clear();
    const GraphRect before = m_target->Envelop();
    if (m_gesture == Gesture::Move) {
        GraphRect wanted = m_startRect.Offset(x - m_pressX, y - m_pressY);
        if (snap) {
            const int sx = Snap({wanted.left, wanted.left + wanted.Width() / 2, wanted.right},
                                SnapLines(m_target, true), true);
            const int sy = Snap({wanted.top, wanted.top + wanted.Height() / 2, wanted.bottom},
                                SnapLines(m_target, false), false);
            wanted = wanted.Offset(sx, sy);
        }
        const int dx = wanted.left - before.left;
        const int dy = wanted.top - before.top;
        if (dx != 0 || dy != 0) {
            for (Graph* graph : m_moving) {
                MoveTree(graph, dx, dy);
            }
        }
    } else {
        if (snap) {
            if (MovesLeft(m_handle) || MovesRight(m_handle)) {
                x += Snap({x}, SnapLines(m_target, true), true);
            }
            if (MovesTop(m_handle) || MovesBottom(m_handle)) {
                y += Snap({y}, SnapLines(m_target, false), false);
            }
        }
        // An edge stops one pixel before the opposite one: the drawable never turns over.
        const GraphRect& r = m_startRect;
        x = MovesLeft(m_handle) ? std::min(x, r.right - 1) : x;
        x = MovesRight(m_handle) ? std::max(x, r.left + 1) : x;
        y = MovesTop(m_handle) ? std::min(y, r.bottom - 1) : y;
        y = MovesBottom(m_handle) ? std::max(y, r.top + 1) : y;
        MarkDirty(m_target);
        m_target->SetPoint(m_handle, x, y);
        MarkDirty(m_target);
    }
    MarkGuidesDirty();
    const bool changed = m_target->Envelop() != before;
    m_changed = m_target->Envelop() != m_startRect;
    return changed;
}

void VisualSurface::Release()
{
    if (m_gesture == Gesture::Guide) {
        ReleaseGuide();
        return;
    }
    if (m_gesture == Gesture::Band) {
        AddDirty(Inflate(m_band.Scaled(m_scale), 2));
        const std::vector<Graph*> caught = Banded(m_bandTouches);
        EndGesture();
        ReportAll(caught, VisualEditor::kCodeBanded);
        return;
    }
    std::vector<Graph*> moved;
    if (m_changed && Contains(m_target) && m_gesture == Gesture::Resize) {
        moved.push_back(m_target);
    } else if (m_changed && Contains(m_target)) {
        std::copy_if(m_moving.begin(), m_moving.end(), std::back_inserter(moved),
                     [this](Graph* graph) { return Contains(graph); });
    }
    EndGesture();
    ReportAll(moved, VisualEditor::kCodeChanged);
}

bool VisualSurface::Nudge(int dx, int dy)
{
    const std::vector<Graph*> moving = MovingSet();
    if (moving.empty()) {
        return false;
    }
    for (Graph* graph : moving) {
        MoveTree(graph, dx, dy);
    }
    ReportAll(moving, VisualEditor::kCodeChanged);
    return true;
}

std::vector<Graph*> VisualSurface::MovingSet() const
{
    // The editor selects a picked drawable's parent group too, to show where it belongs:
    // a group with a selected drawable of its own inside it stays.
    const std::vector<Graph*> selected = SelectedObjects();
    std::vector<Graph*> moving;
    for (Graph* graph : selected) {
        const bool holdsSelected =
            std::any_of(selected.begin(), selected.end(),
                        [&](const Graph* other) { return BelongsTo(other, graph); });
        if (!holdsSelected && MayMove(graph)) {
            moving.push_back(graph);
        }
    }
    return moving;
}

std::vector<Graph*> VisualSurface::Banded(bool touch) const
{
    std::vector<Graph*> caught;
    if (m_band.Width() == 0 && m_band.Height() == 0) {
        return caught;
    }
    for (Graph* graph : m_objects) {
        if (!graph->IsEditable() || !graph->IsVisible() || graph->IsDelected()) {
            continue;
        }
        const GraphRect rect = graph->Envelop();
        const bool inside = rect.left >= m_band.left && rect.right <= m_band.right &&
                            rect.top >= m_band.top && rect.bottom <= m_band.bottom;
        if (inside || (touch && !rect.Intersect(m_band).IsEmpty())) {
            caught.push_back(graph);
        }
    }
    // Enclosed, a group stands for the drawables inside it; touched, the drawables inside it
    // that the band touches stand for it.
    std::vector<Graph*> chosen;
    std::copy_if(caught.begin(), caught.end(), std::back_inserter(chosen), [&](Graph* graph) {
        return std::none_of(caught.begin(), caught.end(), [&](const Graph* other) {
            return touch ? BelongsTo(other, graph) : BelongsTo(graph, other);
        });
    });
    return chosen;
}

std::vector<GraphRect> VisualSurface::TakeDirty()
{
    std::vector<GraphRect> dirty;
    dirty.swap(m_dirty);
    return dirty;
}

GraphRect VisualSurface::PaintedRect(const Graph& graph) const
{
    return Inflate(graph.GetRect(), kGripReach + 1);
}

void VisualSurface::Paint(GraphPainter& painter, const GraphRect& area) const
{
    const GraphRect view{0, 0, m_viewWidth, m_viewHeight};
    painter.fillRect(area.Intersect(view), m_screenBkColor & kRgbMask, 255);
    for (const Graph* graph : m_objects) {
        if (!PaintedRect(*graph).Intersect(area).IsEmpty()) {
            graph->Draw(painter);
        }
    }
    for (const Graph* graph : m_objects) {
        if (graph->IsSelected()) {
            graph->DrawFoucs(painter);
        }
    }
    for (const Graph* graph : m_flagged) {
        if (Contains(graph)) {
            painter.drawFrame(Inflate(graph->GetRect(), 1), kFlagColour,
                              GraphPainter::LineStyle::Solid);
        }
    }
    if (m_key && m_key->IsSelected()) {
        painter.drawFrame(Inflate(m_key->GetRect(), 1), kKeyColour, GraphPainter::LineStyle::Solid);
        painter.drawFrame(Inflate(m_key->GetRect(), 2), kKeyColour, GraphPainter::LineStyle::Solid);
    }
    if (m_gesture == Gesture::Band) {
        painter.drawFrame(m_band.Scaled(m_scale), kBandColour, GraphPainter::LineStyle::Dashed);
    }
    if (m_userGuidesShown) {
        for (const GuideLine& guide : m_userGuides) {
            const int at = static_cast<int>(std::lround(guide.position * m_scale));
            if (guide.vertical) {
                painter.drawLine(at, 0, at, m_viewHeight, kUserGuideColour,
                                 GraphPainter::LineStyle::Solid);
            } else {
                painter.drawLine(0, at, m_viewWidth, at, kUserGuideColour,
                                 GraphPainter::LineStyle::Solid);
            }
        }
    }
    for (const Guide& guide : m_guides) {
        const int at = static_cast<int>(std::lround(guide.position * m_scale));
        if (guide.vertical) {
            painter.drawLine(at, 0, at, m_viewHeight, kGuideColour,
                             GraphPainter::LineStyle::Dashed);
        } else {
            painter.drawLine(0, at, m_viewWidth, at, kGuideColour, GraphPainter::LineStyle::Dashed);
        }
    }
}

void VisualSurface::Paint(GraphPainter& painter) const
{
    Paint(painter, {0, 0, m_viewWidth, m_viewHeight});
}

void VisualSurface::ReportAll(const std::vector<Graph*>& graphs, int code)
{
    if (graphs.size() == 1) {
        Report(graphs.front(), code);
        return;
    }
    if (graphs.empty()) {
        return;
    }
    Report(nullptr, VisualEditor::kCodeGroupBegin);
    for (Graph* graph : graphs) {
        Report(graph, code);
    }
    Report(nullptr, VisualEditor::kCodeGroupEnd);
}

void VisualSurface::Report(Graph* graph, int code)
{
    // A copy: the receiver may recreate the surface from inside the callback.
    const VisualEditor::Callback callback = m_callback;
    if (callback) {
        callback(graph, code);
    }
}

void VisualSurface::MoveTree(Graph* graph, int dx, int dy)
{
    // The drawables that belong to a group move with it, so the group is seen whole while
    // it is dragged.
    for (Graph* object : m_objects) {
        if (object == graph || BelongsTo(object, graph)) {
            MarkDirty(object);
            object->Transform(dx, dy);
            MarkDirty(object);
        }
    }
}

bool VisualSurface::BelongsTo(const Graph* graph, const Graph* owner) const
{
    // Bounded: a broken parent chain must not hang the surface.
    int depth = 0;
    for (const Graph* parent = graph->GetParentGraph(); parent && depth < 64;
         parent = parent->GetParentGraph(), ++depth) {
        if (parent == owner) {
            return true;
        }
    }
    return false;
}

std::vector<int> VisualSurface::SnapLines(const Graph* dragged, bool vertical) const
{
    std::vector<int> lines;
    const Graph* parent = dragged->GetParentGraph();
    for (const Graph* other : m_objects) {
        // What moves along with the dragged drawable offers it nothing to catch on.
        if (other == dragged || other->GetParentGraph() != parent || !other->IsVisible() ||
            other->IsDelected() ||
            std::find(m_moving.begin(), m_moving.end(), other) != m_moving.end()) {
            continue;
        }
        const GraphRect r = other->Envelop();
        if (vertical) {
            lines.insert(lines.end(), {r.left, r.left + r.Width() / 2, r.right});
        } else {
            lines.insert(lines.end(), {r.top, r.top + r.Height() / 2, r.bottom});
        }
    }
    const int screen = vertical ? m_screenWidth : m_screenHeight;
    if (screen > 0) {
        lines.insert(lines.end(), {0, screen / 2, screen});
    }
    if (m_userGuidesShown) {
        for (const GuideLine& guide : m_userGuides) {
            if (guide.vertical == vertical) {
                lines.push_back(guide.position);
            }
        }
    }
    return lines;
}

int VisualSurface::Snap(const std::vector<int>& edges, const std::vector<int>& lines, bool vertical)
{
    const int reach = std::max(1, static_cast<int>(std::lround(kSnapReach / m_scale)));
    int best = reach + 1;
    int line = 0;
    for (const int edge : edges) {
        for (const int candidate : lines) {
            const int shift = candidate - edge;
            if (std::abs(shift) < std::abs(best)) {
                best = shift;
                line = candidate;
            }
        }
    }
    if (std::abs(best) > reach) {
        return 0;
    }
    m_guides.push_back({vertical, line});
    return best;
}

void VisualSurface::MarkDirty(const Graph* graph)
{
    AddDirty(PaintedRect(*graph));
}

void VisualSurface::AddDirty(const GraphRect& rect)
{
    // Nobody took them for a long time (a surface without a window): one rectangle of the
    // whole view says the same.
    if (m_dirty.size() >= kMaxDirty) {
        m_dirty.assign(1, GraphRect{0, 0, m_viewWidth, m_viewHeight});
    }
    m_dirty.push_back(rect);
}

void VisualSurface::MarkGuidesDirty()
{
    for (const Guide& guide : m_guides) {
        MarkLineDirty(guide);
    }
}

void VisualSurface::MarkLineDirty(const GuideLine& guide)
{
    const int at = static_cast<int>(std::lround(guide.position * m_scale));
    AddDirty(guide.vertical ? GraphRect{at - 2, 0, at + 3, m_viewHeight}
                            : GraphRect{0, at - 2, m_viewWidth, at + 3});
}

void VisualSurface::SetFlagged(std::vector<const Graph*> flagged)
{
    for (const Graph* graph : m_flagged) {
        if (Contains(graph)) {
            AddDirty(Inflate(PaintedRect(*graph), 2));
        }
    }
    m_flagged = std::move(flagged);
    for (const Graph* graph : m_flagged) {
        if (Contains(graph)) {
            AddDirty(Inflate(PaintedRect(*graph), 2));
        }
    }
}

void VisualSurface::SetUserGuides(std::vector<GuideLine> guides)
{
    if (m_gesture == Gesture::Guide) {
        EndGesture();
    }
    for (const GuideLine& guide : m_userGuides) {
        MarkLineDirty(guide);
    }
    m_userGuides = std::move(guides);
    for (const GuideLine& guide : m_userGuides) {
        MarkLineDirty(guide);
    }
}

void VisualSurface::ShowUserGuides(bool shown)
{
    if (shown == m_userGuidesShown) {
        return;
    }
    if (!shown && m_gesture == Gesture::Guide) {
        RemoveDraggedGuide();
    }
    m_userGuidesShown = shown;
    for (const GuideLine& guide : m_userGuides) {
        MarkLineDirty(guide);
    }
}

int VisualSurface::UserGuideAt(int x, int y) const
{
    if (!m_userGuidesShown) {
        return -1;
    }
    // Compared in view pixels, so that a guide is as easy to pick at any zoom.
    const auto reach = [this](int at, int position) {
        return std::abs(std::lround((at + 0.5) * m_scale) - std::lround(position * m_scale)) <=
               kGuidePickReach;
    };
    for (std::size_t i = m_userGuides.size(); i-- > 0;) {
        const GuideLine& guide = m_userGuides[i];
        if (reach(guide.vertical ? x : y, guide.position)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool VisualSurface::PressUserGuide(int index)
{
    if (index < 0 || index >= static_cast<int>(m_userGuides.size()) || !m_userGuidesShown) {
        return false;
    }
    EndGesture();
    m_gesture = Gesture::Guide;
    m_guideIndex = index;
    m_guideStart = m_userGuides[static_cast<std::size_t>(index)];
    m_guideIsNew = false;
    return true;
}

void VisualSurface::StartUserGuide(bool vertical, int position)
{
    EndGesture();
    m_userGuidesShown = true;
    m_userGuides.push_back({vertical, position});
    MarkLineDirty(m_userGuides.back());
    m_gesture = Gesture::Guide;
    m_guideIndex = static_cast<int>(m_userGuides.size()) - 1;
    m_guideStart = m_userGuides.back();
    m_guideIsNew = true;
}

void VisualSurface::DragGuideTo(int x, int y)
{
    GuideLine& guide = m_userGuides[static_cast<std::size_t>(m_guideIndex)];
    const int position = guide.vertical ? x : y;
    if (position != guide.position) {
        MarkLineDirty(guide);
        guide.position = position;
        MarkLineDirty(guide);
    }
}

void VisualSurface::ReleaseGuide()
{
    const bool changed =
        m_guideIsNew || m_userGuides[static_cast<std::size_t>(m_guideIndex)] != m_guideStart;
    EndGesture();
    if (changed) {
        Report(nullptr, VisualEditor::kCodeGuides);
    }
}

void VisualSurface::RemoveDraggedGuide()
{
    if (m_gesture != Gesture::Guide) {
        return;
    }
    const auto at = m_userGuides.begin() + m_guideIndex;
    MarkLineDirty(*at);
    m_userGuides.erase(at);
    const bool existed = !m_guideIsNew;
    EndGesture();
    if (existed) {
        Report(nullptr, VisualEditor::kCodeGuides);
    }
}

bool VisualSurface::MoveUserGuide(int index, int position)
{
    if (index < 0 || index >= static_cast<int>(m_userGuides.size())) {
        return false;
    }
    GuideLine& guide = m_userGuides[static_cast<std::size_t>(index)];
    if (guide.position == position) {
        return false;
    }
    MarkLineDirty(guide);
    guide.position = position;
    MarkLineDirty(guide);
    Report(nullptr, VisualEditor::kCodeGuides);
    return true;
}

void VisualSurface::EndGesture()
{
    MarkGuidesDirty();
    m_guides.clear();
    m_gesture = Gesture::None;
    m_target = nullptr;
    m_moving.clear();
    m_band = {};
    m_handle = -1;
    m_changed = false;
    m_guideIndex = -1;
    m_guideIsNew = false;
}
