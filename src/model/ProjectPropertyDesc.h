#pragma once

#include <cstdint>

// One row of the project property table shown on the project page of the
// property grid. `kind` sets both cells: 2 edit box, 8 drop-down list, 33
// read-only value with a "Browse.." button.
struct ProjectPropertyDesc
{
    std::int32_t id;
    std::int32_t kind;
    const char* label;
    const char* description;
};

inline constexpr int kProjectPropertyCount = 22;

// The static 22-row table, in page order (not owned).
const ProjectPropertyDesc* ProjectPropertyTable();
