#include "editing/Arrange.h"

#include "components/visual/Graph.h"
#include "editing/MultiSelection.h"
#include "editing/RecordedEdit.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/ElementDescTables.h"
#include "model/SnapShotItem.h"
#include "model/SnapItemAttrDesc.h"
#include "platform/UiText.h"

#include <algorithm>
#include <map>
#include <numeric>

namespace editing {
namespace arrange {
namespace {

bool MayMove(SnapShotItem& element)
{
    const Graph* graph = element.OwnGraph();
    return graph && !graph->IsFixed() && element.IsEditable();
}

// Pictures are as large as their file: their size rows cannot be typed.
bool MayResize(SnapShotItem& element)
{
    const int row = element.FindRow(model::kPropWidth);
    return MayMove(element) && row >= 0 &&
           element.Rows()[static_cast<std::size_t>(row)].kind == kAttrNumber;
}

void MoveTo(SnapShotItem& element, const GraphRect& to)
{
    const GraphRect from = element.AbsoluteRect();
    if (to.left == from.left && to.top == from.top) {
        return;
    }
    element.MoveBy(to.left - from.left, to.top - from.top);
    element.RefreshRows();
    element.LoadResource();
}

void ResizeTo(SnapShotItem& element, const GraphRect& to)
{
    const GraphRect from = element.AbsoluteRect();
    if (to.Width() != from.Width()) {
        element.SetAttrText(element.FindRow(model::kPropWidth), 1, std::to_string(to.Width()));
    }
    if (to.Height() != from.Height()) {
        element.SetAttrText(element.FindRow(model::kPropHeight), 1, std::to_string(to.Height()));
    }
}

std::string KeptNote(const std::vector<SnapShotItem*>& kept, const char* what)
{
    std::string note;
    for (const SnapShotItem* element : kept) {
        note += (note.empty() ? std::string(what) : std::string(platform::uiText("，"))) +
                element->Name();
    }
    return note;
}

// Applies `place` to every element that may take it, as one undo record.
template <typename Allowed, typename Place>
Outcome Apply(Workspace& ws, const std::vector<SnapShotItem*>& elements, Allowed allowed,
              Place place, const char* keptText)
{
    Outcome outcome;
    APStyleProject* project = ws.CurrentProject();
    if (!project) {
        return outcome;
    }
    std::vector<SnapShotItem*> changing;
    std::vector<SnapShotItem*> kept;
    for (SnapShotItem* element : elements) {
        (allowed(*element) ? changing : kept).push_back(element);
    }
    outcome.changed = RecordElementsEdit(*project, changing, [&] {
        for (std::size_t i = 0; i < changing.size(); ++i) {
            place(*changing[i]);
        }
    });
    outcome.note = KeptNote(kept, keptText);
    multi::ShowOnSurface(ws);
    return outcome;
}

} // namespace

GraphRect Aligned(const GraphRect& rect, Align how, const GraphRect& target)
{
    int dx = 0;
    int dy = 0;
    switch (how) {
    case Align::Left:
        dx = target.left - rect.left;
        break;
    case Align::Right:
        dx = target.right - rect.right;
        break;
    case Align::Top:
        dy = target.top - rect.top;
        break;
    case Align::Bottom:
        dy = target.bottom - rect.bottom;
        break;
    case Align::HorizontalCentre:
        dx = (target.left + target.right) / 2 - (rect.left + rect.right) / 2;
        break;
    case Align::VerticalCentre:
        dy = (target.top + target.bottom) / 2 - (rect.top + rect.bottom) / 2;
        break;
    }
    return rect.Offset(dx, dy);
}

std::vector<GraphRect> Distributed(const std::vector<GraphRect>& rects, Axis axis)
{
    std::vector<GraphRect> placed = rects;
    if (rects.size() < 3) {
        return placed;
    }
    const bool across = axis == Axis::Horizontal;
    const auto start = [across](const GraphRect& r) { return across ? r.left : r.top; };
    const auto end = [across](const GraphRect& r) { return across ? r.right : r.bottom; };
    std::vector<std::size_t> order(rects.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return start(rects[a]) < start(rects[b]);
    });
    const GraphRect& first = rects[order.front()];
    const GraphRect& last = rects[order.back()];
    long long lengths = 0;
    for (const std::size_t i : order) {
        lengths += end(rects[i]) - start(rects[i]);
    }
    const long long room = static_cast<long long>(end(last)) - start(first) - lengths;
    const long long gaps = static_cast<long long>(rects.size()) - 1;
    // Whole pixels: the remainder of the division goes to the first gaps, one each.
    long long at = end(first);
    for (std::size_t k = 1; k + 1 < order.size(); ++k) {
        at += room / gaps + (static_cast<long long>(k) <= room % gaps ? 1 : 0);
        const GraphRect& rect = rects[order[k]];
        const int shift = static_cast<int>(at - start(rect));
        placed[order[k]] = across ? rect.Offset(shift, 0) : rect.Offset(0, shift);
        at += end(rect) - start(rect);
    }
    return placed;
}

GraphRect Matched(const GraphRect& rect, Match how, const GraphRect& key)
{
    GraphRect matched = rect;
    if (how != Match::Height) {
        matched.right = rect.left + key.Width();
    }
    if (how != Match::Width) {
        matched.bottom = rect.top + key.Height();
    }
    return matched;
}

bool CanAlign(Workspace& ws)
{
    return ws.CurrentProject() && !multi::Elements(ws).empty();
}

Outcome AlignSelection(Workspace& ws, Align how)
{
    std::vector<SnapShotItem*> elements = multi::Elements(ws);
    if (elements.empty() || !ws.CurrentProject()) {
        return {};
    }
    GraphRect target{0, 0, ws.CurrentProject()->ScreenWidth(), ws.CurrentProject()->ScreenHeight()};
    if (elements.size() > 1) {
        target = elements.front()->AbsoluteRect();
        elements.erase(elements.begin());
    }
    return Apply(
        ws, elements, MayMove,
        [&](SnapShotItem& element) {
            MoveTo(element, Aligned(element.AbsoluteRect(), how, target));
        },
        platform::uiText("固定的对象没有移动："));
}

bool CanDistribute(Workspace& ws)
{
    return ws.CurrentProject() && multi::Elements(ws).size() >= 3;
}

Outcome DistributeSelection(Workspace& ws, Axis axis)
{
    const std::vector<SnapShotItem*> elements = multi::Elements(ws);
    if (elements.size() < 3) {
        return {};
    }
    std::vector<GraphRect> rects;
    for (SnapShotItem* element : elements) {
        rects.push_back(element->AbsoluteRect());
    }
    const std::vector<GraphRect> placed = Distributed(rects, axis);
    std::map<const SnapShotItem*, GraphRect> places;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        places.emplace(elements[i], placed[i]);
    }
    return Apply(
        ws, elements, MayMove,
        [&places](SnapShotItem& element) { MoveTo(element, places.at(&element)); },
        platform::uiText("固定的对象没有移动："));
}

bool CanMatch(Workspace& ws)
{
    return ws.CurrentProject() && multi::Elements(ws).size() >= 2;
}

Outcome MatchSelection(Workspace& ws, Match how)
{
    std::vector<SnapShotItem*> elements = multi::Elements(ws);
    if (elements.size() < 2) {
        return {};
    }
    const GraphRect key = elements.front()->AbsoluteRect();
    elements.erase(elements.begin());
    return Apply(
        ws, elements, MayResize,
        [&](SnapShotItem& element) {
            ResizeTo(element, Matched(element.AbsoluteRect(), how, key));
        },
        platform::uiText("固定的对象和图片没有改变大小："));
}

} // namespace arrange
} // namespace editing
