#include "components/visual/GraphRect.h"

#include <algorithm>
#include <climits>
#include <cmath>

GraphRect GraphRect::Offset(int dx, int dy) const
{
    return {left + dx, top + dy, right + dx, bottom + dy};
}

GraphRect GraphRect::Normalized() const
{
    return {std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom)};
}

GraphRect GraphRect::Intersect(const GraphRect& other) const
{
    const GraphRect common{std::max(left, other.left), std::max(top, other.top),
                           std::min(right, other.right), std::min(bottom, other.bottom)};
    return common.IsEmpty() ? GraphRect{} : common;
}

GraphRect GraphRect::Scaled(double factor) const
{
    // Clamped, so that an absurd zoom cannot overflow an edge.
    const auto scale = [factor](int value) {
        const double scaled = std::round(static_cast<double>(value) * factor);
        return static_cast<int>(std::clamp(scaled, double(INT_MIN), double(INT_MAX)));
    };
    return {scale(left), scale(top), scale(right), scale(bottom)};
}
