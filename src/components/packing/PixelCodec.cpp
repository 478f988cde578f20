#include "components/packing/PixelCodec.h"

#include "components/packing/ResFileLayout.h"

namespace packing {

namespace {

// Nearest of 2^bits levels for an 8-bit value.
unsigned quantise(unsigned value, unsigned bits)
{
    const unsigned maxLevel = (1u << bits) - 1;
    return (value * maxLevel + 127) / 255;
}

// Back to 8 bits by repeating the high bits in the low ones.
std::uint8_t expand(unsigned level, unsigned bits)
{
    unsigned value = level << (8 - bits);
    for (unsigned filled = bits; filled < 8; filled += bits) {
        value |= value >> bits;
    }
    return static_cast<std::uint8_t>(value);
}

// quantise() for every 8-bit value: one table look-up per channel instead of
// a division.
struct Levels
{
    std::uint8_t five[256];
    std::uint8_t six[256];
};

const Levels& levels()
{
    static const Levels table = [] {
        Levels t{};
        for (unsigned v = 0; v < 256; ++v) {
            t.five[v] = static_cast<std::uint8_t>(quantise(v, 5));
            t.six[v] = static_cast<std::uint8_t>(quantise(v, 6));
        }
        return t;
    }();
    return table;
}

unsigned rgb565(const Levels& q, const std::uint8_t* p)
{
    return (unsigned{q.five[p[0]]} << 11) | (unsigned{q.six[p[1]]} << 5) | q.five[p[2]];
}

inline void putLe(std::uint8_t* out, unsigned value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// The format is chosen once per picture, not once per pixel.
template <class Encode>
void forEachPixel(const std::uint8_t* rgba, std::size_t count, std::uint8_t* out, std::size_t step,
                  Encode encode)
{
    for (std::size_t i = 0; i < count; ++i) {
        encode(rgba + i * 4, out + i * step);
    }
}

void unpackRgb565(unsigned word, std::uint8_t* rgba)
{
    rgba[0] = expand((word >> 11) & 0x1F, 5);
    rgba[1] = expand((word >> 5) & 0x3F, 6);
    rgba[2] = expand(word & 0x1F, 5);
}

unsigned get(const std::uint8_t* in, int bytes)
{
    unsigned value = 0;
    for (int i = 0; i < bytes; ++i) {
        value |= static_cast<unsigned>(in[i]) << (8 * i);
    }
    return value;
}

// Returns the pixel's own alpha (255 for formats without one).
std::uint8_t decodePixel(const std::uint8_t* in, std::uint8_t format, std::uint8_t* rgba)
{
    switch (format) {
    case kFormatRgb565:
        unpackRgb565(get(in, 2), rgba);
        return 255;
    case kFormatWatch:
        unpackRgb565((unsigned{in[0]} << 8) | in[1], rgba);
        return 255;
    case kFormatArgb8565: {
        const unsigned v = get(in, 3);
        unpackRgb565(v & 0xFFFF, rgba);
        return static_cast<std::uint8_t>(v >> 16);
    }
    case kFormatArgb8888:
        rgba[0] = in[2];
        rgba[1] = in[1];
        rgba[2] = in[0];
        return in[3];
    case kFormatRgb888:
        rgba[0] = in[2];
        rgba[1] = in[1];
        rgba[2] = in[0];
        return 255;
    case kFormatArgb6666: {
        const unsigned v = get(in, 3);
        rgba[0] = expand((v >> 12) & 0x3F, 6);
        rgba[1] = expand((v >> 6) & 0x3F, 6);
        rgba[2] = expand(v & 0x3F, 6);
        return expand((v >> 18) & 0x3F, 6);
    }
    case kFormatArgb1555: {
        const unsigned v = get(in, 2);
        rgba[0] = expand((v >> 10) & 0x1F, 5);
        rgba[1] = expand((v >> 5) & 0x1F, 5);
        rgba[2] = expand(v & 0x1F, 5);
        return (v & 0x8000) != 0 ? 255 : 0;
    }
    default:
        rgba[0] = rgba[1] = rgba[2] = 0;
        return 255;
    }
}

} // namespace

void PixelCodec::encodeColour(const std::uint8_t* rgba, std::size_t pixelCount, std::uint8_t format,
                              bool alphaPlane, std::uint8_t* out)
{
    const Levels& q = levels();
    // OR-ing 255 into every alpha makes the format's own alpha opaque.
    const unsigned forced = alphaPlane ? 255u : 0u;
    switch (format) {
    case kFormatRgb565:
        forEachPixel(rgba, pixelCount, out, 2,
                     [&](const std::uint8_t* p, std::uint8_t* o) { putLe(o, rgb565(q, p), 2); });
        break;
    case kFormatWatch:
        forEachPixel(rgba, pixelCount, out, 2, [&](const std::uint8_t* p, std::uint8_t* o) {
            const unsigned word = rgb565(q, p);
            o[0] = static_cast<std::uint8_t>(word >> 8);
            o[1] = static_cast<std::uint8_t>(word);
        });
        break;
    case kFormatArgb8565:
        forEachPixel(rgba, pixelCount, out, 3, [&](const std::uint8_t* p, std::uint8_t* o) {
            putLe(o, rgb565(q, p) | ((p[3] | forced) << 16), 3);
        });
        break;
    case kFormatArgb8888:
        forEachPixel(rgba, pixelCount, out, 4, [&](const std::uint8_t* p, std::uint8_t* o) {
            o[0] = p[2];
            o[1] = p[1];
            o[2] = p[0];
            o[3] = static_cast<std::uint8_t>(p[3] | forced);
        });
        break;
    case kFormatRgb888:
        forEachPixel(rgba, pixelCount, out, 3, [&](const std::uint8_t* p, std::uint8_t* o) {
            o[0] = p[2];
            o[1] = p[1];
            o[2] = p[0];
        });
        break;
    case kFormatArgb6666:
        forEachPixel(rgba, pixelCount, out, 3, [&](const std::uint8_t* p, std::uint8_t* o) {
            putLe(o,
                  (unsigned{q.six[p[3] | forced]} << 18) | (unsigned{q.six[p[0]]} << 12) |
                      (unsigned{q.six[p[1]]} << 6) | q.six[p[2]],
                  3);
        });
        break;
    case kFormatArgb1555:
        forEachPixel(rgba, pixelCount, out, 2, [&](const std::uint8_t* p, std::uint8_t* o) {
            putLe(o,
                  (((p[3] | forced) >= 128 ? 1u : 0u) << 15) | (unsigned{q.five[p[0]]} << 10) |
                      (unsigned{q.five[p[1]]} << 5) | q.five[p[2]],
                  2);
        });
        break;
    default:
        break;
    }
}

void PixelCodec::encodeAlpha(const std::uint8_t* rgba, std::size_t pixelCount, std::uint8_t* out)
{
    for (std::size_t i = 0; i < pixelCount; ++i) {
        out[i] = rgba[i * 4 + 3];
    }
}

void PixelCodec::decode(const std::uint8_t* colour, std::uint8_t format, const std::uint8_t* alpha,
                        std::size_t pixelCount, std::uint8_t* rgba)
{
    const std::size_t step = bytesPerPixel(format);
    for (std::size_t i = 0; i < pixelCount; ++i) {
        const std::uint8_t own = decodePixel(colour + i * step, format, rgba + i * 4);
        rgba[i * 4 + 3] = alpha != nullptr ? alpha[i] : own;
    }
}

} // namespace packing
