#pragma once

#include "model/StringRegistry.h"

#include <string>
#include <vector>

using Names = std::vector<std::string>;

// Returns the identifiers of `list`'s strings in list order: what an import kept and how it
// named the repeated ones.
inline Names identifiers(const StringRegistry& list)
{
    Names names;
    for (const StringRecord& record : list.Records()) {
        names.push_back(record.identifier);
    }
    return names;
}
