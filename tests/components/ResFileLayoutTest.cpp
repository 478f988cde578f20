#include "PackingTestPictures.h"

#include "components/packing/ByteOrder.h"
#include "components/packing/CZorRes.h"
#include "components/packing/DazOR4.h"
#include "components/packing/ResFileReader.h"

#include <gtest/gtest.h>

using namespace packing;
using packingtest::TempDir;

namespace {

// Splits a picture resource file the way the build does, knowing only the
// container contract: u16 count at 4, start index at 10, 16-byte entries whose
// first u32 is the data offset, lengths taken from offset differences.
std::vector<std::vector<std::uint8_t>> splitByContract(const std::vector<std::uint8_t>& file,
                                                       std::size_t splitSize)
{
    const std::size_t n = getU16(file.data() + 4);
    auto offset = [&](std::size_t i) { return getU32(file.data() + 16 + i * 16); };
    auto length = [&](std::size_t i) {
        return (i + 1 < n ? offset(i + 1) : file.size()) - offset(i);
    };
    std::vector<std::pair<std::size_t, std::size_t>> groups; // start index, count
    std::size_t groupStart = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (i == 0 || offset(i) - offset(groupStart) >= splitSize) {
            groups.push_back({i, 0});
            groupStart = i;
        }
        ++groups.back().second;
    }
    std::vector<std::vector<std::uint8_t>> parts;
    for (const auto& [start, count] : groups) {
        std::vector<std::uint8_t> part(file.begin(), file.begin() + 16);
        putU16(part.data() + 4, static_cast<std::uint16_t>(count));
        putU16(part.data() + 10, static_cast<std::uint16_t>(start));
        part.resize((count + 1) * 16);
        std::size_t at = part.size();
        for (std::size_t k = 0; k < count; ++k) {
            std::copy(file.begin() + 16 + (start + k) * 16, file.begin() + 32 + (start + k) * 16,
                      part.begin() + 16 + k * 16);
            putU32(part.data() + 16 + k * 16, static_cast<std::uint32_t>(at));
            at += length(start + k);
        }
        for (std::size_t k = 0; k < count; ++k) {
            const auto from = file.begin() + offset(start + k);
            part.insert(part.end(), from, from + length(start + k));
        }
        parts.push_back(std::move(part));
    }
    return parts;
}

class ResFileLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CZorRes packer;
        const std::string a =
            packingtest::writePng(m_dir.file("a.png"), packingtest::blocks(30, 20));
        const std::string b =
            packingtest::writePng(m_dir.file("b.png"), packingtest::gradient(5, 3));
        ASSERT_EQ(1, packer.AddPicture("PIC1", a, 1, 1, PIC_RES_ARGB1555, 1, 0, 0, 0));
        ASSERT_EQ(1, packer.AddPicture("PIC2", b, 1, 1, PIC_RES_RGB565, 1, 8, 0, 0));
        ASSERT_EQ(1, packer.AddPicture("PIC3", a, 1, 1, PIC_RES_RGB888, 1, 0, 6, 0));
        ASSERT_EQ(1, packer.SaveFile(m_path, 7, 1, 8, 8));
        m_file = packingtest::readBytes(m_path);
    }

    TempDir m_dir;
    std::string m_path = m_dir.file("p.res");
    std::vector<std::uint8_t> m_file;
};

TEST_F(ResFileLayoutTest, HeaderAndEntriesFollowTheContainerContract)
{
    ASSERT_GE(m_file.size(), 64u);
    EXPECT_EQ(0x19534552u, getU32(m_file.data()));
    EXPECT_EQ(3, getU16(m_file.data() + 4));
    EXPECT_EQ(7, getU16(m_file.data() + 10));
    // Data begin right after the table and lie in entry order, 4-byte aligned.
    EXPECT_EQ(64u, getU32(m_file.data() + 16));
    const std::uint32_t second = getU32(m_file.data() + 32);
    const std::uint32_t third = getU32(m_file.data() + 48);
    EXPECT_EQ(64u + alignedSize(30 * 20 * 2), second);
    EXPECT_EQ(second + alignedSize(5 * 3 * 3), third);
    EXPECT_EQ(third + 30 * 20 * 3, m_file.size());
    EXPECT_EQ(0, second % 4);
}

TEST_F(ResFileLayoutTest, CompressedFileSplitsIntoReadableParts)
{
    DazOR4 compressor;
    ASSERT_TRUE(compressor.res_pic_compress(m_path, m_path, true));
    ResFileReader whole;
    ASSERT_TRUE(whole.load(m_path)) << whole.error();
    const auto parts = splitByContract(packingtest::readBytes(m_path), 1);
    ASSERT_EQ(3u, parts.size());
    for (std::size_t p = 0; p < parts.size(); ++p) {
        ResFileReader part;
        ASSERT_TRUE(part.parse(parts[p])) << part.error();
        ASSERT_EQ(1u, part.entries().size());
        EXPECT_EQ(p, part.header().startIndex);
        RgbaImage fromWhole;
        RgbaImage fromPart;
        ASSERT_TRUE(whole.decodeRgba(p, fromWhole));
        ASSERT_TRUE(part.decodeRgba(0, fromPart)) << part.error();
        EXPECT_EQ(fromWhole.pixels, fromPart.pixels);
    }
    const auto halves =
        splitByContract(packingtest::readBytes(m_path), whole.entries()[2].offset - 64);
    ASSERT_EQ(2u, halves.size());
    ResFileReader first;
    ASSERT_TRUE(first.parse(halves[0])) << first.error();
    EXPECT_EQ(2u, first.entries().size());
}

TEST_F(ResFileLayoutTest, RejectsEveryTruncation)
{
    ResFileReader reader;
    for (std::size_t size = 0; size < m_file.size(); ++size) {
        const std::vector<std::uint8_t> cut(m_file.begin(), m_file.begin() + size);
        EXPECT_FALSE(reader.parse(cut)) << "accepted " << size << " bytes";
        EXPECT_FALSE(reader.error().empty());
        EXPECT_TRUE(reader.entries().empty());
    }
    EXPECT_TRUE(reader.parse(m_file));
}

TEST_F(ResFileLayoutTest, RejectsDamagedCountsOffsetsAndCodes)
{
    struct Damage
    {
        std::size_t at;
        std::uint8_t value;
        const char* what;
    };
    const std::vector<Damage> damages = {
        {0, 0x00, "magic"},
        {4, 0x40, "count"},
        {6, 2, "version"},
        {7, 9, "method"},
        {12, 0, "half tile size"},
        {16, 0x20, "offset in table"},
        {35, 0x7F, "offset past end"},
        {36, 0xFF, "size"},
        {28, 0x42, "format"},
        {29, 5, "compression"},
        {30, 0x80, "flags"},
        {24, 0, "zero width"},
        {40, 1, "width against size"},
    };
    for (const Damage& d : damages) {
        std::vector<std::uint8_t> bad = m_file;
        bad[d.at] = d.value;
        ResFileReader reader;
        EXPECT_FALSE(reader.parse(bad)) << d.what;
        EXPECT_FALSE(reader.error().empty()) << d.what;
    }
}

TEST_F(ResFileLayoutTest, DamagedCompressedDataFailsToDecodeCleanly)
{
    DazOR4 compressor;
    ASSERT_TRUE(compressor.res_pic_compress(m_path, m_path, true));
    const std::vector<std::uint8_t> packed = packingtest::readBytes(m_path);
    std::uint32_t seed = 7;
    int rejected = 0;
    for (int round = 0; round < 300; ++round) {
        std::vector<std::uint8_t> bad = packed;
        for (int k = 0; k < 3; ++k) {
            seed = seed * 1103515245u + 12345u;
            const std::size_t at = 64 + (seed >> 8) % (bad.size() - 64);
            bad[at] = static_cast<std::uint8_t>(seed >> 3);
        }
        ResFileReader reader;
        ASSERT_TRUE(reader.parse(bad)) << "table untouched";
        for (std::size_t i = 0; i < reader.entries().size(); ++i) {
            RgbaImage image;
            if (!reader.decodeRgba(i, image)) {
                EXPECT_FALSE(reader.error().empty());
                ++rejected;
            }
        }
    }
    EXPECT_GT(rejected, 0);
}

} // namespace
