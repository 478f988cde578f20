#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace packing {

// Run-length coding on units of 1 to 4 bytes (one pixel of a plane). A stream
// is a sequence of packets, each a control byte c followed by:
//   c & 0x80 set:   one unit, repeated (c & 0x7F) + 1 times;
//   c & 0x80 clear: c + 1 units copied as they stand.
class RleCodec
{
public:
    // Appends the coded form of `size` bytes at `data` to `out`. `size` must
    // be a multiple of `unit`.
    static void encode(const std::uint8_t* data, std::size_t size, std::size_t unit,
                       std::vector<std::uint8_t>& out);

    // Decodes packets from `in` until exactly `expected` bytes were produced,
    // appending them to `out` and setting `consumed` to the input bytes used.
    // Returns false when the input ends early or a packet would overshoot.
    static bool decode(const std::uint8_t* in, std::size_t inSize, std::size_t unit,
                       std::size_t expected, std::vector<std::uint8_t>& out, std::size_t& consumed);
};

} // namespace packing
