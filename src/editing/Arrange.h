#pragma once

#include "components/visual/GraphRect.h"

#include <string>
#include <vector>

namespace editing {

class Workspace;

// The 排列 commands over the selected elements: align their edges or centres, distribute
// them with equal gaps, give them the key element's size. Each is one undo record; fixed
// elements keep their place and pictures their size (they are as large as their file).
namespace arrange {

enum class Align
{
    Left,
    Right,
    Top,
    Bottom,
    HorizontalCentre, // centres on one vertical line
    VerticalCentre    // centres on one horizontal line
};

enum class Axis
{
    Horizontal,
    Vertical
};

enum class Match
{
    Width,
    Height,
    Size
};

// Where `rect` goes when aligned to `target`.
GraphRect Aligned(const GraphRect& rect, Align how, const GraphRect& target);
// Where each of `rects` goes so that the gaps between neighbours along `axis` are equal, the
// outermost two staying where they are. Fewer than three stay.
std::vector<GraphRect> Distributed(const std::vector<GraphRect>& rects, Axis axis);
// `rect` with the width, height or both of `key`, its top-left corner kept.
GraphRect Matched(const GraphRect& rect, Match how, const GraphRect& key);

// What an arrange command did.
struct Outcome
{
    bool changed = false; // an undo record was added
    std::string note;     // for the status bar: elements that kept their place or size
};

// Align: to the key element, or to the screen when one element is selected.
bool CanAlign(Workspace& ws);
Outcome AlignSelection(Workspace& ws, Align how);
// Distribute: three elements or more.
bool CanDistribute(Workspace& ws);
Outcome DistributeSelection(Workspace& ws, Axis axis);
// Same size as the key element: two elements or more.
bool CanMatch(Workspace& ws);
Outcome MatchSelection(Workspace& ws, Match how);

} // namespace arrange
} // namespace editing
