#pragma once

#include <cstdint>
#include <string>

// One row as the property grid keeps it for a scene or the project page: the
// label, value and button texts and the cell types of the value and button columns
// (1 read-only, 2 edit box, 4 editable drop-down, 8 drop-down list, 32 button).
struct GridRow
{
    std::string label;
    std::string value;
    std::string button;
    std::uint32_t valueCellType = 0;
    std::uint32_t buttonCellType = 0;
    // The property id of the row in its page's table (scene or project).
    std::int32_t property = -1;
};
