// Runs the built xls2txt program on the workbooks of tests/data/xls/ (written by
// make_fixtures.py there) and checks the bytes it writes.

#include "strings/CTabFileReader.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::u16string fromUtf16Le(const std::string& bytes)
{
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                       static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
    return units;
}

class Xls2txt : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "xls2txt-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    static std::string fixture(const std::string& name)
    {
        return std::string(SKINSMITH_TEST_DATA_DIR) + "/xls/" + name;
    }

    // Runs the tool with `arguments` (already quoted); returns its exit status and
    // keeps what it printed on standard error in m_stderr.
    int run(const std::string& arguments)
    {
        const fs::path errors = m_dir / "stderr.txt";
        const std::string command = "'" + std::string(SKINSMITH_BIN_DIR) + "/xls2txt' " +
                                    arguments + " >/dev/null 2>'" + errors.string() + "'";
        const int status = std::system(command.c_str());
        m_stderr = readBytes(errors);
        fs::remove(errors);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    int convert(const std::string& workbook, const fs::path& output)
    {
        return run("'" + workbook + "' '" + output.string() + "'");
    }

    // Returns the converted text without its byte-order mark, after checking the mark.
    std::u16string convertedText(const std::string& name)
    {
        const fs::path output = m_dir / "tmp.csv";
        EXPECT_EQ(convert(fixture(name), output), 0) << m_stderr;
        const std::string bytes = readBytes(output);
        EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
        return fromUtf16Le(bytes).substr(1);
    }

    fs::path m_dir;
    std::string m_stderr;
};

TEST_F(Xls2txt, ConvertsFirstSheetOfBiff8WorkbookLineByLine)
{
    const std::u16string expected =
        u"ResID\tCheck\tEnglish\t中文\tالعربية\r\n"
        u"IDS_OK\t\tOK\t确定\tموافق\r\n"
        u"IDS_LINES\tx\tone[CR]two\t第一行[CR]第二行\ta[CR]b[CR][CR]c\r\n"
        u"IDS_TAB\t\ta b\t\t\r\n"
        u"IDS_NUM\t42\t3.5\t-7\t0.1\r\n"
        u"IDS_BIG\t1234567890123\t1e-07\t2.675\t0.3333333333333333\r\n"
        u"\t\t\t\t\r\n"
        u"IDS_WIDE\t\tw\t\t\t\tbeyond\r\n"
        u"IDS_LAST\t\tCafé\t\t\r\n"
        u"IDS_DATE\t\t2021-03-04\t\t\r\n";
    EXPECT_EQ(convertedText("strings.xls"), expected);
    EXPECT_TRUE(m_stderr.empty()) << m_stderr;
}

TEST_F(Xls2txt, OutputReadsBackThroughTheTabFileReader)
{
    const fs::path output = m_dir / "tmp.csv";
    ASSERT_EQ(convert(fixture("strings.xls"), output), 0) << m_stderr;
    CTabFileReader reader;
    ASSERT_TRUE(reader.OpenWithMessage(output.string()));
    EXPECT_EQ(reader.CountLines(), 10);
    ASSERT_TRUE(reader.ReadLine());
    EXPECT_EQ(reader.WideCells(),
              (std::vector<std::u16string>{u"ResID", u"Check", u"English", u"中文", u"العربية"}));
    ASSERT_TRUE(reader.ReadLine());
    EXPECT_EQ(reader.NarrowCells(), (std::vector<std::string>{"IDS_OK", "OK", "确定", "موافق"}));
    EXPECT_EQ(reader.WideCells().size(), 5u);
}

TEST_F(Xls2txt, KeepsEmptyHeaderCellsBetweenTitles)
{
    EXPECT_EQ(convertedText("header_only.xls"), u"ResID([CR]:n)\tEnglish\t\tDeutsch\r\n");
}

TEST_F(Xls2txt, ReadsBiff5WorkbooksInTheirCodePage)
{
    EXPECT_EQ(convertedText("biff5_cp1252.xls"),
              u"ResID\tEnglish\tFrançais\r\nIDS_CAFE\tCoffee\tCafé crème\r\nIDS_N\t12\t0.25\r\n");
    EXPECT_EQ(convertedText("biff5_cp936.xls"), u"ResID\tEnglish\t中文\r\nIDS_OK\tOK\t确定\r\n"
                                                u"IDS_GAP\t\t空\r\nIDS_N\t-3\t1.5\r\n");
}

TEST_F(Xls2txt, UnreadableWorkbookFailsWithoutTouchingTheOutput)
{
    const fs::path fresh = m_dir / "fresh.csv";
    const fs::path existing = m_dir / "existing.csv";
    std::ofstream(existing, std::ios::binary) << "earlier";

    for (const std::string name :
         {"missing.xls", "not_a_workbook.xls", "truncated.xls", "garbled_middle.xls"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(convert(fixture(name), fresh), 1);
        EXPECT_NE(m_stderr.find("xls2txt: cannot read \"" + fixture(name) + "\": "),
                  std::string::npos)
            << m_stderr;
        EXPECT_FALSE(fs::exists(fresh));
        EXPECT_EQ(convert(fixture(name), existing), 1);
        EXPECT_EQ(readBytes(existing), "earlier");
    }
    // Only the file made above: no temporary files left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

// The texts of long_cells.xls, as make_fixtures.py builds them.
std::u16string longText(bool cjk, std::size_t count, std::size_t shift = 0)
{
    std::u16string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += cjk ? static_cast<char16_t>(0x4E00 + (i + shift) % 1000)
                    : static_cast<char16_t>(u'a' + (i + shift) % 26);
    }
    return text;
}

TEST_F(Xls2txt, LongTextsAreReadWholeAcrossContinuationRecords)
{
    const std::u16string expected = u"ResID\tEnglish\t中文\r\n"
                                    u"IDS_CJK\tshort\t" +
                                    longText(true, 9000) +
                                    u"\r\n"
                                    u"IDS_ASCII\t" +
                                    longText(false, 20000) +
                                    u"\tx\r\n"
                                    u"IDS_EIGHT\t" +
                                    longText(false, 8000, 1) + u"\t" + longText(false, 8000, 2) +
                                    u"\r\n"
                                    u"IDS_EIGHT2\t" +
                                    longText(false, 8000, 3) + u"\t" + longText(true, 8000, 4) +
                                    u"\r\n"
                                    u"IDS_AFTER\tafter \U0001F600\t之后\r\n"
                                    u"IDS_RICH\t" +
                                    longText(false, 9000, 5) + u"plain\t富\r\n";
    const std::u16string text = convertedText("long_cells.xls");
    EXPECT_TRUE(text == expected) << "lengths " << text.size() << " and " << expected.size();
}

TEST_F(Xls2txt, EmptyFirstSheetIsReportedAndNothingWritten)
{
    const fs::path output = m_dir / "tmp.csv";
    EXPECT_EQ(convert(fixture("empty_first_sheet.xls"), output), 1);
    EXPECT_NE(m_stderr.find("the first worksheet \"Empty\" is empty"), std::string::npos)
        << m_stderr;
    EXPECT_FALSE(fs::exists(output));
}

TEST_F(Xls2txt, UnwritableOutputIsReported)
{
    EXPECT_EQ(convert(fixture("strings.xls"), m_dir / "no" / "such" / "dir.csv"), 1);
    EXPECT_NE(m_stderr.find("cannot create"), std::string::npos) << m_stderr;
}

TEST_F(Xls2txt, CommandLine)
{
    EXPECT_EQ(run("--help"), 0);
    EXPECT_EQ(run("only-one.xls"), 2);
    EXPECT_NE(m_stderr.find("Usage: xls2txt SPREADSHEET OUTPUT"), std::string::npos);
    EXPECT_EQ(run("a.xls b.csv c"), 2);
}

} // namespace
