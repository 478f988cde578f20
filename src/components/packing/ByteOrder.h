#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Little-endian reads and writes for the binary resource formats. Every
// multi-byte field of our files is little-endian, whatever the host.
namespace packing {

inline std::uint16_t getU16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t getU32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline void putU16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void putU32(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

inline void appendU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    const std::size_t at = out.size();
    out.resize(at + 4);
    putU32(out.data() + at, v);
}

} // namespace packing
