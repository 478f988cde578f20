#include "projectfile/SettingsAccessor.h"

#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>

using platform::readFile;
using platform::TemporaryDirectory;
using platform::writeFileAtomically;

namespace {

class SettingsAccessorTest : public ::testing::Test
{
protected:
    std::string path() const { return m_dir.filePath("SkinSmith.ini"); }
    void writeSettings(const std::string& text) { ASSERT_TRUE(writeFileAtomically(path(), text)); }
    std::optional<std::string> settingsText() const { return readFile(path()); }

    TemporaryDirectory m_dir;
};

const char* const kTypicalFile = "; SkinSmith options\r\n"
                                 "[Layout]\r\n"
                                 "RES_FORMAT=9\r\n"
                                 "\r\n"
                                 "[config]\r\n"
                                 "res_format = 3\r\n"
                                 "; compression is off for the demo case\r\n"
                                 "RES_COMPRESS=0\r\n"
                                 "\r\n"
                                 "[Other]\r\n"
                                 "x=1\r\n";

} // namespace

TEST_F(SettingsAccessorTest, MissingFileReadsAsEmptyAndIsCreatedByAWriteWithCreate)
{
    SettingsAccessor settings(path());
    EXPECT_EQ(settings.readInt("CONFIG", "RES_FORMAT"), 0);
    EXPECT_EQ(settings.readText("CONFIG", "RES_COMPRESS"), "");
    EXPECT_EQ(settings.readText("CONFIG", "RES_COMPRESS", "def"), "def");

    EXPECT_EQ(settings.writeInt("CONFIG", "RES_FORMAT", 7, false), 1);
    EXPECT_FALSE(platform::pathExists(path()));

    EXPECT_EQ(settings.writeInt("CONFIG", "RES_FORMAT", 7, true), 0);
    EXPECT_EQ(settingsText(), std::optional<std::string>("[CONFIG]\nRES_FORMAT=7\n"));
    EXPECT_EQ(settings.readInt("CONFIG", "RES_FORMAT"), 7);
}

TEST_F(SettingsAccessorTest, KeysAndSectionsIgnoreCaseAndOtherLinesStayAsTheyWere)
{
    writeSettings(kTypicalFile);
    SettingsAccessor settings(path());
    EXPECT_EQ(settings.readInt("CONFIG", "RES_FORMAT"), 3);
    EXPECT_EQ(settings.readText("Config", "Res_Compress"), "0");

    EXPECT_EQ(settings.writeText("CONFIG", "RES_COMPRESS", "1", true), 0);
    EXPECT_EQ(settings.writeInt("CONFIG", "RES_FORMAT", -1, false), 0);
    EXPECT_EQ(settings.writeInt("CONFIG", "RAW_JPEG", 1, true), 0);
    EXPECT_EQ(settingsText(),
              std::optional<std::string>("; SkinSmith options\r\n"
                                         "[Layout]\r\n"
                                         "RES_FORMAT=9\r\n"
                                         "\r\n"
                                         "[config]\r\n"
                                         "res_format = -1\r\n"
                                         "; compression is off for the demo case\r\n"
                                         "RES_COMPRESS=1\r\n"
                                         "RAW_JPEG=1\r\n"
                                         "\r\n"
                                         "[Other]\r\n"
                                         "x=1\r\n"));
}

TEST_F(SettingsAccessorTest, WriteWithCreateClearLeavesTheFileByteIdenticalForAnAbsentKey)
{
    writeSettings(kTypicalFile);
    SettingsAccessor settings(path());
    EXPECT_EQ(settings.writeText("CONFIG", "EN_SPLITRES", "1", false), 1);
    EXPECT_EQ(settings.writeText("Other", "RES_COMPRESS", "1", false), 1);
    EXPECT_EQ(settings.writeText("NOSECTION", "x", "1", false), 1);
    EXPECT_EQ(settingsText(), std::optional<std::string>(kTypicalFile));
}

TEST_F(SettingsAccessorTest, TheSentinelValueCountsAsMissing)
{
    writeSettings("[CONFIG]\nTILE_WIDTH=!*&*none-value*&!*\n");
    SettingsAccessor settings(path());
    EXPECT_EQ(settings.writeText("CONFIG", "TILE_WIDTH", "64", false), 1);
    EXPECT_EQ(settingsText(),
              std::optional<std::string>("[CONFIG]\nTILE_WIDTH=!*&*none-value*&!*\n"));
    EXPECT_EQ(settings.readInt("CONFIG", "TILE_WIDTH"), 0);
    EXPECT_EQ(settings.writeText("CONFIG", "TILE_WIDTH", "64", true), 0);
    EXPECT_EQ(settings.readInt("CONFIG", "TILE_WIDTH"), 64);
}

TEST_F(SettingsAccessorTest, IntegersCountTheirLeadingDigits)
{
    writeSettings("[CONFIG]\nA=12px\nB= -3\nC=abc\nD=\nE=+8\nF=99999999999\nG=-99999999999\n"
                  "H=\"42\"\n");
    SettingsAccessor settings(path());
    EXPECT_EQ(settings.readInt("CONFIG", "A"), 12);
    EXPECT_EQ(settings.readInt("CONFIG", "B"), -3);
    EXPECT_EQ(settings.readInt("CONFIG", "C"), 0);
    EXPECT_EQ(settings.readInt("CONFIG", "D"), 0);
    EXPECT_EQ(settings.readInt("CONFIG", "E"), 8);
    EXPECT_EQ(settings.readInt("CONFIG", "F"), INT_MAX);
    EXPECT_EQ(settings.readInt("CONFIG", "G"), INT_MIN);
    EXPECT_EQ(settings.readInt("CONFIG", "H"), 42);
}

TEST_F(SettingsAccessorTest, TextsAreCutTo259BytesWithoutSplittingACharacter)
{
    std::string chinese;
    for (int i = 0; i < 100; ++i) {
        chinese += "图";
    }
    writeSettings("[CONFIG]\nA=" + std::string(300, 'a') + "\nB=" + chinese + "\n");
    SettingsAccessor settings(path());
    EXPECT_EQ(settings.readText("CONFIG", "A"), std::string(259, 'a'));
    EXPECT_EQ(settings.readText("CONFIG", "B"), chinese.substr(0, 258));
}

TEST_F(SettingsAccessorTest, FailedWritesReturnTheErrorAndChangeNothing)
{
    SettingsAccessor inMissingDirectory(m_dir.filePath("missing/SkinSmith.ini"));
    EXPECT_EQ(inMissingDirectory.writeInt("CONFIG", "RES_FORMAT", 1, true), ENOENT);

    // A file that cannot be read is never overwritten with what little we know.
    SettingsAccessor onDirectory(m_dir.path());
    EXPECT_EQ(onDirectory.writeInt("CONFIG", "RES_FORMAT", 1, true), EISDIR);

    writeSettings(kTypicalFile);
    SettingsAccessor settings(path());
    EXPECT_EQ(settings.writeText("CONFIG", "RES_FORMAT", "1\n[CONFIG]", true), EINVAL);
    EXPECT_EQ(settingsText(), std::optional<std::string>(kTypicalFile));
}

TEST(SettingsAccessor, DefaultPathIsBesideTheProgram)
{
    EXPECT_EQ(SettingsAccessor::defaultPath(), platform::programDirectory() + "SkinSmith.ini");
    platform::overrideProgramDirectory("/opt/skinsmith");
    EXPECT_EQ(SettingsAccessor::defaultPath(), "/opt/skinsmith/SkinSmith.ini");
    platform::overrideProgramDirectory("");
}
