#include "PackingTestPictures.h"

#include "components/packing/ByteOrder.h"
#include "components/packing/CZorRes.h"
#include "components/packing/DazOR4.h"
#include "components/packing/ResFileReader.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace packing;
using packingtest::readBytes;
using packingtest::writeBytes;

namespace {

std::size_t filesIn(const std::string& dir)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir),
                                                  std::filesystem::directory_iterator()));
}

// The compressed file is written while the entries are compressed: an entry
// that fails half-way must still leave the destination as it was.
TEST(DazOR4Test, EntryThatDoesNotDecodeLeavesTheDestinationAlone)
{
    packingtest::TempDir dir;
    const std::string png = packingtest::writePng(dir.file("a.png"), packingtest::blocks(40, 30));
    CZorRes packer;
    ASSERT_EQ(1, packer.AddPicture("PIC1", png, 1, 1, PIC_RES_RGB565, 1, 0, 0, 0));
    ASSERT_EQ(1, packer.AddPicture("PIC2", png, 1, 1, PIC_RES_RGB888, 1, 0, 0, 0));
    const std::string source = dir.file("pics.res");
    ASSERT_EQ(1, packer.SaveFile(source, 0, 2, 16, 16));
    DazOR4 compressor;
    ASSERT_TRUE(compressor.res_pic_compress(source, source, true));

    ResFileReader reader;
    ASSERT_TRUE(reader.load(source));
    const ResEntryInfo last = reader.entries()[1];
    ASSERT_EQ(kCompressionLz4, last.compression);
    std::vector<std::uint8_t> damaged = readBytes(source);
    // The first tile's LZ4 block claims a literal run far past its end.
    damaged[last.offset + ((last.flags & kFlagTiled) != 0 ? getU32(&damaged[last.offset]) : 0)] =
        0xF0;
    writeBytes(source, damaged);
    const std::string destination = dir.file("out.res");
    writeBytes(destination, {'o', 'l', 'd'});
    const std::size_t before = filesIn(dir.file(""));

    EXPECT_FALSE(compressor.res_pic_compress(source, destination, true));
    EXPECT_NE(std::string::npos, compressor.GetLastError().find("entry 1"))
        << compressor.GetLastError();
    EXPECT_EQ(std::vector<std::uint8_t>({'o', 'l', 'd'}), readBytes(destination));
    EXPECT_FALSE(compressor.res_pic_compress(source, source, true));
    EXPECT_EQ(damaged, readBytes(source));
    EXPECT_EQ(before, filesIn(dir.file(""))) << "a temporary file was left behind";
}

} // namespace
