#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {
std::optional<std::string> text(const char* value)
{
    return std::string(value);
}
} // namespace

TEST(IniFile, ReadsWithPrivateProfileSemantics)
{
    IniFile ini;
    ini.setText("\xEF\xBB\xBF"
                "top=preamble\n"
                "[Config]\n"
                "  Res_Format = 7  \n"
                "; RES_COMPRESS=1\n"
                "line without equals\n"
                "QUOTED=\"  spaced  \"\n"
                "SINGLE='x'\n"
                "HALF=\"x\n"
                "EMPTY=\n"
                "res_format=8\n"
                "[OTHER]\n"
                "A=1\n"
                "[config]\n"
                "LATE=1\n");
    EXPECT_EQ(ini.value("CONFIG", "RES_FORMAT"), text("7"));
    EXPECT_EQ(ini.value("config", "res_format"), text("7"));
    EXPECT_EQ(ini.value("CONFIG", "QUOTED"), text("  spaced  "));
    EXPECT_EQ(ini.value("CONFIG", "SINGLE"), text("x"));
    EXPECT_EQ(ini.value("CONFIG", "HALF"), text("\"x"));
    EXPECT_EQ(ini.value("CONFIG", "EMPTY"), text(""));
    EXPECT_EQ(ini.value("", "top"), text("preamble"));
    EXPECT_FALSE(ini.value("CONFIG", "RES_COMPRESS"));
    EXPECT_FALSE(ini.value("CONFIG", "line without equals"));
    EXPECT_FALSE(ini.value("CONFIG", "A"));
    // The first of duplicate sections is the one that counts.
    EXPECT_FALSE(ini.value("CONFIG", "LATE"));
    EXPECT_EQ(ini.sections(), (std::vector<std::string>{"Config", "OTHER", "config"}));
    EXPECT_EQ(ini.keys("config"), (std::vector<std::string>{"Res_Format", "QUOTED", "SINGLE",
                                                            "HALF", "EMPTY", "res_format"}));
}

TEST(IniFile, ChangingAValueRewritesOnlyItsLine)
{
    const std::string before = "; options\r\n"
                               "[CONFIG]\r\n"
                               "Res_Format = 7   \r\n"
                               "RAW_JPEG=0\r\n"
                               "\r\n"
                               "; next section\r\n"
                               "[BUILD]\r\n"
                               "X=1";
    IniFile ini;
    ini.setText(before);
    ASSERT_TRUE(ini.setValue("config", "RES_FORMAT", "3"));
    ASSERT_TRUE(ini.setValue("CONFIG", "PIC_SAMENAME", "1"));
    ASSERT_TRUE(ini.setValue("build", "Y", "2"));
    EXPECT_EQ(ini.text(), "; options\r\n"
                          "[CONFIG]\r\n"
                          "Res_Format = 3\r\n"
                          "RAW_JPEG=0\r\n"
                          "PIC_SAMENAME=1\r\n"
                          "\r\n"
                          "; next section\r\n"
                          "[BUILD]\r\n"
                          "X=1\r\n"
                          "Y=2\r\n");
}

TEST(IniFile, NewSectionsGoAtTheEnd)
{
    IniFile ini;
    ASSERT_TRUE(ini.setValue("CONFIG", "RES_FORMAT", "7"));
    EXPECT_EQ(ini.text(), "[CONFIG]\nRES_FORMAT=7\n");

    ini.setText("[A]\nk=v");
    ASSERT_TRUE(ini.setValue("B", "k", "w"));
    EXPECT_EQ(ini.text(), "[A]\nk=v\n[B]\nk=w\n");

    ini.setText("[EMPTY]");
    ASSERT_TRUE(ini.setValue("empty", "k", "v"));
    EXPECT_EQ(ini.text(), "[EMPTY]\nk=v\n");

    // A file cut after the carriage return of its last line: that line keeps its value when
    // a line follows it, and the file its bytes until then.
    ini.setText("[A]\r\nk=0\r");
    EXPECT_EQ(ini.value("A", "k"), "0");
    EXPECT_EQ(ini.text(), "[A]\r\nk=0\r");
    ASSERT_TRUE(ini.setValue("B", "k", "1"));
    EXPECT_EQ(ini.text(), "[A]\r\nk=0\r\n[B]\r\nk=1\r\n");
    ini.setText(ini.text());
    EXPECT_EQ(ini.value("A", "k"), "0");

    // Only the last carriage return ends the line; the one before it is part of the value, and
    // stays so once a line follows, also in a file whose lines end in a line feed alone.
    ini.setText("[A]\nk=0\r\r");
    EXPECT_EQ(ini.value("A", "k"), "0\r");
    ASSERT_TRUE(ini.setValue("B", "k", "1"));
    EXPECT_EQ(ini.text(), "[A]\nk=0\r\r\n[B]\nk=1\n");
    ini.setText(ini.text());
    EXPECT_EQ(ini.value("A", "k"), "0\r");
    EXPECT_EQ(ini.value("B", "k"), "1");
}

TEST(IniFile, ValuesReadBackAsWrittenAndUnsafeTextIsRefused)
{
    IniFile ini;
    for (const std::string value : {" padded ", "\"quoted\"", "'q'", "", "a=b;c", "图片"}) {
        ASSERT_TRUE(ini.setValue("S", "K", value));
        EXPECT_EQ(ini.value("S", "K"), std::optional<std::string>(value)) << value;
    }
    const std::string stable = ini.text();
    EXPECT_FALSE(ini.setValue("S", "K", "1\n[EVIL]\nX=1"));
    EXPECT_FALSE(ini.setValue("S", "K=", "1"));
    EXPECT_FALSE(ini.setValue("S", ";K", "1"));
    EXPECT_FALSE(ini.setValue("S", "", "1"));
    EXPECT_FALSE(ini.setValue("", "K", "1"));
    EXPECT_FALSE(ini.setValue("S]", "K", "1"));
    EXPECT_FALSE(ini.setValue("S\r", "K", "1"));
    EXPECT_EQ(ini.text(), stable);
}

TEST(IniFile, LoadAndSave)
{
    TemporaryDirectory dir;
    IniFile ini;
    EXPECT_TRUE(ini.load(dir.filePath("missing.ini")));
    EXPECT_EQ(ini.text(), "");

    std::error_code error;
    EXPECT_FALSE(ini.load(dir.path(), &error));
    EXPECT_EQ(error, std::errc::is_a_directory);

    const std::string path = dir.filePath("SkinSmith.ini");
    ASSERT_TRUE(writeFileAtomically(path, "# kept\n[CONFIG]\nA=1\n"));
    ASSERT_TRUE(ini.load(path));
    ASSERT_TRUE(ini.setValue("CONFIG", "A", "2"));
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(readFile(path), std::optional<std::string>("# kept\n[CONFIG]\nA=2\n"));
    EXPECT_FALSE(ini.save(dir.filePath("missing/x.ini"), &error));
    EXPECT_EQ(error, std::errc::no_such_file_or_directory);
}
