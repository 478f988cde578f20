#pragma once

// A rectangle in scene pixels: left and top inside, right and bottom just outside,
// so that width = right - left. Plain value type shared by the drawables, the
// editing surface and the painters.
struct GraphRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // True when the rectangle covers no pixel (also when it is inverted).
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }

    // Returns the rectangle moved by (dx, dy).
    GraphRect Offset(int dx, int dy) const;
    // Returns the rectangle with left <= right and top <= bottom.
    GraphRect Normalized() const;
    // Returns the common part; an empty rectangle at (0, 0, 0, 0) when there is none.
    GraphRect Intersect(const GraphRect& other) const;
    // Returns the rectangle with every edge multiplied by `factor`, rounded to the nearest
    // pixel (scene pixels to view pixels).
    GraphRect Scaled(double factor) const;

    bool operator==(const GraphRect& other) const
    {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
    bool operator!=(const GraphRect& other) const { return !(*this == other); }
};
