#include "components/packing/PixelCodec.h"
#include "components/packing/ResFileLayout.h"

#include <gtest/gtest.h>

#include <vector>

using namespace packing;

namespace {

// The rounding of docs/formats.md, written out independently of the codec.
unsigned level(unsigned v, unsigned bits)
{
    return (v * ((1u << bits) - 1) + 127) / 255;
}

void putLe(std::vector<std::uint8_t>& out, unsigned value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

std::vector<std::uint8_t> reference(const std::vector<std::uint8_t>& rgba, std::uint8_t format,
                                    bool alphaPlane)
{
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        const unsigned r = rgba[i], g = rgba[i + 1], b = rgba[i + 2];
        const unsigned a = alphaPlane ? 255 : rgba[i + 3];
        const unsigned rgb565 = level(r, 5) << 11 | level(g, 6) << 5 | level(b, 5);
        switch (format) {
        case kFormatRgb565:
            putLe(out, rgb565, 2);
            break;
        case kFormatWatch:
            out.push_back(static_cast<std::uint8_t>(rgb565 >> 8));
            out.push_back(static_cast<std::uint8_t>(rgb565));
            break;
        case kFormatArgb8565:
            putLe(out, a << 16 | rgb565, 3);
            break;
        case kFormatArgb8888:
            putLe(out, a << 24 | r << 16 | g << 8 | b, 4);
            break;
        case kFormatRgb888:
            putLe(out, r << 16 | g << 8 | b, 3);
            break;
        case kFormatArgb6666:
            putLe(out, level(a, 6) << 18 | level(r, 6) << 12 | level(g, 6) << 6 | level(b, 6), 3);
            break;
        case kFormatArgb1555:
            putLe(out,
                  (a >= 128 ? 1u : 0u) << 15 | level(r, 5) << 10 | level(g, 5) << 5 | level(b, 5),
                  2);
            break;
        }
    }
    return out;
}

void encodeEveryFormat(const std::vector<std::uint8_t>& rgba)
{
    const std::size_t count = rgba.size() / 4;
    for (const std::uint8_t format :
         {kFormatRgb565, kFormatArgb8565, kFormatArgb8888, kFormatRgb888, kFormatWatch,
          kFormatArgb6666, kFormatArgb1555}) {
        for (const bool alphaPlane : {false, true}) {
            std::vector<std::uint8_t> out(count * bytesPerPixel(format), 0xEE);
            PixelCodec::encodeColour(rgba.data(), count, format, alphaPlane, out.data());
            EXPECT_EQ(reference(rgba, format, alphaPlane), out)
                << formatName(format) << (alphaPlane ? " with alpha plane" : "") << ", " << count
                << " pixels";
        }
    }
}

// Every value occurs in every channel, each channel running differently.
TEST(PixelCodecTest, EveryFormatEncodesEveryChannelValueAsDocumented)
{
    std::vector<std::uint8_t> rgba;
    for (unsigned v = 0; v < 256; ++v) {
        rgba.insert(rgba.end(),
                    {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(255 - v),
                     static_cast<std::uint8_t>(v * 7), static_cast<std::uint8_t>(v * 13 + 5)});
    }
    // Whole blocks of pixels and a few left over are converted on different paths.
    for (const std::size_t count : {std::size_t{256}, std::size_t{253}, std::size_t{5}}) {
        encodeEveryFormat(std::vector<std::uint8_t>(rgba.begin(), rgba.begin() + count * 4));
    }
    const std::size_t count = rgba.size() / 4;
    std::vector<std::uint8_t> alpha(count);
    PixelCodec::encodeAlpha(rgba.data(), count, alpha.data());
    for (std::size_t i = 0; i < count; ++i) {
        ASSERT_EQ(rgba[i * 4 + 3], alpha[i]) << i;
    }
}

} // namespace
