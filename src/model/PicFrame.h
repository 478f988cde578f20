#pragma once

#include <cstdint>
#include <string>

// One frame of a picture or picture region: a copy of the picture resource it shows
// and the output settings it is packed with.
struct PicFrame
{
    // First number of the picture list + the record's index; -1 when unbound.
    std::int32_t id = -1;
    // The picture file's name without directory and extension, upper-cased.
    std::string name;
    // Stored form, as the picture registry keeps it.
    std::string path;
    std::uint8_t compress = 0;
    std::uint8_t alphaFormat = 0; // 0 or 8 (PNG A8)
    std::uint8_t argbOutput = 0;  // 0, 6 or 8
    std::uint8_t reserved = 0;

    bool operator==(const PicFrame& other) const
    {
        return id == other.id && name == other.name && path == other.path &&
               compress == other.compress && alphaFormat == other.alphaFormat &&
               argbOutput == other.argbOutput && reserved == other.reserved;
    }
    bool operator!=(const PicFrame& other) const { return !(*this == other); }
};
