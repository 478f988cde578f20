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

std::uint16_t packRgb565(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>((quantise(p[0], 5) << 11) | (quantise(p[1], 6) << 5) |
                                      quantise(p[2], 5));
}

void unpackRgb565(unsigned word, std::uint8_t* rgba)
{
    rgba[0] = expand((word >> 11) & 0x1F, 5);
    rgba[1] = expand((word >> 5) & 0x3F, 6);
    rgba[2] = expand(word & 0x1F, 5);
}

void put(std::vector<std::uint8_t>& out, unsigned value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

unsigned get(const std::uint8_t* in, int bytes)
{
    unsigned value = 0;
    for (int i = 0; i < bytes; ++i) {
        value |= static_cast<unsigned>(in[i]) << (8 * i);
    }
    return value;
}

void encodePixel(const std::uint8_t* p, std::uint8_t format, unsigned alpha,
                 std::vector<std::uint8_t>& out)
{
    switch (format) {
    case kFormatRgb565:
        put(out, packRgb565(p), 2);
        break;
    case kFormatWatch: {
        const unsigned word = packRgb565(p);
        out.push_back(static_cast<std::uint8_t>(word >> 8));
        out.push_back(static_cast<std::uint8_t>(word));
        break;
    }
    case kFormatArgb8565:
        put(out, packRgb565(p) | (alpha << 16), 3);
        break;
    case kFormatArgb8888:
        put(out, (alpha << 24) | (unsigned{p[0]} << 16) | (unsigned{p[1]} << 8) | p[2], 4);
        break;
    case kFormatRgb888:
        put(out, (unsigned{p[0]} << 16) | (unsigned{p[1]} << 8) | p[2], 3);
        break;
    case kFormatArgb6666:
        put(out,
            (quantise(alpha, 6) << 18) | (quantise(p[0], 6) << 12) | (quantise(p[1], 6) << 6) |
                quantise(p[2], 6),
            3);
        break;
    case kFormatArgb1555:
        put(out,
            ((alpha >= 128 ? 1u : 0u) << 15) | (quantise(p[0], 5) << 10) |
                (quantise(p[1], 5) << 5) | quantise(p[2], 5),
            2);
        break;
    default:
        break;
    }
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

void PixelCodec::encodeColour(const RgbaImage& image, std::uint8_t format, bool alphaPlane,
                              std::vector<std::uint8_t>& out)
{
    const std::size_t count = std::size_t(image.width) * image.height;
    out.reserve(out.size() + count * bytesPerPixel(format));
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = &image.pixels[i * 4];
        encodePixel(p, format, alphaPlane ? 255u : p[3], out);
    }
}

void PixelCodec::encodeAlpha(const RgbaImage& image, std::vector<std::uint8_t>& out)
{
    const std::size_t count = std::size_t(image.width) * image.height;
    out.reserve(out.size() + count);
    for (std::size_t i = 0; i < count; ++i) {
        out.push_back(image.pixels[i * 4 + 3]);
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
