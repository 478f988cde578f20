#include "PackingTestPictures.h"

#include "components/packing/CZorRes.h"
#include "components/packing/StrFileReader.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace packing;
using packingtest::TempDir;

namespace {

int addTexts(CZorRes& packer, const std::string& name, const std::string& data)
{
    return packer.AddString(name, data.data(), static_cast<int>(data.size()), 1);
}

TEST(PackingStringFileTest, WritesOneFileOfTextsPerLanguage)
{
    TempDir dir;
    CZorRes packer;
    ASSERT_EQ(1, addTexts(packer, "STR1", std::string("Hello\0\xE4\xBD\xA0\xE5\xA5\xBD\0", 13)));
    ASSERT_EQ(1, addTexts(packer, "STR2", std::string("Only one\0", 9)));
    ASSERT_EQ(1, addTexts(packer, "STR3", std::string("\0second\0", 8)));
    EXPECT_EQ(3, packer.GetResNum());
    ASSERT_EQ(1, packer.SaveFileByLanguage(dir.file("str"), {"demo.english", "demo.chinese"}));

    StrFileReader english;
    ASSERT_TRUE(english.load(dir.file("str/demo.english"))) << english.error();
    EXPECT_EQ((std::vector<std::string>{"Hello", "Only one", ""}), english.texts());
    EXPECT_EQ(0, english.language());
    EXPECT_EQ(2, english.languageCount());

    StrFileReader chinese;
    ASSERT_TRUE(chinese.load(dir.file("str/demo.chinese"))) << chinese.error();
    EXPECT_EQ((std::vector<std::string>{"\xE4\xBD\xA0\xE5\xA5\xBD", "", "second"}),
              chinese.texts());
    EXPECT_EQ(1, chinese.language());

    // Header, table and NUL-terminated texts, byte for byte.
    const std::vector<std::uint8_t> bytes = packingtest::readBytes(dir.file("str/demo.english"));
    const std::vector<std::uint8_t> expected = {
        0x53, 0x54, 0x52, 0x19, 3,   0,   1,   0, 0,   0,   2,   0,   56,  0,   0,   0,   40, 0, 0,
        0,    5,    0,    0,    0,   46,  0,   0, 0,   8,   0,   0,   0,   55,  0,   0,   0,  0, 0,
        0,    0,    'H',  'e',  'l', 'l', 'o', 0, 'O', 'n', 'l', 'y', ' ', 'o', 'n', 'e', 0,  0};
    EXPECT_EQ(expected, bytes);
}

TEST(PackingStringFileTest, RefusesBadNamesAndDataWithoutWriting)
{
    TempDir dir;
    CZorRes packer;
    EXPECT_EQ(0, packer.AddString("STR1", nullptr, 4, 1));
    EXPECT_EQ(0, packer.AddString("STR1", "x", -1, 1));
    ASSERT_EQ(1, addTexts(packer, "STR1", std::string("a\0", 2)));
    EXPECT_EQ(0, packer.SaveFileByLanguage(dir.file("s"), {"good.en", "../evil"}));
    EXPECT_EQ(0, packer.SaveFileByLanguage(dir.file("s"), {}));
    EXPECT_FALSE(std::filesystem::exists(dir.file("s/good.en")));
}

TEST(PackingStringFileTest, ReaderRejectsDamagedFiles)
{
    TempDir dir;
    CZorRes packer;
    ASSERT_EQ(1, addTexts(packer, "STR1", std::string("abc\0", 4)));
    ASSERT_EQ(1, packer.SaveFileByLanguage(dir.file("s"), {"x.en"}));
    const std::vector<std::uint8_t> good = packingtest::readBytes(dir.file("s/x.en"));
    StrFileReader reader;
    for (std::size_t size = 0; size < good.size(); ++size) {
        EXPECT_FALSE(reader.parse(good.data(), size)) << size;
    }
    for (const std::size_t at : {4u, 16u, 20u, 27u}) {
        std::vector<std::uint8_t> bad = good;
        bad[at] = 0x7F;
        EXPECT_FALSE(reader.parse(bad.data(), bad.size())) << "byte " << at;
        EXPECT_FALSE(reader.error().empty());
    }
    EXPECT_TRUE(reader.parse(good.data(), good.size()));
}

} // namespace
