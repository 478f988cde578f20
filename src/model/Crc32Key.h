#pragma once

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <string_view>

// The key under which the registries find pictures (stored path) and strings
// (identifier): zlib's CRC-32 of the text's bytes, started from 0.
inline std::uint32_t Crc32Key(std::string_view text)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    const auto* bytes = reinterpret_cast<const Bytef*>(text.data());
    // zlib takes the length as uInt: feed long texts in slices.
    while (!text.empty()) {
        const auto slice = static_cast<uInt>(std::min<std::size_t>(text.size(), 1u << 30));
        crc = crc32(crc, bytes, slice);
        bytes += slice;
        text.remove_prefix(slice);
    }
    return static_cast<std::uint32_t>(crc);
}
