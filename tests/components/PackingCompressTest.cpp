#include "PackingTestPictures.h"

#include "components/packing/CZorRes.h"
#include "components/packing/DazOR4.h"
#include "components/packing/ResFileReader.h"

#include <gtest/gtest.h>

using namespace packing;
using packingtest::TempDir;

namespace {

struct CompressCase
{
    int compressType;
    int tileWidth;
    int tileHeight;
    int alphaFormat;
};

void PrintTo(const CompressCase& c, std::ostream* os)
{
    *os << "type " << c.compressType << " tiles " << c.tileWidth << "x" << c.tileHeight << " alpha "
        << c.alphaFormat;
}

class PackingCompressTest : public ::testing::TestWithParam<CompressCase>
{
protected:
    // Packs a compressible and a noisy picture and a raw JPEG, saves, compresses.
    void packAndCompress(const CompressCase& c)
    {
        CZorRes packer;
        const std::string a =
            packingtest::writePng(m_dir.file("a.png"), packingtest::blocks(50, 31));
        const std::string b =
            packingtest::writePng(m_dir.file("b.png"), packingtest::gradient(23, 17));
        const std::string j = packingtest::writeJpeg(m_dir.file("c.jpg"), 16, 16);
        ASSERT_EQ(1, packer.AddPicture("PIC1", a, 1, 1, PIC_RES_ARGB565, 1, c.alphaFormat, 0, 0));
        ASSERT_EQ(1, packer.AddPicture("PIC2", b, 1, 1, PIC_RES_RGB888, 1, c.alphaFormat, 0, 0));
        ASSERT_EQ(1, packer.AddPicture("PIC3", j, 1, 1, PIC_RES_RGB565, 1, 0, 0, 1));
        ASSERT_EQ(1, packer.SaveFile(m_plain, 0, c.compressType, c.tileWidth, c.tileHeight));
        DazOR4 compressor;
        ASSERT_TRUE(compressor.res_pic_compress(m_plain, m_packed, true))
            << compressor.GetLastError();
    }

    TempDir m_dir;
    std::string m_plain = m_dir.file("plain.res");
    std::string m_packed = m_dir.file("packed.res");
};

TEST_P(PackingCompressTest, DecompressesToTheExactPlanes)
{
    const CompressCase c = GetParam();
    packAndCompress(c);
    ResFileReader plain;
    ResFileReader packed;
    ASSERT_TRUE(plain.load(m_plain)) << plain.error();
    ASSERT_TRUE(packed.load(m_packed)) << packed.error();
    ASSERT_EQ(3u, packed.entries().size());

    const std::uint8_t method = c.compressType == 1 ? kCompressionRle : kCompressionLz4;
    EXPECT_EQ(method, packed.header().method);
    EXPECT_EQ(c.tileWidth, packed.header().tileWidth);
    EXPECT_EQ(method, packed.entries()[0].compression) << "flat picture not compressed";
    EXPECT_LT(packed.entries()[0].size, plain.entries()[0].size);
    EXPECT_EQ(c.tileWidth != 0, (packed.entries()[0].flags & kFlagTiled) != 0);

    for (std::size_t i = 0; i < 2; ++i) {
        std::vector<std::uint8_t> expected;
        std::vector<std::uint8_t> actual;
        ASSERT_TRUE(plain.decodePlanes(i, expected)) << plain.error();
        ASSERT_TRUE(packed.decodePlanes(i, actual)) << packed.error();
        EXPECT_EQ(expected, actual) << "entry " << i;
    }
    // The JPEG entry is stored as it was read.
    EXPECT_EQ(kFormatJpeg, packed.entries()[2].format);
    EXPECT_EQ(packingtest::readBytes(m_dir.file("c.jpg")),
              std::vector<std::uint8_t>(packed.storedData(2),
                                        packed.storedData(2) + packed.entries()[2].size));
}

TEST_P(PackingCompressTest, CompressingAgainGivesTheSameFile)
{
    packAndCompress(GetParam());
    DazOR4 compressor;
    const std::string again = m_dir.file("again.res");
    ASSERT_TRUE(compressor.res_pic_compress(m_packed, again, true));
    EXPECT_EQ(packingtest::readBytes(m_packed), packingtest::readBytes(again));
}

INSTANTIATE_TEST_SUITE_P(MethodsAndTiles, PackingCompressTest,
                         ::testing::Values(CompressCase{1, 0, 0, 0}, CompressCase{2, 0, 0, 0},
                                           CompressCase{0, 0, 0, 8}, CompressCase{1, 16, 8, 0},
                                           CompressCase{2, 16, 8, 8}, CompressCase{1, 7, 5, 8},
                                           CompressCase{2, 64, 64, 0}));

TEST(PackingCompressChoiceTest, KeepsRawDataThatDoesNotShrinkAndHonoursTheFlag)
{
    TempDir dir;
    RgbaImage noise{24, 24, {}};
    std::uint32_t seed = 12345;
    for (int i = 0; i < 24 * 24 * 4; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise.pixels.push_back(static_cast<std::uint8_t>(seed >> 16));
    }
    const std::string n = packingtest::writePng(dir.file("n.png"), noise);
    const std::string b = packingtest::writePng(dir.file("b.png"), packingtest::blocks(40, 40));
    CZorRes packer;
    ASSERT_EQ(1, packer.AddPicture("PIC1", n, 1, 1, PIC_RES_ARGB888, 1, 0, 0, 0));
    ASSERT_EQ(1, packer.AddPicture("PIC2", b, 0, 1, PIC_RES_ARGB888, 1, 0, 0, 0));
    ASSERT_EQ(1, packer.SaveFile(dir.file("p.res"), 0, 1, 0, 0));

    DazOR4 compressor;
    ASSERT_TRUE(compressor.res_pic_compress(dir.file("p.res"), dir.file("p.res"), true));
    ResFileReader reader;
    ASSERT_TRUE(reader.load(dir.file("p.res")));
    EXPECT_EQ(kCompressionNone, reader.entries()[0].compression) << "noise grew and stays raw";
    EXPECT_EQ(kCompressionNone, reader.entries()[1].compression) << "not flagged";

    ASSERT_TRUE(compressor.res_pic_compress(dir.file("p.res"), dir.file("all.res"), false));
    ASSERT_TRUE(reader.load(dir.file("all.res")));
    EXPECT_EQ(kCompressionRle, reader.entries()[1].compression);
}

TEST(PackingCompressChoiceTest, SmallestSizeTakesTheSmallerMethod)
{
    TempDir dir;
    const std::string b = packingtest::writePng(dir.file("b.png"), packingtest::blocks(60, 40));
    auto sizeWith = [&](int quality, int type) {
        CZorRes packer;
        EXPECT_EQ(1, packer.AddPicture("PIC1", b, 1, 1, PIC_RES_RGB565, quality, 0, 0, 0));
        EXPECT_EQ(1, packer.SaveFile(dir.file("s.res"), 0, type, 0, 0));
        DazOR4 compressor;
        EXPECT_TRUE(compressor.res_pic_compress(dir.file("s.res"), dir.file("s.res"), true));
        ResFileReader reader;
        EXPECT_TRUE(reader.load(dir.file("s.res")));
        return reader.entries().at(0).size;
    };
    const std::uint32_t rle = sizeWith(1, 1);
    const std::uint32_t lz4 = sizeWith(1, 2);
    EXPECT_NE(rle, lz4);
    EXPECT_EQ(std::min(rle, lz4), sizeWith(0, 1));
    EXPECT_EQ(std::min(rle, lz4), sizeWith(0, 2));
}

} // namespace
