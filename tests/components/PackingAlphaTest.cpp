#include "PackingTestPictures.h"

#include "components/packing/CZorRes.h"
#include "components/packing/ResFileReader.h"

#include <gtest/gtest.h>

using namespace packing;
using packingtest::TempDir;

namespace {

struct Packed
{
    ResEntryInfo entry;
    RgbaImage decoded;
};

Packed pack(const RgbaImage& image, PIC_RES_FORMAT format, int quality, int alphaFormat,
            int argbOutput)
{
    TempDir dir;
    CZorRes packer;
    const std::string png = packingtest::writePng(dir.file("in.png"), image);
    EXPECT_EQ(1, packer.AddPicture("PIC1", png, 0, 1, format, quality, alphaFormat, argbOutput, 0));
    EXPECT_EQ(1, packer.SaveFile(dir.file("out.res"), 0, 0, 0, 0));
    ResFileReader reader;
    EXPECT_TRUE(reader.load(dir.file("out.res"))) << reader.error();
    Packed packed;
    if (reader.entries().size() == 1) {
        packed.entry = reader.entries()[0];
        EXPECT_TRUE(reader.decodeRgba(0, packed.decoded)) << reader.error();
    }
    return packed;
}

std::vector<std::uint8_t> alphas(const RgbaImage& image)
{
    std::vector<std::uint8_t> out;
    for (std::size_t i = 3; i < image.pixels.size(); i += 4) {
        out.push_back(image.pixels[i]);
    }
    return out;
}

TEST(PackingAlphaTest, A8PlaneKeepsExactAlphaBesideOpaqueColours)
{
    const RgbaImage image = packingtest::gradient(19, 11);
    struct Case
    {
        PIC_RES_FORMAT format;
        std::uint8_t colourFormat;
    };
    for (const Case c : {Case{PIC_RES_RGB565, kFormatRgb565}, Case{PIC_RES_ARGB1555, kFormatRgb565},
                         Case{PIC_RES_ARGB888, kFormatRgb888}, Case{PIC_RES_WATCH, kFormatWatch},
                         Case{PIC_RES_ARGB6666, kFormatArgb6666}}) {
        const Packed packed = pack(image, c.format, 1, 8, 0);
        EXPECT_TRUE(packed.entry.hasAlphaPlane()) << c.format;
        EXPECT_EQ(c.colourFormat, packed.entry.format) << c.format;
        EXPECT_EQ(19u * 11u * (bytesPerPixel(c.colourFormat) + 1), packed.entry.size);
        EXPECT_EQ(alphas(image), alphas(packed.decoded)) << c.format;
    }
}

TEST(PackingAlphaTest, ArgbOutputOverridesTheFormat)
{
    const RgbaImage image = packingtest::gradient(16, 9);
    const Packed as8888 = pack(image, PIC_RES_RGB565, 1, 0, 8);
    EXPECT_EQ(kFormatArgb8888, as8888.entry.format);
    EXPECT_EQ(image.pixels, as8888.decoded.pixels);

    const Packed as6666 = pack(image, PIC_RES_RGB565, 1, 0, 6);
    EXPECT_EQ(kFormatArgb6666, as6666.entry.format);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        ASSERT_LE(std::abs(image.pixels[i] - as6666.decoded.pixels[i]), 2) << i;
    }

    // Values other than 6 and 8 leave the format alone.
    EXPECT_EQ(kFormatRgb565, pack(image, PIC_RES_RGB565, 1, 0, 3).entry.format);
}

TEST(PackingAlphaTest, SmallestSizeDropsAlphaOnlyWhenOpaque)
{
    const RgbaImage opaque = packingtest::gradient(8, 8, true);
    const Packed dropped = pack(opaque, PIC_RES_ARGB888, 0, 8, 0);
    EXPECT_EQ(kFormatRgb888, dropped.entry.format);
    EXPECT_FALSE(dropped.entry.hasAlphaPlane());
    EXPECT_EQ(opaque.pixels, dropped.decoded.pixels);
    EXPECT_EQ(kFormatRgb565, pack(opaque, PIC_RES_ARGB1555, 0, 0, 0).entry.format);

    // Best quality keeps the format even for an opaque picture.
    EXPECT_EQ(kFormatArgb8888, pack(opaque, PIC_RES_ARGB888, 1, 0, 0).entry.format);
    const RgbaImage translucent = packingtest::gradient(8, 8);
    EXPECT_EQ(kFormatArgb8888, pack(translucent, PIC_RES_ARGB888, 0, 0, 0).entry.format);
}

} // namespace
