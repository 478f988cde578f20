// docs/formats.md pinned: each worked example built with the real packer and compressor
// and compared byte for byte, and byte vectors written by hand from the document's RLE
// and tile table rules, decoded by the reader's decoder.

#include "PackingTestPictures.h"

#include "components/packing/CZorRes.h"
#include "components/packing/DazOR4.h"
#include "components/packing/EntryCompressor.h"

#include <gtest/gtest.h>

using namespace packing;
using packingtest::TempDir;

namespace {

using Bytes = std::vector<std::uint8_t>;

RgbaImage picture(int width, int height, const std::vector<std::uint32_t>& rgba)
{
    RgbaImage image{width, height, {}};
    for (const std::uint32_t pixel : rgba) {
        image.pixels.insert(image.pixels.end(), {static_cast<std::uint8_t>(pixel >> 24),
                                                 static_cast<std::uint8_t>(pixel >> 16),
                                                 static_cast<std::uint8_t>(pixel >> 8),
                                                 static_cast<std::uint8_t>(pixel)});
    }
    return image;
}

TEST(FormatsDocument, PictureFileExampleBeforeAndAfterCompression)
{
    TempDir dir;
    const std::string pic1 = packingtest::writePng(
        dir.file("1.png"), picture(2, 2, {0xFF0000FF, 0x00FF00FF, 0x0000FFFF, 0xFFFFFFFF}));
    const std::string pic2 = packingtest::writePng(
        dir.file("2.png"), picture(3, 1, {0xFF0000FF, 0xFF000080, 0xFF000000}));
    const std::string pic3 = packingtest::writePng(
        dir.file("3.png"), picture(4, 1, {0xFF0000FF, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF}));
    CZorRes packer;
    ASSERT_EQ(1, packer.AddPicture("PIC1", pic1, 0, 1, PIC_RES_RGB565, 1, 0, 0, 0));
    ASSERT_EQ(1, packer.AddPicture("PIC2", pic2, 0, 1, PIC_RES_RGB565, 1, 8, 0, 0));
    ASSERT_EQ(1, packer.AddPicture("PIC3", pic3, 1, 1, PIC_RES_RGB565, 1, 0, 0, 0));
    const std::string path = dir.file("demo.res");
    ASSERT_EQ(1, packer.SaveFile(path, 0, 1, 0, 0));

    Bytes expected = {
        0x52, 0x45, 0x53, 0x19, 0x03, 0x00, 0x01, 0x01, 0,    0,    0,    0,
        0,    0,    0,    0, // header
        0x40, 0,    0,    0,    0x08, 0,    0,    0,    0x02, 0,    0x02, 0,
        0x00, 0x00, 0x00, 0x00, // entry 0
        0x48, 0,    0,    0,    0x09, 0,    0,    0,    0x03, 0,    0x01, 0,
        0x00, 0x00, 0x02, 0x00, // entry 1
        0x54, 0,    0,    0,    0x08, 0,    0,    0,    0x04, 0,    0x01, 0,
        0x00, 0x00, 0x01, 0x00,                                                 // entry 2
        0x00, 0xf8, 0xe0, 0x07, 0x1f, 0x00, 0xff, 0xff,                         // PIC1
        0x00, 0xf8, 0x00, 0xf8, 0x00, 0xf8, 0xff, 0x80, 0x00, 0x00, 0x00, 0x00, // PIC2
        0x00, 0xf8, 0x00, 0xf8, 0x00, 0xf8, 0x00, 0xf8};                        // PIC3
    ASSERT_EQ(expected.size(), 92u);
    EXPECT_EQ(packingtest::readBytes(path), expected);

    DazOR4 compressor;
    ASSERT_TRUE(compressor.res_pic_compress(path, path, true)) << compressor.GetLastError();
    expected.resize(0x54);
    expected[0x34] = 0x03; // entry 2: size 3, compression 1
    expected[0x3D] = 0x01;
    expected.insert(expected.end(), {0x83, 0x00, 0xf8, 0x00});
    ASSERT_EQ(expected.size(), 88u);
    EXPECT_EQ(packingtest::readBytes(path), expected);
}

TEST(FormatsDocument, StringFileExampleAndCharactersBeyondTheBasicPlane)
{
    TempDir dir;
    CZorRes packer;
    const std::string ok("OK\0\xE5\xA5\xBD\0", 7);
    const std::string exit("Exit\0", 5);
    ASSERT_EQ(1, packer.AddString("STR1", ok.data(), static_cast<int>(ok.size()), 1));
    ASSERT_EQ(1, packer.AddString("STR2", exit.data(), static_cast<int>(exit.size()), 1));
    // U+1F600 as the build's text converter gives it (two three-byte halves), then a
    // lone low half, which has no four-byte form.
    const std::string smile("\xED\xA0\xBD\xED\xB8\x80!\xED\xB8\x80\0", 11);
    ASSERT_EQ(1, packer.AddString("STR3", smile.data(), static_cast<int>(smile.size()), 1));
    ASSERT_EQ(1, packer.SaveFileByLanguage(dir.file("str"), {"demo.english", "demo.chinese"}));

    // The document's two strings, with STR3 as a third entry.
    const Bytes english = {0x53, 0x54, 0x52, 0x19, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00,
                           0x39, 0,    0,    0,    0x28, 0,    0,    0,    0x02, 0,    0,    0,
                           0x2b, 0,    0,    0,    0x04, 0,    0,    0,    0x30, 0,    0,    0,
                           0x08, 0,    0,    0,    'O',  'K',  0,    'E',  'x',  'i',  't',  0,
                           0xF0, 0x9F, 0x98, 0x80, '!',  0xED, 0xB8, 0x80, 0};
    EXPECT_EQ(packingtest::readBytes(dir.file("str/demo.english")), english);
    const Bytes chinese = {0x53, 0x54, 0x52, 0x19, 0x03, 0x00, 0x01, 0x00, 0x01, 0x00, 0x02, 0x00,
                           0x2e, 0,    0,    0,    0x28, 0,    0,    0,    0x03, 0,    0,    0,
                           0x2c, 0,    0,    0,    0x00, 0,    0,    0,    0x2d, 0,    0,    0,
                           0x00, 0,    0,    0,    0xe5, 0xa5, 0xbd, 0,    0,    0};
    EXPECT_EQ(packingtest::readBytes(dir.file("str/demo.chinese")), chinese);

    // Exactly the document's example without STR3.
    CZorRes two;
    ASSERT_EQ(1, two.AddString("STR1", ok.data(), static_cast<int>(ok.size()), 1));
    ASSERT_EQ(1, two.AddString("STR2", exit.data(), static_cast<int>(exit.size()), 1));
    ASSERT_EQ(1, two.SaveFileByLanguage(dir.file("two"), {"demo.english", "demo.chinese"}));
    EXPECT_EQ(
        packingtest::readBytes(dir.file("two/demo.english")),
        (Bytes{0x53, 0x54, 0x52, 0x19, 0x02, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x28, 0,
               0,    0,    0x20, 0,    0,    0,    0x02, 0,    0,    0,    0x23, 0,    0,    0,
               0x04, 0,    0,    0,    'O',  'K',  0,    'E',  'x',  'i',  't',  0}));
    EXPECT_EQ(packingtest::readBytes(dir.file("two/demo.chinese")),
              (Bytes{0x53, 0x54, 0x52, 0x19, 0x02, 0x00, 0x01, 0x00, 0x01, 0x00, 0x02, 0x00, 0x25,
                     0,    0,    0,    0x20, 0,    0,    0,    0x03, 0,    0,    0,    0x24, 0,
                     0,    0,    0x00, 0,    0,    0,    0xe5, 0xa5, 0xbd, 0,    0}));
}

ResEntryInfo rgb565Entry(std::uint16_t width, std::uint16_t height, std::uint8_t flags)
{
    ResEntryInfo entry;
    entry.width = width;
    entry.height = height;
    entry.format = kFormatRgb565;
    entry.compression = kCompressionRle;
    entry.flags = static_cast<std::uint8_t>(kFlagCompress | flags);
    return entry;
}

Bytes restored(const ResEntryInfo& entry, const Bytes& stored, std::uint16_t tileWidth,
               std::uint16_t tileHeight)
{
    Bytes planes;
    std::string error;
    EXPECT_TRUE(EntryCompressor::restore(entry, stored.data(), stored.size(), tileWidth, tileHeight,
                                         planes, error))
        << error;
    return planes;
}

TEST(FormatsDocument, RlePacketsWrittenByHand)
{
    // Red, then three blue: a copy packet of one unit and a repeat packet of three.
    EXPECT_EQ(restored(rgb565Entry(4, 1, 0), {0x00, 0x00, 0xf8, 0x82, 0x1f, 0x00}, 0, 0),
              (Bytes{0x00, 0xf8, 0x1f, 0x00, 0x1f, 0x00, 0x1f, 0x00}));

    // 130 red pixels: the longest repeat (c = 0xFF, 128 units), then two more.
    Bytes red130;
    for (int i = 0; i < 130; ++i) {
        red130.insert(red130.end(), {0x00, 0xf8});
    }
    EXPECT_EQ(restored(rgb565Entry(130, 1, 0), {0xff, 0x00, 0xf8, 0x81, 0x00, 0xf8}, 0, 0), red130);

    // With an alpha plane the colour part ends where its size is reached and the alpha
    // part follows with 1-byte units: green, white; then alpha FF, 80 as one copy packet.
    EXPECT_EQ(restored(rgb565Entry(2, 1, kFlagAlphaPlane),
                       {0x01, 0xe0, 0x07, 0xff, 0xff, 0x01, 0xff, 0x80}, 0, 0),
              (Bytes{0xe0, 0x07, 0xff, 0xff, 0xff, 0x80}));

    // A packet that would cross from the colour part into the alpha part is damage.
    Bytes planes;
    std::string error;
    const Bytes crossing = {0x82, 0x00, 0xf8, 0x81, 0xff};
    EXPECT_FALSE(EntryCompressor::restore(rgb565Entry(2, 1, kFlagAlphaPlane), crossing.data(),
                                          crossing.size(), 0, 0, planes, error));
}

TEST(FormatsDocument, TileTableWrittenByHand)
{
    // 3 x 2 pixels with an alpha plane in tiles of 2 x 2: tile 0 is columns 0-1, tile 1
    // column 2. Colour rows: red red blue / red green blue; alpha rows: FF FF 80 twice.
    const Bytes planes = {0x00, 0xf8, 0x00, 0xf8, 0x1f, 0x00, 0x00, 0xf8, 0xe0,
                          0x07, 0x1f, 0x00, 0xff, 0xff, 0x80, 0xff, 0xff, 0x80};
    const Bytes stored = {
        0x0c, 0,    0,    0,    0x14, 0,    0,    0,
        0x19, 0,    0,    0,                            // t + 1 = 3 offsets, the last the size
        0x82, 0x00, 0xf8, 0x00, 0xe0, 0x07, 0x83, 0xff, // tile 0: red x3, green; alpha FF x4
        0x81, 0x1f, 0x00, 0x81, 0x80};                  // tile 1: blue x2; alpha 80 x2
    const ResEntryInfo entry = rgb565Entry(3, 2, kFlagAlphaPlane | kFlagTiled);
    EXPECT_EQ(restored(entry, stored, 2, 2), planes);

    // The compressor writes the same table (its packets may differ, but not here).
    Bytes coded;
    EntryCompressor::compressInto(entry, planes, kCompressionRle, 2, 2, coded);
    EXPECT_EQ(coded, stored);

    // A table whose last value is not the data size is damage.
    Bytes wrongSize = stored;
    wrongSize[8] = 0x18;
    Bytes out;
    std::string error;
    EXPECT_FALSE(
        EntryCompressor::restore(entry, wrongSize.data(), wrongSize.size(), 2, 2, out, error));
}

} // namespace
