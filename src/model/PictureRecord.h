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
    // Output settings the picture is packed with. Style generation copies the alpha
    // format of the frames that show the picture.
    std::uint8_t compress = 0;
    std::uint8_t alphaFormat = 0; // 0 or 8 (PNG A8)
    std::uint8_t argbOutput = 0;  // 0, 6 or 8
};
