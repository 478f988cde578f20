// The translators' round trip: a project's strings exported as .xlsx and .csv and added
// back through the spreadsheet route (the converter program included), and the report
// of what a string file would change.

#include "strings/SpreadsheetWriter.h"
#include "strings/StringDiffReport.h"
#include "strings/StringTableDiff.h"
#include "strings/StringTableExport.h"
#include "strings/StringTableImport.h"

#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/Snapshot.h"
#include "model/StringRegistry.h"
#include "model/StringSnapShotItem.h"
#include "platform/CodePage.h"
#include "platform/ProgramDirectory.h"
#include "platform/ScriptedInteraction.h"

#include "ScratchFiles.h"

#include <xlsxwriter.h>

namespace {

using Strings = std::vector<std::string>;

class StringRoundTrip : public ScratchFiles
{
protected:
    void SetUp() override
    {
        ScratchFiles::SetUp();
        platform::overrideProgramDirectory(SKINSMITH_BIN_DIR);
        APStyleProject::SetCurrent(&m_project);
        StringRegistry& strings = m_project.Strings();
        strings.LanguageNames()[0] = "English";
        strings.LanguageNames()[1] = "中文";
        strings.LanguageNames()[2] = "العربية";
        add("OK", {"OK", "确定", "موافق"});
        add("LINES", {"first[CR]second", "第一行[CR]第二行", "N/A"});
        add("MIXED", {" spaced, \"quoted\" ", "😀 ไทย ก้", "=1+1"});
        add("LONG", {std::string(8000, 'x'), "", "ש"});
        // A string read from a text file keeps narrow texts only.
        StringRecord& narrow = strings.Append(5, "NARROW");
        narrow.texts[0] = "plain";
        narrow.texts[1] = "简单";
        narrow.textCount = 2;
        strings.SetFirstNumber(1);
        strings.SetLastNumber(5);

        m_project.Scenes().push_back(std::make_unique<Snapshot>());
        m_group = dynamic_cast<CCanvasSnapShotItem*>(
            m_project.Scenes().front()->AddChild(SnapShotItem::kGroup, 1));
        ASSERT_NE(m_group, nullptr);
        bind("OK", 120, 16);
        bind("OK", 64, 12);
        bind("LINES", 200, 24);
    }
    void TearDown() override
    {
        APStyleProject::SetCurrent(nullptr);
        platform::overrideProgramDirectory({});
        ScratchFiles::TearDown();
    }

    void add(const std::string& name, const Strings& texts)
    {
        StringRegistry& strings = m_project.Strings();
        StringRecord& record = strings.Append(static_cast<std::uint32_t>(strings.Size() + 1), name);
        for (std::size_t k = 0; k < texts.size(); ++k) {
            record.wideTexts[k] = platform::utf8ToUtf16(texts[k]);
            record.displayTexts[k] = record.wideTexts[k];
        }
        record.textCount = static_cast<std::uint32_t>(texts.size());
    }

    void bind(const std::string& name, int width, int fontHeight)
    {
        auto* item = dynamic_cast<StringSnapShotItem*>(m_group->AddChild(SnapShotItem::kString, 0));
        ASSERT_NE(item, nullptr);
        item->TextStore().identifier = name;
        StringItemInfo info = item->StringInfo();
        info.width = static_cast<std::uint16_t>(width);
        info.fontHeight = static_cast<std::uint8_t>(fontHeight);
        item->SetStringInfo(info);
    }

    std::string exportTo(const std::string& name, const std::vector<int>& languages = {0, 1, 2},
                         bool missingOnly = false)
    {
        SpreadsheetWriter writer;
        EXPECT_TRUE(
            writer.Write(StringTableExport(m_project).Build(languages, missingOnly), pathOf(name)))
            << writer.Error();
        return pathOf(name);
    }

    // The texts of a registry as the table shows them, row by row.
    static std::vector<Strings> shown(const StringRegistry& list)
    {
        std::vector<Strings> rows;
        for (const StringRecord& record : list.Records()) {
            Strings row{record.identifier};
            for (int k = 0; k < 3; ++k) {
                row.push_back(StringTableExport::CellText(record, k));
            }
            rows.push_back(row);
        }
        return rows;
    }

    platform::ScriptedInteraction m_ui;
    platform::ScopedInteraction m_scope{m_ui};
    APStyleProject m_project;
    CCanvasSnapShotItem* m_group = nullptr;
};

} // namespace

TEST_F(StringRoundTrip, TheTableHasTheFormTheImportReads)
{
    const StringTableExport table(m_project);
    EXPECT_EQ(table.Languages(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(table.FindLanguage("中文"), 1);
    EXPECT_EQ(table.FindLanguage("2"), 2);
    EXPECT_EQ(table.FindLanguage("Deutsch"), -1);
    const auto rows = table.Build({2, 0}, false);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0], (Strings{"ResID", "العربية", "English", "Check"}));
    EXPECT_EQ(rows[1], (Strings{"[RESLAN]", "العربية", "English", ""}));
    // The narrowest of the two elements showing OK sets its budget.
    EXPECT_EQ(rows[2], (Strings{"OK", "موافق", "OK", "width 64 px, font 12 px"}));
    EXPECT_EQ(rows[3], (Strings{"LINES", "", "first\nsecond", "width 200 px, font 24 px"}));
    EXPECT_EQ(rows[6], (Strings{"NARROW", "", "plain", ""}));

    const auto missing = table.Build({0, 1}, true);
    ASSERT_EQ(missing.size(), 3u);
    EXPECT_EQ(missing[2][0], "LONG");

    m_project.SetSpreadsheetFlag(1);
    EXPECT_EQ(table.Build({0}, false)[0][0], "ResID([CR]:n)");
}

TEST_F(StringRoundTrip, ExportedFilesAddBackToTheSameStrings)
{
    for (const std::string name : {"out.xlsx", "out.csv", "OUT.XLSX"}) {
        const std::string path = exportTo(name);
        StringRegistry list;
        APStyleProject other;
        EXPECT_EQ(StringTableImport(&other).AddStringFile(list, path, 1), 6u) << name;
        EXPECT_EQ(shown(list), shown(m_project.Strings())) << name;
        EXPECT_EQ(list.NamedLanguages(), m_project.Strings().NamedLanguages()) << name;
        EXPECT_EQ(list.Records()[1].displayTexts[0], u"first\nsecond");

        StringTableDiff diff(m_project);
        ASSERT_TRUE(diff.Compare(path)) << diff.Error();
        EXPECT_FALSE(diff.LosesSomething()) << name;
        EXPECT_TRUE(diff.Added().empty() && diff.Changed().empty() && diff.Vanished().empty());
    }
}

TEST_F(StringRoundTrip, DiffReportsWhatTheFileWouldChangeOrLose)
{
    const std::string path = write("t.csv", "ResID,English,中文,Check\r\n"
                                            "OK,OK,好,\r\n"
                                            "OK,again,,\r\n"
                                            "LINES,first[CR]second,,\r\n"
                                            "NEW,new,新,,extra\r\n"
                                            "LONG," +
                                                std::string(8000, 'y') + ",,\r\n");
    StringTableDiff diff(m_project);
    ASSERT_TRUE(diff.Compare(path)) << diff.Error();
    EXPECT_TRUE(diff.ReplacesList());
    EXPECT_EQ(diff.Added(), (Strings{"OK0", "NEW"}));
    EXPECT_EQ(diff.Vanished(), (Strings{"MIXED", "NARROW"}));
    ASSERT_EQ(diff.Changed().size(), 2u);
    EXPECT_EQ(diff.Changed()[1].name, "LONG");
    EXPECT_EQ(diff.Changed()[0].name, "OK");
    EXPECT_EQ(diff.Changed()[0].before, "确定");
    EXPECT_EQ(diff.Changed()[0].after, "好");
    // LINES loses its Chinese text, both lose Arabic: the file has no such column.
    std::vector<std::pair<std::string, int>> emptied;
    for (const auto& change : diff.Emptied()) {
        emptied.emplace_back(change.name, change.language);
    }
    EXPECT_EQ(emptied,
              (std::vector<std::pair<std::string, int>>{{"OK", 2}, {"LINES", 1}, {"LONG", 2}}));
    ASSERT_EQ(diff.Renamed().size(), 1u);
    EXPECT_EQ(diff.Renamed()[0].row, 3);
    EXPECT_EQ(diff.Renamed()[0].renamedTo, "OK0");
    ASSERT_EQ(diff.LongRows().size(), 1u);
    EXPECT_EQ(diff.LongRows()[0].row, 5);
    EXPECT_TRUE(diff.LosesSomething());

    const std::string full = StringDiffReport(diff, "t.csv");
    EXPECT_NE(full.find("vanished strings (2):\n  MIXED\n  NARROW\n"), std::string::npos) << full;
    EXPECT_NE(full.find(std::string(8000, 'x')), std::string::npos);
    EXPECT_EQ(full.substr(full.size() - 24), "something would be lost\n");
    // Shortened for a message box: two lines a section, long texts cut.
    const std::string shortened = StringDiffReport(diff, "t.csv", 2);
    EXPECT_NE(shortened.find("texts that become empty or N/A (3):\n  OK [العربية]: \"موافق\" -> "
                             "\"\"\n  LINES [中文]: \"第一行\\n第二行\" -> \"\"\n  … 1 more\n"),
              std::string::npos)
        << shortened;
    EXPECT_NE(shortened.find("\"" + std::string(60, 'x') + "…\""), std::string::npos);
    EXPECT_EQ(shortened.find(std::string(61, 'x')), std::string::npos);
}

TEST_F(StringRoundTrip, DiffFindsCellsThatAreNotText)
{
    const std::string path = pathOf("n.xlsx");
    lxw_workbook* book = workbook_new(path.c_str());
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    const char* header[] = {"ResID", "English", "中文", "العربية"};
    for (int c = 0; c < 4; ++c) {
        worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c), header[c], nullptr);
    }
    worksheet_write_string(sheet, 1, 0, "OK", nullptr);
    worksheet_write_string(sheet, 1, 1, "OK", nullptr);
    worksheet_write_number(sheet, 1, 2, 3.25, nullptr);
    worksheet_write_string(sheet, 1, 3, "موافق", nullptr);
    ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);

    StringTableDiff diff(m_project);
    ASSERT_TRUE(diff.Compare(path)) << diff.Error();
    ASSERT_EQ(diff.NotText().size(), 1u);
    EXPECT_EQ(diff.NotText()[0].row, 2);
    EXPECT_EQ(diff.NotText()[0].column, 3);
    EXPECT_EQ(diff.NotText()[0].text, "3.25");
    EXPECT_TRUE(diff.LosesSomething());

    // An .xls workbook's numbers and dates are found the same way.
    StringTableDiff xls(m_project);
    ASSERT_TRUE(xls.Compare(std::string(SKINSMITH_TEST_DATA_DIR) + "/xls/strings.xls"))
        << xls.Error();
    ASSERT_EQ(xls.NotText().size(), 9u);
    EXPECT_EQ(xls.NotText()[0].row, 5);
    EXPECT_EQ(xls.NotText()[0].text, "42");
    EXPECT_EQ(xls.NotText()[8].text, "2021-03-04");
}

TEST_F(StringRoundTrip, TextFilesOnlyAddAndDamagedFilesChangeNothing)
{
    const std::string text = write("more.txt", "name=OK\nstring=other\nname=EXTRA\nstring=x\n");
    StringTableDiff diff(m_project);
    ASSERT_TRUE(diff.Compare(text)) << diff.Error();
    EXPECT_FALSE(diff.ReplacesList());
    EXPECT_EQ(diff.Added(), (Strings{"EXTRA"}));
    EXPECT_TRUE(diff.Changed().empty() && diff.Vanished().empty());
    EXPECT_FALSE(diff.LosesSomething());

    const std::string good = read(exportTo("good.xlsx").substr(m_dir.string().size() + 1));
    write("cut.xlsx", good.substr(0, good.size() / 2));
    StringRegistry list;
    list.Append(1, "KEPT");
    EXPECT_EQ(StringTableImport(&m_project).AddStringFile(list, pathOf("cut.xlsx"), 1), 0u);
    ASSERT_EQ(list.Size(), 1u);
    EXPECT_EQ(list.Records()[0].identifier, "KEPT");
    StringTableDiff damaged(m_project);
    EXPECT_FALSE(damaged.Compare(pathOf("cut.xlsx")));
    write("open.csv", "ResID,English\r\nOK,\"never closed\r\n");
    EXPECT_FALSE(StringTableDiff(m_project).Compare(pathOf("open.csv")));
    EXPECT_FALSE(StringTableDiff(m_project).Compare(pathOf("absent.xlsx")));
}
