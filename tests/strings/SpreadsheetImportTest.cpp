// The spreadsheet route of the string table import: the converted table (written here
// directly), then whole workbooks through the converter program.

#include "strings/StringTableImport.h"

#include "model/StringRegistry.h"
#include "platform/ProgramDirectory.h"
#include "platform/ScriptedInteraction.h"

#include "ScratchFiles.h"
#include "StringIdentifiers.h"

#include <sys/stat.h>

#include <thread>
#include <vector>

namespace {

class SpreadsheetImport : public ScratchFiles
{
protected:
    void SetUp() override
    {
        ScratchFiles::SetUp();
        // The converter is looked for beside the running program: the build's bin/.
        platform::overrideProgramDirectory(SKINSMITH_BIN_DIR);
    }
    void TearDown() override
    {
        platform::overrideProgramDirectory({});
        ScratchFiles::TearDown();
    }

    std::string table(const std::string& name, const std::u16string& text)
    {
        return write(name, "\xFF\xFE" + utf16le(text));
    }
    static std::string fixture(const std::string& name)
    {
        return std::string(SKINSMITH_TEST_DATA_DIR) + "/xls/" + name;
    }

    platform::ScriptedInteraction m_ui;
    platform::ScopedInteraction m_scope{m_ui};
    APStyleProject m_project;
    StringRegistry m_list;
};

TEST_F(SpreadsheetImport, ColumnsRowsAndEmptyCells)
{
    m_list.Append(9, "OLD");
    const std::string path = table("t.csv", u"ResID\tCheck\tEnglish\t\tString\t中文\r\n"
                                            u"[RESLAN]\t\ten\t\t\tzh\r\n"
                                            u"IDS_OK\tx\tOK\t\t\t确定\r\n"
                                            u"IDS_CR\t\ta[CR]b\t\t\t\r\n"
                                            u" \t\tblank name\t\t\t\r\n"
                                            u"IDS_SHORT\t\tshort\r\n");
    const StringTableImport import(&m_project);
    EXPECT_EQ(import.ImportConverted(m_list, path), 4u);

    EXPECT_EQ(m_list.ColumnTitles()[0], "English");
    EXPECT_EQ(m_list.ColumnTitles()[1], "中文");
    EXPECT_EQ(m_list.ColumnTitles()[2], "");
    EXPECT_EQ(m_list.LanguageNames()[0], "en");
    EXPECT_EQ(m_list.LanguageNames()[1], "zh");
    // The list is replaced and numbered from 1; the check column is no language.
    ASSERT_EQ(identifiers(m_list), (Names{"IDS_OK", "IDS_CR", "IDS_SHORT"}));
    const StringRecord& ok = m_list.Records()[0];
    EXPECT_EQ(ok.number, 1u);
    EXPECT_EQ(ok.textCount, 2u);
    EXPECT_EQ(ok.wideTexts[0], u"OK");
    EXPECT_EQ(ok.wideTexts[1], u"确定");
    const StringRecord& cr = m_list.Records()[1];
    EXPECT_EQ(cr.wideTexts[0], u"a[CR]b");
    EXPECT_EQ(cr.displayTexts[0], u"a\nb");
    EXPECT_EQ(cr.wideTexts[1], u"N/A");
    EXPECT_EQ(m_list.Records()[2].textCount, 1u);
    EXPECT_EQ(m_list.FirstNumber(), 1u);
    EXPECT_EQ(m_list.LastNumber(), 3u);
    EXPECT_EQ(m_project.SpreadsheetFlag(), 0);
}

TEST_F(SpreadsheetImport, RepeatedNamesGetACounterWithinThirtyTwoCharacters)
{
    const std::string longName(40, 'N');
    std::u16string text = u"ResID([CR]:n)\tEnglish\r\n";
    for (const char16_t* name : {u"OK", u"OK", u"OK0", u"OK"}) {
        text += name + std::u16string(u"\tx\r\n");
    }
    for (int i = 0; i < 12; ++i) {
        text += std::u16string(longName.begin(), longName.end()) + u"\tx\r\n";
    }
    const StringTableImport import(&m_project);
    import.ImportConverted(m_list, table("dup.csv", text));

    const Names names = identifiers(m_list);
    ASSERT_EQ(names.size(), 16u);
    EXPECT_EQ((Names{names.begin(), names.begin() + 4}), (Names{"OK", "OK0", "OK00", "OK1"}));
    EXPECT_EQ(names[4], std::string(32, 'N'));
    EXPECT_EQ(names[5], std::string(31, 'N') + "0");
    EXPECT_EQ(names[15], std::string(30, 'N') + "10");
    EXPECT_EQ(m_project.SpreadsheetFlag(), 1);
}

TEST_F(SpreadsheetImport, InvalidHeaderLeavesTheListAsItWas)
{
    m_list.Append(4, "KEEP");
    m_list.ColumnTitles()[0] = "Title";
    const StringTableImport import(&m_project);
    EXPECT_EQ(import.ImportConverted(m_list, table("bad.csv", u"Name\tEnglish\r\nA\tx\r\n")), 0u);
    EXPECT_EQ(import.ImportConverted(m_list, table("empty.csv", u"")), 0u);
    EXPECT_EQ(identifiers(m_list), Names{"KEEP"});
    EXPECT_EQ(m_list.ColumnTitles()[0], "Title");
    ASSERT_EQ(m_ui.messages().size(), 2u);
    EXPECT_EQ(m_ui.messages()[0].rfind("字符串表格式错误：" + pathOf("bad.csv"), 0), 0u);
}

TEST_F(SpreadsheetImport, WorkbookThroughTheConverter)
{
    StringTableImport import(&m_project);
    m_project.SetCaseDir(SKINSMITH_TEST_DATA_DIR);
    StringRegistry& list = m_project.Strings();
    EXPECT_EQ(import.AddStringFile(list, fixture("string_table.xls"), 1), 6u);

    EXPECT_EQ(m_project.TextFiles(), Names{".\\xls\\string_table.xls"});
    EXPECT_EQ(m_project.SpreadsheetFlag(), 1);
    EXPECT_EQ(list.LanguageNames()[2], "ar");
    EXPECT_EQ(list.ColumnTitles()[2], "العربية");
    ASSERT_EQ(identifiers(list), (Names{"IDS_OK", "IDS_LINES", "IDS_OK0", "IDS_OK1",
                                        "IDS_A_VERY_LONG_STRING_IDENTIFIE"}));
    EXPECT_EQ(list.SecondMap().Lookup("IDS_OK1"), 0);
    const auto& records = list.Records();
    EXPECT_EQ(records[0].wideTexts[1], u"确定");
    EXPECT_EQ(records[0].wideTexts[2], u"موافق");
    EXPECT_EQ(records[1].wideTexts[1], u"第一行[CR]第二行");
    EXPECT_EQ(records[1].displayTexts[2], u"سطر\nسطر");
    EXPECT_EQ(records[2].wideTexts[1], u"N/A");
    EXPECT_EQ(records[3].textCount, 3u);
    EXPECT_EQ(m_ui.phases(), (Names{"解释excel文件...", "读取多国语言字符串..."}));
    EXPECT_EQ(m_ui.lastPosition(), 100);
    EXPECT_TRUE(m_ui.messages().empty());
}

TEST_F(SpreadsheetImport, MissingOrUnconvertibleWorkbookImportsNothing)
{
    m_list.Append(1, "KEEP");
    StringTableImport import(&m_project);
    const std::string missing = pathOf("nowhere.xls");
    EXPECT_EQ(import.ImportSpreadsheet(m_list, missing), 0u);
    EXPECT_EQ(import.ImportSpreadsheet(m_list, fixture("not_a_workbook.xls")), 0u);
    import.SetConverter(pathOf("no-such-converter"));
    EXPECT_EQ(import.ImportSpreadsheet(m_list, fixture("strings.xls")), 0u);

    EXPECT_EQ(identifiers(m_list), Names{"KEEP"});
    const Names messages = m_ui.messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], missing + "： 路径不存在！");
    EXPECT_EQ(messages[1].rfind("Excel文件转换失败：" + fixture("not_a_workbook.xls"), 0), 0u)
        << messages[1];
    EXPECT_NE(messages[1].find("退出代码：1"), std::string::npos) << messages[1];
    EXPECT_EQ(messages[2].rfind("无法启动转换程序" + pathOf("no-such-converter"), 0), 0u)
        << messages[2];
}

// A converter that copies its input and lingers, so that two runs overlap: with one
// shared output file each import would read the other's table.
TEST_F(SpreadsheetImport, SideBySideImportsKeepTheirOwnOutput)
{
    const std::string converter = write("slow-converter", "#!/bin/sh\ncp \"$1\" \"$2\"\n"
                                                          "sleep 0.3\n");
    ASSERT_EQ(chmod(converter.c_str(), 0755), 0);
    const std::string temporary = pathOf("tmp");
    ASSERT_EQ(mkdir(temporary.c_str(), 0755), 0);
    setenv("TMPDIR", temporary.c_str(), 1);

    const std::string first = table("first.xls", u"ResID\tEnglish\r\nFIRST\t1\r\n");
    const std::string second = table("second.xls", u"ResID\tEnglish\r\nSECOND\t2\r\n");
    StringTableImport import;
    import.SetConverter(converter);
    platform::ScriptedInteraction silent;
    platform::ScopedInteraction quiet(silent);
    StringRegistry firstList;
    StringRegistry secondList;
    std::thread other([&] { import.ImportSpreadsheet(secondList, second); });
    import.ImportSpreadsheet(firstList, first);
    other.join();
    unsetenv("TMPDIR");

    EXPECT_EQ(identifiers(firstList), Names{"FIRST"});
    EXPECT_EQ(identifiers(secondList), Names{"SECOND"});
    EXPECT_TRUE(std::filesystem::is_empty(temporary));
}

} // namespace
