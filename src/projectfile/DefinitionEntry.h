#pragma once

#include <string>

// One row of a definition table: a class name and its widget type (element classes), or a
// key name and its value (keys).
struct DefinitionEntry
{
    std::string name;
    int value = 0;

    bool operator==(const DefinitionEntry& other) const
    {
        return name == other.name && value == other.value;
    }
    bool operator!=(const DefinitionEntry& other) const { return !(*this == other); }
};
