#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace generate {

// Appends numbers to a byte buffer in little-endian order, one byte at a time, so the layout
// never depends on the host's byte order or on structure padding.
class LittleEndianWriter
{
public:
    void u8(std::uint8_t value) { m_bytes += static_cast<char>(value); }
    void i8(std::int8_t value) { u8(static_cast<std::uint8_t>(value)); }
    void u16(std::uint16_t value)
    {
        u8(static_cast<std::uint8_t>(value));
        u8(static_cast<std::uint8_t>(value >> 8));
    }
    void i16(std::int16_t value) { u16(static_cast<std::uint16_t>(value)); }
    void u32(std::uint32_t value)
    {
        u16(static_cast<std::uint16_t>(value));
        u16(static_cast<std::uint16_t>(value >> 16));
    }
    // Overwrites the four bytes at `position` (already written) with `value`.
    void patchU32(std::size_t position, std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i) {
            m_bytes[position + i] = static_cast<char>(value >> (8 * i));
        }
    }

    std::size_t size() const { return m_bytes.size(); }
    const std::string& bytes() const { return m_bytes; }
    std::string take() { return std::move(m_bytes); }

private:
    std::string m_bytes;
};

} // namespace generate
