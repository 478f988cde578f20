#include "generate/BuildRecord.h"

#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <tuple>

using generate::BuildRecord;
using generate::FileStamp;

namespace {

BuildRecord sample()
{
    BuildRecord record;
    record.made = {1, 2};
    record.output = {10, 20, 30, 40, 50};
    record.count = 2;
    record.warnings = {"/p/a.png: damaged picture: chunk IDAT"};
    record.pictures = {{"/p/a.png", {3, 4, 5, 6, 7}, {8, 9}}, {"/p/b.bmp", {}, {10, 11}}};
    packing::ResEntryInfo info;
    info.offset = 48;
    info.size = 0xFFFFFFF0;
    info.width = 320;
    info.height = 0xFFFF;
    info.format = packing::kFormatJpeg;
    info.compression = packing::kCompressionLz4;
    info.flags = packing::kFlagTiled;
    record.entries = {{{12, 13}, info, "chunk IDAT"}, {{14, 15}, {}, ""}};
    record.spare = {60, 70, 80, 90, 100};
    record.spareEntries = {{{16, 17}, info, ""}};
    return record;
}

} // namespace

TEST(BuildRecordTest, SavedRecordReadsBackWhole)
{
    platform::TemporaryDirectory dir;
    const std::string path = BuildRecord::pathFor(dir.path(), "/out/t.res");
    EXPECT_NE(path, BuildRecord::pathFor(dir.path(), "/out/u.res"));
    ASSERT_TRUE(sample().save(path));
    BuildRecord read;
    ASSERT_TRUE(read.load(path));
    EXPECT_TRUE(read.made == sample().made);
    EXPECT_TRUE(read.output == sample().output);
    EXPECT_EQ(2, read.count);
    EXPECT_EQ(sample().warnings, read.warnings);
    ASSERT_EQ(2u, read.pictures.size());
    EXPECT_EQ("/p/b.bmp", read.pictures[1].path);
    EXPECT_TRUE(read.pictures[0].stamp == sample().pictures[0].stamp);
    EXPECT_TRUE(read.pictures[1].content == sample().pictures[1].content);
    ASSERT_EQ(2u, read.entries.size());
    const packing::ResEntryInfo& info = read.entries[0].info;
    EXPECT_EQ(std::make_tuple(48u, 0xFFFFFFF0u, 320, 0xFFFF, 0x80, 2, 8),
              std::make_tuple(info.offset, info.size, int(info.width), int(info.height),
                              int(info.format), int(info.compression), int(info.flags)));
    EXPECT_EQ("chunk IDAT", read.entries[0].warning);
    EXPECT_TRUE(read.entries[1].key == sample().entries[1].key);
    EXPECT_TRUE(read.spare == sample().spare);
    ASSERT_EQ(1u, read.spareEntries.size());
    EXPECT_TRUE(read.spareEntries[0].key == sample().spareEntries[0].key);
}

TEST(BuildRecordTest, DamagedOrCutRecordIsNoRecord)
{
    const std::vector<std::uint8_t> good = sample().encode();
    BuildRecord read;
    for (std::size_t i = 0; i < good.size(); i += 3) {
        std::vector<std::uint8_t> bad = good;
        bad[i] ^= 0x20;
        EXPECT_FALSE(read.decode(bad)) << "byte " << i;
        EXPECT_TRUE(read.pictures.empty() && read.count == 0);
    }
    for (std::size_t size = 0; size < good.size(); size += 5) {
        EXPECT_FALSE(read.decode({good.begin(), good.begin() + size})) << "cut at " << size;
    }
    platform::TemporaryDirectory dir;
    EXPECT_FALSE(read.load(dir.filePath("missing")));
}

TEST(BuildRecordTest, StampChangesWithTheFile)
{
    platform::TemporaryDirectory dir;
    const std::string file = dir.filePath("a.png");
    EXPECT_FALSE(FileStamp::of(file));
    EXPECT_FALSE(FileStamp::of(dir.path())); // a folder is no file
    platform::writeFileAtomically(file, "one");
    const auto first = FileStamp::of(file);
    ASSERT_TRUE(first);
    EXPECT_EQ(3u, first->size);
    EXPECT_TRUE(*first == *FileStamp::of(file));
    platform::writeFileAtomically(file, "two");
    EXPECT_FALSE(*first == *FileStamp::of(file));
}
