#include "components/packing/RleCodec.h"

#include <cstring>

namespace packing {

namespace {

constexpr std::size_t kMaxPacket = 128;

bool sameUnit(const std::uint8_t* a, const std::uint8_t* b, std::size_t unit)
{
    return std::memcmp(a, b, unit) == 0;
}

// Number of equal units starting at unit `i`, at most kMaxPacket.
std::size_t runLength(const std::uint8_t* data, std::size_t units, std::size_t unit, std::size_t i)
{
    std::size_t n = 1;
    while (i + n < units && n < kMaxPacket &&
           sameUnit(data + (i + n) * unit, data + i * unit, unit)) {
        ++n;
    }
    return n;
}

} // namespace

void RleCodec::encode(const std::uint8_t* data, std::size_t size, std::size_t unit,
                      std::vector<std::uint8_t>& out)
{
    const std::size_t units = size / unit;
    std::size_t i = 0;
    while (i < units) {
        const std::size_t run = runLength(data, units, unit, i);
        if (run >= 2) {
            out.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
            out.insert(out.end(), data + i * unit, data + (i + 1) * unit);
            i += run;
            continue;
        }
        // A literal packet stops where a run of two or more begins.
        std::size_t n = 1;
        while (i + n < units && n < kMaxPacket && runLength(data, units, unit, i + n) < 2) {
            ++n;
        }
        out.push_back(static_cast<std::uint8_t>(n - 1));
        out.insert(out.end(), data + i * unit, data + (i + n) * unit);
        i += n;
    }
}

bool RleCodec::decode(const std::uint8_t* in, std::size_t inSize, std::size_t unit,
                      std::size_t expected, std::vector<std::uint8_t>& out, std::size_t& consumed)
{
    std::size_t pos = 0;
    std::size_t produced = 0;
    while (produced < expected) {
        if (pos >= inSize) {
            return false;
        }
        const std::uint8_t control = in[pos++];
        const std::size_t count = (control & 0x7F) + 1u;
        if (count * unit > expected - produced) {
            return false;
        }
        if ((control & 0x80) != 0) {
            if (inSize - pos < unit) {
                return false;
            }
            for (std::size_t k = 0; k < count; ++k) {
                out.insert(out.end(), in + pos, in + pos + unit);
            }
            pos += unit;
        } else {
            if (inSize - pos < count * unit) {
                return false;
            }
            out.insert(out.end(), in + pos, in + pos + count * unit);
            pos += count * unit;
        }
        produced += count * unit;
    }
    consumed = pos;
    return true;
}

} // namespace packing
