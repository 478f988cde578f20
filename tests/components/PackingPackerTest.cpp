#include "PackingTestPictures.h"

#include "components/packing/CZorRes.h"
#include "components/packing/DazOR4.h"
#include "components/packing/ResFileReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

using namespace packing;
using packingtest::TempDir;

namespace {

class PackingPackerTest : public ::testing::Test
{
protected:
    // Twelve pictures of several kinds and options, with an unreadable one in
    // the middle and a missing one at the end.
    std::vector<PictureRequest> requests()
    {
        std::vector<PictureRequest> list;
        for (int i = 0; i < 12; ++i) {
            PictureRequest r;
            r.name = "PIC" + std::to_string(i + 1);
            r.path = m_dir.file("p" + std::to_string(i) + ".png");
            packingtest::writePng(r.path, i % 2 == 0 ? packingtest::gradient(9 + i, 7)
                                                     : packingtest::blocks(20, 10 + i));
            r.compress = 1;
            r.format = i % 3 == 0 ? PIC_RES_ARGB565 : PIC_RES_RGB565;
            r.quality = i % 4 == 0 ? 0 : 1;
            r.alphaFormat = i % 5 == 0 ? 8 : 0;
            list.push_back(r);
        }
        list[5].path = m_dir.file("broken.png");
        packingtest::writeBytes(list[5].path, {0x89, 'P', 'N', 'G', 1, 2, 3});
        list[11].path = m_dir.file("missing.png");
        return list;
    }

    std::vector<std::uint8_t> saveOneByOne(const std::vector<PictureRequest>& list, int hdMode)
    {
        CZorRes packer;
        packer.SetHDBufMode(hdMode);
        for (const PictureRequest& r : list) {
            packer.AddPicture(r.name, r.path, r.compress, 1, static_cast<PIC_RES_FORMAT>(r.format),
                              r.quality, r.alphaFormat, r.argbOutput, r.rawJpeg);
        }
        EXPECT_EQ(1, packer.SaveFile(m_dir.file("one.res"), 0, 2, 0, 0));
        return packingtest::readBytes(m_dir.file("one.res"));
    }

    TempDir m_dir;
};

TEST_F(PackingPackerTest, RefusesUnreadablePicturesAndKeepsTheOrderOfTheRest)
{
    const std::vector<PictureRequest> list = requests();
    CZorRes packer;
    packer.SetThreadCount(3);
    const std::vector<int> accepted = packer.AddPictures(list);
    std::vector<int> expected(12, 1);
    expected[5] = 0;
    expected[11] = 0;
    EXPECT_EQ(expected, accepted);
    EXPECT_EQ(10, packer.GetResNum());
    EXPECT_EQ("PIC5", packer.GetPictureName(4));
    EXPECT_EQ("PIC7", packer.GetPictureName(5));
    EXPECT_FALSE(packer.GetLastError().empty());

    ASSERT_EQ(1, packer.SaveFile(m_dir.file("all.res"), 0, 0, 0, 0));
    ResFileReader reader;
    ASSERT_TRUE(reader.load(m_dir.file("all.res")));
    ASSERT_EQ(10u, reader.entries().size());
    EXPECT_EQ(15, reader.entries()[5].width) << "entry 5 is the seventh picture";
    EXPECT_EQ(7, reader.entries()[5].height);
}

TEST_F(PackingPackerTest, SameBytesWhateverTheThreadsBufferModeOrRun)
{
    const std::vector<PictureRequest> list = requests();
    const std::vector<std::uint8_t> reference = saveOneByOne(list, 0);
    EXPECT_EQ(reference, saveOneByOne(list, 0));
    EXPECT_EQ(reference, saveOneByOne(list, 1));
    for (unsigned threads : {1u, 2u, 5u}) {
        CZorRes packer;
        packer.SetHDBufMode(threads == 2 ? 1 : 0);
        packer.SetThreadCount(threads);
        packer.AddPictures(list);
        ASSERT_EQ(1, packer.SaveFile(m_dir.file("batch.res"), 0, 2, 0, 0));
        EXPECT_EQ(reference, packingtest::readBytes(m_dir.file("batch.res"))) << threads;
    }
}

// Writing the file while the pictures are converted gives the file written after, whatever
// the threads; a refused picture, another path or a later addition has the file written whole.
TEST_F(PackingPackerTest, SavingAheadGivesTheSameFileAsSavingAfter)
{
    std::vector<PictureRequest> readable = requests();
    readable.erase(readable.begin() + 11);
    readable.erase(readable.begin() + 5);
    for (const int type : {-1, 2}) {
        SCOPED_TRACE(type);
        const auto save = [&](const std::vector<PictureRequest>& list, unsigned threads,
                              const std::string& ahead, const std::string& target, bool more) {
            CZorRes packer;
            packer.SetThreadCount(threads);
            packer.SetCompressAhead(type, 0, 0);
            packer.SetSaveAhead(m_dir.file("out/" + ahead));
            packer.AddPictures(list);
            if (more) {
                packer.AddPictures({readable[0]});
            }
            const std::string path = m_dir.file("out/" + target);
            EXPECT_EQ(1, packer.SaveFile(path, 3, 2, 0, 0));
            packer.RemoveAll();
            const std::filesystem::directory_iterator files(m_dir.file("out"));
            EXPECT_EQ(1, std::distance(begin(files), end(files))) << "a staged file was left";
            const std::vector<std::uint8_t> bytes = packingtest::readBytes(path);
            std::filesystem::remove(path);
            return bytes;
        };
        const std::vector<std::uint8_t> after = save(readable, 1, "other.res", "t.res", false);
        ASSERT_FALSE(after.empty());
        EXPECT_EQ(after, save(readable, 1, "t.res", "t.res", false));
        EXPECT_EQ(after, save(readable, 2, "t.res", "t.res", false));

        std::vector<PictureRequest> longer = readable;
        longer.push_back(readable[0]);
        EXPECT_EQ(save(longer, 1, "other.res", "t.res", false),
                  save(readable, 2, "t.res", "t.res", true));
        EXPECT_EQ(save(requests(), 1, "other.res", "t.res", false),
                  save(requests(), 2, "t.res", "t.res", false));
    }
}

// Compressing while packing must give the file the compressor makes of the plain one, for
// every method and tile size, and copies between packers the entries packing would give.
TEST_F(PackingPackerTest, CompressingAheadGivesTheCompressorsFile)
{
    const std::vector<PictureRequest> list = requests();
    struct Coding
    {
        int type, tileWidth, tileHeight;
    };
    for (const Coding c : {Coding{2, 0, 0}, Coding{1, 8, 4}, Coding{0, 64, 64}, Coding{1, 0, 0}}) {
        SCOPED_TRACE(std::to_string(c.type) + " " + std::to_string(c.tileWidth));
        CZorRes plain;
        plain.AddPictures(list);
        ASSERT_EQ(1, plain.SaveFile(m_dir.file("plain.res"), 7, c.type, c.tileWidth, c.tileHeight));
        DazOR4 compressor;
        ASSERT_TRUE(
            compressor.res_pic_compress(m_dir.file("plain.res"), m_dir.file("two.res"), true));
        const std::vector<std::uint8_t> expected = packingtest::readBytes(m_dir.file("two.res"));

        CZorRes ahead;
        ahead.SetThreadCount(2);
        ahead.SetCompressAhead(c.type, c.tileWidth, c.tileHeight);
        ahead.AddPictures(list);
        ASSERT_EQ(1, ahead.SaveFile(m_dir.file("ahead.res"), 7, c.type, c.tileWidth, c.tileHeight));
        EXPECT_EQ(expected, packingtest::readBytes(m_dir.file("ahead.res")));
        EXPECT_EQ(0, ahead.SaveFile(m_dir.file("other.res"), 7, c.type == 1 ? 2 : 1, 0, 0))
            << "entries compressed otherwise are not written under another method";

        // The same entries copied: between equal codings, from compressed to plain and back.
        CZorRes copied;
        copied.SetCompressAhead(c.type, c.tileWidth, c.tileHeight);
        CZorRes raw;
        for (int i = 0; i < ahead.GetResNum(); ++i) {
            ASSERT_EQ(1, raw.AddPictureCopy(ahead, i, ahead.GetPictureName(i)));
        }
        for (int i = 0; i < raw.GetResNum(); ++i) {
            ASSERT_EQ(1, copied.AddPictureCopy(i % 2 == 0 ? raw : ahead, i, raw.GetPictureName(i)));
        }
        ASSERT_EQ(1, raw.SaveFile(m_dir.file("raw.res"), 7, c.type, c.tileWidth, c.tileHeight));
        EXPECT_EQ(packingtest::readBytes(m_dir.file("plain.res")),
                  packingtest::readBytes(m_dir.file("raw.res")));
        ASSERT_EQ(1,
                  copied.SaveFile(m_dir.file("copied.res"), 7, c.type, c.tileWidth, c.tileHeight));
        EXPECT_EQ(expected, packingtest::readBytes(m_dir.file("copied.res")));
    }
    CZorRes empty;
    EXPECT_EQ(0, empty.AddPictureCopy(empty, 0, "PIC1"));
}

TEST_F(PackingPackerTest, BadSaveArgumentsLeaveTheTargetAlone)
{
    CZorRes packer;
    ASSERT_EQ(1, packer.AddPicture("PIC1", requests()[0].path, 0, 1, PIC_RES_RGB565, 1, 0, 0, 0));
    EXPECT_EQ(0, packer.AddPicture("PIC2", requests()[0].path, 0, 1, static_cast<PIC_RES_FORMAT>(2),
                                   1, 0, 0, 0));
    const std::string target = m_dir.file("keep.res");
    packingtest::writeBytes(target, {1, 2, 3});
    EXPECT_EQ(0, packer.SaveFile(target, 70000, 0, 0, 0));
    EXPECT_EQ(0, packer.SaveFile(target, 0, 3, 0, 0));
    EXPECT_EQ((std::vector<std::uint8_t>{1, 2, 3}), packingtest::readBytes(target));

    ASSERT_EQ(1, packer.SaveFile(m_dir.file("sub/dir/new.res"), 0, 0, -1, 16));
    ResFileReader reader;
    ASSERT_TRUE(reader.load(m_dir.file("sub/dir/new.res")));
    EXPECT_EQ(0, reader.header().tileWidth) << "a tile side <= 0 means no tiles";
    EXPECT_EQ(0, reader.header().tileHeight);

    packer.RemoveAll();
    EXPECT_EQ(0, packer.GetResNum());
}

} // namespace
