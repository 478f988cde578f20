#include "PackingTestPictures.h"

#include "components/packing/CZorRes.h"
#include "components/packing/ResFileReader.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace packing;
using packingtest::TempDir;

namespace {

struct FormatCase
{
    PIC_RES_FORMAT format;
    std::uint8_t entryFormat;
    int colourError; // largest difference per colour channel after a round trip
    int alphaError;  // -1: no alpha kept (decodes opaque); 128: one alpha bit
};

void PrintTo(const FormatCase& c, std::ostream* os)
{
    *os << formatName(c.entryFormat);
}

// Packs `image` alone with `format` and returns the file read back.
ResFileReader packOne(const TempDir& dir, const RgbaImage& image, PIC_RES_FORMAT format)
{
    CZorRes packer;
    const std::string png = packingtest::writePng(dir.file("in.png"), image);
    EXPECT_EQ(1, packer.AddPicture("PIC1", png, 0, 1, format, 1, 0, 0, 0));
    EXPECT_EQ(1, packer.SaveFile(dir.file("out.res"), 0, 2, 0, 0));
    ResFileReader reader;
    EXPECT_TRUE(reader.load(dir.file("out.res"))) << reader.error();
    return reader;
}

class PackingPixelFormatTest : public ::testing::TestWithParam<FormatCase>
{
};

TEST_P(PackingPixelFormatTest, RoundTripsWithinQuantisation)
{
    const FormatCase c = GetParam();
    TempDir dir;
    const RgbaImage image = packingtest::gradient(37, 23);
    ResFileReader reader = packOne(dir, image, c.format);
    ASSERT_EQ(1u, reader.entries().size());
    const ResEntryInfo& entry = reader.entries()[0];
    EXPECT_EQ(c.entryFormat, entry.format);
    EXPECT_EQ(37, entry.width);
    EXPECT_EQ(23, entry.height);
    EXPECT_EQ(37u * 23u * bytesPerPixel(c.entryFormat), entry.size);

    RgbaImage decoded;
    ASSERT_TRUE(reader.decodeRgba(0, decoded)) << reader.error();
    ASSERT_EQ(image.pixels.size(), decoded.pixels.size());
    int worstColour = 0;
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const int in = image.pixels[i];
        const int out = decoded.pixels[i];
        if (i % 4 != 3) {
            worstColour = std::max(worstColour, std::abs(in - out));
        } else if (c.alphaError < 0) {
            ASSERT_EQ(255, out) << "pixel " << i / 4;
        } else if (c.alphaError == 128) {
            ASSERT_EQ(in >= 128 ? 255 : 0, out) << "pixel " << i / 4;
        } else {
            ASSERT_LE(std::abs(in - out), c.alphaError) << "pixel " << i / 4;
        }
    }
    EXPECT_LE(worstColour, c.colourError);
}

INSTANTIATE_TEST_SUITE_P(AllFormats, PackingPixelFormatTest,
                         ::testing::Values(FormatCase{PIC_RES_RGB565, kFormatRgb565, 4, -1},
                                           FormatCase{PIC_RES_ARGB565, kFormatArgb8565, 4, 0},
                                           FormatCase{PIC_RES_ARGB888, kFormatArgb8888, 0, 0},
                                           FormatCase{PIC_RES_RGB888, kFormatRgb888, 0, -1},
                                           FormatCase{PIC_RES_WATCH, kFormatWatch, 4, -1},
                                           FormatCase{PIC_RES_ARGB6666, kFormatArgb6666, 2, 2},
                                           FormatCase{PIC_RES_ARGB1555, kFormatArgb1555, 4, 128}));

// The byte order of each encoding is what firmware reads: pin it down.
TEST(PackingPixelBytesTest, EncodesDocumentedByteOrder)
{
    TempDir dir;
    RgbaImage image{1, 1, {0xFF, 0x00, 0x00, 0x80}}; // red, half transparent
    struct Expected
    {
        PIC_RES_FORMAT format;
        std::vector<std::uint8_t> bytes;
    };
    const std::vector<Expected> cases = {
        {PIC_RES_RGB565, {0x00, 0xF8}},
        {PIC_RES_WATCH, {0xF8, 0x00}},
        {PIC_RES_ARGB565, {0x00, 0xF8, 0x80}},
        {PIC_RES_ARGB888, {0x00, 0x00, 0xFF, 0x80}},
        {PIC_RES_RGB888, {0x00, 0x00, 0xFF}},
        {PIC_RES_ARGB6666, {0x00, 0xF0, 0x83}}, // a=32 r=63 g=0 b=0
        {PIC_RES_ARGB1555, {0x00, 0xFC}},
    };
    for (const Expected& e : cases) {
        ResFileReader reader = packOne(dir, image, e.format);
        ASSERT_EQ(1u, reader.entries().size());
        const std::uint8_t* data = reader.storedData(0);
        EXPECT_EQ(e.bytes, std::vector<std::uint8_t>(data, data + reader.entries()[0].size))
            << "format " << e.format;
    }
}

TEST(PackingPixelBytesTest, KeepsExtremesExact)
{
    TempDir dir;
    RgbaImage image{2, 1, {0, 0, 0, 0, 255, 255, 255, 255}};
    for (PIC_RES_FORMAT format :
         {PIC_RES_RGB565, PIC_RES_ARGB565, PIC_RES_WATCH, PIC_RES_ARGB6666, PIC_RES_ARGB1555}) {
        ResFileReader reader = packOne(dir, image, format);
        RgbaImage decoded;
        ASSERT_TRUE(reader.decodeRgba(0, decoded));
        EXPECT_EQ(0, decoded.pixels[0]) << format;
        EXPECT_EQ(255, decoded.pixels[4]) << format;
        EXPECT_EQ(255, decoded.pixels[7]) << format;
    }
}

} // namespace
