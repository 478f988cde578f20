#pragma once

#include <cstdint>

namespace generate {

// Returns the base of the decimal picture and string identifiers: 10000 for the project
// setting prj_build_res_type 0, 0 for any other value. Identifier = base + 1 + position.
constexpr int identifierBase(std::int32_t buildResType)
{
    return buildResType == 0 ? 10000 : 0;
}

} // namespace generate
