#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace generate {

// Reads little-endian numbers at given offsets of a byte buffer it does not own. Callers
// check has() first; the accessors do not check bounds.
class LittleEndianReader
{
public:
    explicit LittleEndianReader(std::string_view bytes) : m_bytes(bytes) {}

    std::size_t size() const { return m_bytes.size(); }
    // True when `count` bytes from `position` lie inside the buffer.
    bool has(std::size_t position, std::size_t count) const
    {
        return position <= m_bytes.size() && count <= m_bytes.size() - position;
    }

    std::uint8_t u8(std::size_t position) const
    {
        return static_cast<std::uint8_t>(m_bytes[position]);
    }
    std::int8_t i8(std::size_t position) const { return static_cast<std::int8_t>(u8(position)); }
    std::uint16_t u16(std::size_t position) const
    {
        return static_cast<std::uint16_t>(u8(position) | (u8(position + 1) << 8));
    }
    std::int16_t i16(std::size_t position) const
    {
        return static_cast<std::int16_t>(u16(position));
    }
    std::uint32_t u32(std::size_t position) const
    {
        return u16(position) | (static_cast<std::uint32_t>(u16(position + 2)) << 16);
    }

private:
    std::string_view m_bytes;
};

} // namespace generate
