#pragma once

#include <string>

// The font a text drawable is drawn with. Heights and widths are in scene pixels;
// a width of 0 lets the painter choose the width that fits the height.
struct GraphFont
{
    std::string faceName; // UTF-8; empty means the painter's default face
    int height = 12;
    int width = 0;
    int weight = 400; // 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const GraphFont& other) const
    {
        return faceName == other.faceName && height == other.height && width == other.width &&
               weight == other.weight && italic == other.italic && underline == other.underline &&
               strikeOut == other.strikeOut;
    }
    bool operator!=(const GraphFont& other) const { return !(*this == other); }
};
