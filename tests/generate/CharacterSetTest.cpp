#include "generate/CharacterSetFile.h"
#include "generate/CharacterSetMap.h"
#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

using namespace generate;

namespace {

std::string fileText(const std::string& path)
{
    const auto text = platform::readFile(path);
    return text ? *text : std::string("<missing>");
}

} // namespace

TEST(CharacterSetFile, ListsSortedDistinctUnits)
{
    EXPECT_EQ(characterSetText(u"AAB\u20AC", false), "0X41-0X42,0X20AC");
    EXPECT_EQ(characterSetText(u"zZ a", false), "0X20-0X61,0X7A");
    EXPECT_EQ(characterSetText(u"AAA", false), "0X41");
    EXPECT_EQ(characterSetText(u"x\u4E2Dw", false), "0X77,0X78,0X4E2D");
    EXPECT_EQ(characterSetText(u"", false), "");
    // A list of only high units starts with its first unit, not with a separator.
    EXPECT_EQ(characterSetText(u"\u20AC", false), "0X20AC");
    EXPECT_EQ(characterSetText(u"", true), "0XFB50-0XFDFF,0XFE70-0XFEFF");
    EXPECT_EQ(characterSetText(u"A\u0628", true), "0X41,0X628,0XFB50-0XFDFF,0XFE70-0XFEFF");
}

TEST(CharacterSetFile, PrefixFollowsTheResourceFile)
{
    EXPECT_EQ(characterSetFilePrefix("/case/apps/clock", "/case/apps/clock/style0/clock.res"),
              "/case/apps/clock/txt/clock");
    EXPECT_EQ(characterSetFilePrefix("D:\\case\\apps\\clock\\", "startup.res"),
              "D:/case/apps/clock/txt/startup");
}

TEST(CharacterSetMap, WritesOneFilePerHeightForAllAndForEachLanguage)
{
    platform::TemporaryDirectory dir;
    const std::string prefix = dir.filePath("txt/clock");
    CharacterSetMap map;
    map.addText(16, 0, u"AB");
    map.addText(16, 1, u"\u0628");
    map.addText(24, 0, u"\u20AC");
    map.addText(16, 0, std::u16string(100000, u'B')); // sections grow with the text

    ASSERT_TRUE(map.writeAllLanguageSets(prefix));
    EXPECT_EQ(fileText(prefix + "_16.txt"), "0X41-0X42,0X628");
    EXPECT_EQ(fileText(prefix + "_24.txt"), "0X20AC");

    ASSERT_TRUE(map.writeLanguageSets(prefix, "enUS", 0));
    ASSERT_TRUE(map.writeLanguageSets(prefix, "arE", 1));
    EXPECT_EQ(fileText(prefix + "_16_enUS.txt"), "0X41-0X42");
    EXPECT_EQ(fileText(prefix + "_16_arE.txt"), "0X628,0XFB50-0XFDFF,0XFE70-0XFEFF");
    EXPECT_EQ(fileText(prefix + "_24_arE.txt"), "0XFB50-0XFDFF,0XFE70-0XFEFF");

    platform::writeFileAtomically(dir.filePath("blocker"), "x");
    EXPECT_FALSE(map.writeAllLanguageSets(dir.filePath("blocker/clock")));
}
