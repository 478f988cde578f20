#include "generate/ResourceSplitter.h"

#include "components/PackingTestPictures.h"
#include "components/packing/ByteOrder.h"
#include "components/packing/CZorRes.h"
#include "components/packing/DazOR4.h"
#include "components/packing/ResFileReader.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace packing;
using packingtest::readBytes;
using packingtest::TempDir;
using packingtest::writeBytes;

namespace {

std::vector<std::uint8_t> fromHex(const std::string& hex)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size();) {
        if (hex[i] == ' ') {
            ++i;
            continue;
        }
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
        i += 2;
    }
    return bytes;
}

// Three RGB565 entries: 2x2 (8 bytes at 0x40), 3x1 with an alpha plane (9 bytes
// and 3 of padding at 0x48), 4x1 (8 bytes at 0x54); 92 bytes in all.
std::vector<std::uint8_t> threeEntryFile()
{
    return fromHex("52455319 0300 0101 0000 0000 0000 0000"
                   "40000000 08000000 0200 0200 00 00 00 00"
                   "48000000 09000000 0300 0100 00 00 02 00"
                   "54000000 08000000 0400 0100 00 00 01 00"
                   "00f8e0071f00ffff"
                   "00f800f800f8ff8000000000"
                   "00f800f800f800f8");
}

bool exists(const std::string& path)
{
    return std::filesystem::exists(path);
}

class ResourceSplitterTest : public ::testing::Test
{
protected:
    // Packs pictures of 600, 45 and 1800 bytes (as planes) into m_path.
    void packThree(int splitStart = 0)
    {
        CZorRes packer;
        const std::string a =
            packingtest::writePng(m_dir.file("a.png"), packingtest::blocks(30, 20));
        const std::string b =
            packingtest::writePng(m_dir.file("b.png"), packingtest::gradient(5, 3));
        ASSERT_EQ(1, packer.AddPicture("PIC1", a, 1, 1, PIC_RES_RGB565, 1, 0, 0, 0));
        ASSERT_EQ(1, packer.AddPicture("PIC2", b, 1, 1, PIC_RES_RGB565, 1, 8, 0, 0));
        ASSERT_EQ(1, packer.AddPicture("PIC3", a, 1, 1, PIC_RES_RGB888, 1, 0, 0, 0));
        ASSERT_EQ(1, packer.SaveFile(m_path, splitStart, 2, 8, 8));
    }

    // Checks that every entry of the parts decodes to the picture of the whole file.
    void expectPartsMatchWhole(std::size_t expectedParts)
    {
        ResFileReader whole;
        ASSERT_TRUE(whole.load(m_path)) << whole.error();
        std::size_t next = 0;
        for (std::size_t p = 0; p < expectedParts; ++p) {
            ResFileReader part;
            ASSERT_TRUE(part.load(ResourceSplitter::partPath(m_path, p))) << part.error();
            EXPECT_EQ(whole.header().startIndex + next, part.header().startIndex);
            for (std::size_t i = 0; i < part.entries().size(); ++i, ++next) {
                RgbaImage fromWhole;
                RgbaImage fromPart;
                ASSERT_TRUE(whole.decodeRgba(next, fromWhole));
                ASSERT_TRUE(part.decodeRgba(i, fromPart)) << part.error();
                EXPECT_EQ(fromWhole.pixels, fromPart.pixels) << "entry " << next;
            }
        }
        EXPECT_EQ(whole.entries().size(), next);
        EXPECT_FALSE(exists(ResourceSplitter::partPath(m_path, expectedParts)));
    }

    TempDir m_dir;
    std::string m_path = m_dir.file("pics.res");
};

TEST_F(ResourceSplitterTest, GroupsEntriesByTheirOffsetFromTheGroupStart)
{
    ResourceSplitter splitter;
    // 0x48 - 0x40 = 8 stays below 9; 0x54 - 0x40 = 20 does not.
    ASSERT_TRUE(splitter.plan(threeEntryFile(), 9)) << splitter.error();
    ASSERT_EQ(2u, splitter.parts().size());
    EXPECT_EQ(2u, splitter.parts()[0].count);
    EXPECT_EQ(2u, splitter.parts()[1].first);

    EXPECT_EQ(fromHex("52455319 0200 0101 0000 0000 0000 0000"
                      "30000000 08000000 0200 0200 00 00 00 00"
                      "38000000 09000000 0300 0100 00 00 02 00"
                      "00f8e0071f00ffff"
                      "00f800f800f8ff8000000000"),
              splitter.partBytes(0));
    // The last entry's length runs to the end of the file.
    EXPECT_EQ(fromHex("52455319 0100 0101 0000 0200 0000 0000"
                      "20000000 08000000 0400 0100 00 00 01 00"
                      "00f800f800f800f8"),
              splitter.partBytes(1));

    // An offset distance equal to the split size starts a new part.
    ASSERT_TRUE(splitter.plan(threeEntryFile(), 8));
    EXPECT_EQ(3u, splitter.parts().size());
    ASSERT_TRUE(splitter.plan(threeEntryFile(), 21));
    EXPECT_EQ(1u, splitter.parts().size());
    EXPECT_EQ(threeEntryFile(), splitter.partBytes(0));
}

TEST_F(ResourceSplitterTest, SplitSizeBelowEveryEntryGivesOnePartEach)
{
    packThree();
    ResourceSplitter splitter;
    ASSERT_TRUE(splitter.split(m_path, 1)) << splitter.error();
    ASSERT_EQ(3u, splitter.parts().size());
    expectPartsMatchWhole(3);
}

TEST_F(ResourceSplitterTest, CompressedTiledFileSplitsIntoValidParts)
{
    packThree();
    const std::vector<std::uint8_t> packed = readBytes(m_path);
    DazOR4 compressor;
    ASSERT_TRUE(compressor.res_pic_compress(m_path, m_path, true)) << compressor.GetLastError();
    const std::vector<std::uint8_t> compressed = readBytes(m_path);
    ASSERT_LT(compressed.size(), packed.size());
    ResFileReader whole;
    ASSERT_TRUE(whole.parse(compressed));
    ASSERT_TRUE((whole.entries()[0].flags & kFlagTiled) != 0);

    ResourceSplitter splitter;
    // The first two entries together, the third alone.
    const long long size = whole.entries()[2].offset - whole.entries()[0].offset;
    ASSERT_TRUE(splitter.split(m_path, size)) << splitter.error();
    ASSERT_EQ(2u, splitter.parts().size());
    expectPartsMatchWhole(2);
    EXPECT_EQ(compressed, readBytes(m_path)) << "the split file is kept";

    // With room for everything the single part is the file itself.
    ASSERT_TRUE(splitter.split(m_path, 1LL << 40));
    EXPECT_EQ(compressed, readBytes(ResourceSplitter::partPath(m_path, 0)));
}

TEST_F(ResourceSplitterTest, PartsOfASplitPackFileCountFromItsStartIndex)
{
    packThree(100);
    ResourceSplitter splitter;
    ASSERT_TRUE(splitter.split(m_path, 1)) << splitter.error();
    expectPartsMatchWhole(3);
    EXPECT_EQ(102, splitter.parts()[2].startIndex);

    std::vector<std::uint8_t> high = threeEntryFile();
    putU16(high.data() + 10, 0xFFFE);
    EXPECT_FALSE(splitter.plan(high, 1));
    EXPECT_NE(std::string::npos, splitter.error().find("65535")) << splitter.error();
    EXPECT_TRUE(splitter.parts().empty());
}

TEST_F(ResourceSplitterTest, DamagedFileWritesNoPartAndKeepsOldParts)
{
    const std::string oldPart = ResourceSplitter::partPath(m_path, 0);
    writeBytes(oldPart, {'o', 'l', 'd'});
    struct Damage
    {
        const char* what;
        std::size_t at;
        std::uint32_t value;
    };
    const Damage damages[] = {
        {"entry count beyond the file", 4, 40}, {"offset inside the entry table", 32, 0x20},
        {"offsets decreasing", 48, 0x44},       {"offset past the end", 48, 0x1000},
        {"size past the end", 52, 0x40},
    };
    for (const Damage& d : damages) {
        std::vector<std::uint8_t> bad = threeEntryFile();
        if (d.at == 4) {
            putU16(bad.data() + d.at, static_cast<std::uint16_t>(d.value));
        } else {
            putU32(bad.data() + d.at, d.value);
        }
        writeBytes(m_path, bad);
        ResourceSplitter splitter;
        EXPECT_FALSE(splitter.split(m_path, 1)) << d.what;
        EXPECT_NE(std::string::npos, splitter.error().find(m_path)) << splitter.error();
        EXPECT_TRUE(splitter.parts().empty());
        EXPECT_EQ(std::vector<std::uint8_t>({'o', 'l', 'd'}), readBytes(oldPart)) << d.what;
        EXPECT_FALSE(exists(ResourceSplitter::partPath(m_path, 1))) << d.what;
    }
    // Only the file and the old part: no temporary file is left behind.
    EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(m_dir.file("")),
                               std::filesystem::directory_iterator()));
}

TEST_F(ResourceSplitterTest, FewerPartsThanBeforeRemoveTheStaleOnes)
{
    writeBytes(m_path, threeEntryFile());
    ResourceSplitter splitter;
    ASSERT_TRUE(splitter.split(m_path, 1));
    ASSERT_TRUE(exists(ResourceSplitter::partPath(m_path, 2)));
    // An earlier, longer split and files that only look like parts.
    const std::string stem = m_path.substr(0, m_path.size() - 4);
    writeBytes(ResourceSplitter::partPath(m_path, 7), {1});
    const std::vector<std::string> lookalikes = {stem + "_01.res", stem + "_2x.res",
                                                 stem + "_3.res.bak", stem + "_.res"};
    for (const std::string& name : lookalikes) {
        writeBytes(name, {1});
    }

    ASSERT_TRUE(splitter.split(m_path, 0x1000)) << splitter.error();
    ASSERT_EQ(1u, splitter.parts().size());
    EXPECT_TRUE(exists(ResourceSplitter::partPath(m_path, 0)));
    EXPECT_FALSE(exists(ResourceSplitter::partPath(m_path, 1)));
    EXPECT_FALSE(exists(ResourceSplitter::partPath(m_path, 2)));
    EXPECT_FALSE(exists(ResourceSplitter::partPath(m_path, 7)));
    for (const std::string& name : lookalikes) {
        EXPECT_TRUE(exists(name)) << name;
    }
    EXPECT_EQ(readBytes(m_path), readBytes(ResourceSplitter::partPath(m_path, 0)))
        << "one part holding everything is the file itself";
}

TEST_F(ResourceSplitterTest, RefusesUnusableArguments)
{
    writeBytes(m_path, threeEntryFile());
    ResourceSplitter splitter;
    EXPECT_FALSE(splitter.split(m_path, 0));
    EXPECT_FALSE(splitter.split(m_path, -5));
    EXPECT_FALSE(splitter.split(m_dir.file("missing.res"), 10));
    EXPECT_FALSE(splitter.error().empty());
    EXPECT_FALSE(exists(ResourceSplitter::partPath(m_path, 0)));

    EXPECT_EQ("/d/a_0.res", ResourceSplitter::partPath("/d/a.res", 0));
    EXPECT_EQ("/d/pics_12.res", ResourceSplitter::partPath("/d/pics.res", 12));
    // Inserting into "/d/ab" would put the part into another folder.
    EXPECT_EQ("", ResourceSplitter::partPath("/d/ab", 0));
    EXPECT_FALSE(splitter.split(m_dir.file("ab"), 10));
}

} // namespace
