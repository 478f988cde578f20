#pragma once

#include <cstdint>
#include <string>

// One picture resource: its running number, its name and its stored path.
struct PictureRecord
{
    static constexpr std::size_t kNameMax = 32;

    std::uint32_t number = 0;
    // The file name without directory and extension, upper-cased, cut to kNameMax.
    std::string name;
    // Stored form relative to the case directory, A to Z in lower case.
    std::string path;
};
