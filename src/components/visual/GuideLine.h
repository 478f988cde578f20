#pragma once

// A guide line across the surface: vertical at x = position, or horizontal at y = position
// (scene pixels).
struct GuideLine
{
    bool vertical = true;
    int position = 0;

    bool operator==(const GuideLine& other) const
    {
        return vertical == other.vertical && position == other.position;
    }
    bool operator!=(const GuideLine& other) const { return !(*this == other); }
};
