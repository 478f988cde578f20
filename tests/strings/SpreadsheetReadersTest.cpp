// The in-process spreadsheet readers: RFC 4180 text and .xlsx workbooks, written here by
// the project's own writer, by libxlsxwriter directly, or part by part with libzip.

#include "strings/SpreadsheetCsvTable.h"
#include "strings/SpreadsheetWriter.h"
#include "strings/SpreadsheetXlsxBook.h"

#include "platform/FileSystem.h"

#include "ScratchFiles.h"

#include <xlsxwriter.h>
#include <zip.h>

#include <map>

namespace {

std::vector<std::string> texts(const SpreadsheetRow& row)
{
    std::vector<std::string> out;
    for (const SpreadsheetCell& cell : row) {
        out.push_back(cell.text);
    }
    return out;
}

using Strings = std::vector<std::string>;

// An .xlsx archive made of the given parts.
std::string zipOf(const std::map<std::string, std::string>& parts)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(source);
    zip_t* archive = zip_open_from_source(source, ZIP_TRUNCATE, &error);
    for (const auto& [name, text] : parts) {
        zip_source_t* part = zip_source_buffer(archive, text.data(), text.size(), 0);
        zip_file_add(archive, name.c_str(), part, ZIP_FL_ENC_UTF_8);
    }
    zip_close(archive);
    zip_source_open(source);
    zip_source_seek(source, 0, SEEK_END);
    const zip_int64_t size = zip_source_tell(source);
    zip_source_seek(source, 0, SEEK_SET);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    zip_source_read(source, bytes.data(), static_cast<zip_uint64_t>(size));
    zip_source_close(source);
    zip_source_free(source);
    zip_error_fini(&error);
    return bytes;
}

const std::map<std::string, std::string> kMinimalParts = {
    {"_rels/.rels", R"(<?xml version="1.0"?><Relationships><Relationship Id="rId1" )"
                    R"(Type="http://x/officeDocument" Target="book/main.xml"/></Relationships>)"},
    {"book/main.xml",
     R"(<x:workbook xmlns:x="s" xmlns:r="r"><x:sheets><x:sheet name="Texte" sheetId="3" )"
     R"(r:id="rS"/></x:sheets></x:workbook>)"},
    {"book/_rels/main.xml.rels",
     R"(<Relationships><Relationship Id="rS" Type="http://x/worksheet" Target="sheets/one.xml"/>)"
     R"(<Relationship Id="rT" Type="http://x/sharedStrings" Target="/book/strings.xml"/>)"
     R"(</Relationships>)"},
    {"book/strings.xml",
     R"(<sst><si><t xml:space="preserve">  two  spaces  </t></si>)"
     R"(<si><r><t>bold</t></r><r><t xml:space="preserve"> and plain</t></r>)"
     R"(<rPh><t>reading</t></rPh></si><si><t>a_x000D_b_x005F_x0041_</t></si></sst>)"},
    {"book/sheets/one.xml",
     R"(<x:worksheet xmlns:x="s"><x:sheetData>)"
     R"(<x:row r="1"><x:c r="A1" t="s"><x:v>0</x:v></x:c><x:c r="C1" t="s"><x:v>1</x:v></x:c></x:row>)"
     R"(<x:row r="3"><x:c t="s"><x:v>2</x:v></x:c><x:c t="inlineStr"><x:is><x:t>inline</x:t></x:is>)"
     R"(</x:c><x:c><x:v>2.50</x:v></x:c><x:c t="b"><x:v>1</x:v></x:c><x:c t="e"><x:v>#N/A</x:v>)"
     R"(</x:c><x:c t="str"><x:f>A1</x:f><x:v>formula</x:v></x:c></x:row>)"
     R"(</x:sheetData></x:worksheet>)"},
};

class SpreadsheetReaders : public ScratchFiles
{
};

} // namespace

TEST(SpreadsheetCsv, FieldsQuotesAndLineBreaks)
{
    SpreadsheetCsvTable table;
    std::vector<SpreadsheetRow> rows;
    ASSERT_TRUE(table.Read("\xEF\xBB\xBFResID,English,Check\r\n"
                           "A,\"x, \"\"y\"\"\r\nz\",\r\n"
                           "B,plain,,,\n"
                           "\r\n"
                           "C,\"\",last,",
                           rows))
        << table.Error();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(texts(rows[0]), (Strings{"ResID", "English", "Check"}));
    EXPECT_EQ(texts(rows[1]), (Strings{"A", "x, \"y\"\r\nz"}));
    EXPECT_EQ(texts(rows[2]), (Strings{"B", "plain"}));
    EXPECT_TRUE(rows[3].empty());
    EXPECT_EQ(texts(rows[4]), (Strings{"C", "", "last"}));
    EXPECT_TRUE(rows[4][2].isText);
}

TEST(SpreadsheetCsv, DamageIsReportedWithItsLine)
{
    SpreadsheetCsvTable table;
    std::vector<SpreadsheetRow> rows;
    EXPECT_FALSE(table.Read("a,b\nc,\"never\nclosed", rows));
    EXPECT_TRUE(rows.empty());
    EXPECT_NE(table.Error().find("line 2"), std::string::npos) << table.Error();
    EXPECT_FALSE(table.Read("a,\"q\"x\n", rows));
    EXPECT_FALSE(table.Read("a,\xC3(\n", rows));
    EXPECT_NE(table.Error().find("UTF-8"), std::string::npos);
}

TEST_F(SpreadsheetReaders, WorkbookPartsAreFollowedAsTheRelationshipsSay)
{
    SpreadsheetXlsxBook book;
    std::vector<SpreadsheetRow> rows;
    ASSERT_TRUE(book.ReadFirstSheet(zipOf(kMinimalParts), rows)) << book.Error();
    EXPECT_EQ(book.SheetName(), "Texte");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(texts(rows[0]), (Strings{"  two  spaces  ", "", "bold and plain"}));
    EXPECT_TRUE(rows[1].empty());
    EXPECT_EQ(texts(rows[2]), (Strings{"a\rb_x0041_", "inline", "2.5", "TRUE", "#N/A", "formula"}));
    const std::vector<bool> isText = {true, true, false, false, false, true};
    for (std::size_t i = 0; i < isText.size(); ++i) {
        EXPECT_EQ(rows[2][i].isText, isText[i]) << i;
    }
}

TEST_F(SpreadsheetReaders, DamagedWorkbooksAreRefusedWhole)
{
    const std::string good = zipOf(kMinimalParts);
    SpreadsheetXlsxBook book;
    std::vector<SpreadsheetRow> rows;
    for (const std::size_t cut : {good.size() / 2, good.size() - 10, std::size_t{30}}) {
        EXPECT_FALSE(book.ReadFirstSheet(good.substr(0, cut), rows)) << cut;
        EXPECT_TRUE(rows.empty());
        EXPECT_FALSE(book.Error().empty());
    }
    const auto broken = [&](const std::string& part, const std::string& text) {
        auto parts = kMinimalParts;
        parts[part] = text;
        return book.ReadFirstSheet(zipOf(parts), rows) ? std::string() : book.Error();
    };
    EXPECT_NE(broken("book/sheets/one.xml", "<worksheet><sheetData><row>").find("XML"),
              std::string::npos);
    EXPECT_NE(broken("book/sheets/one.xml",
                     R"(<worksheet><sheetData><row r="1"><c t="s"><v>7</v></c></row>)"
                     R"(</sheetData></worksheet>)")
                  .find("shared string"),
              std::string::npos);
    EXPECT_NE(broken("book/sheets/one.xml",
                     R"(<worksheet><sheetData><row r="2"/><row r="1"/></sheetData></worksheet>)")
                  .find("order"),
              std::string::npos);
    EXPECT_NE(
        broken("book/sheets/one.xml",
               R"(<worksheet><sheetData><row r="1"><c r="A2"/></row></sheetData></worksheet>)")
            .find("A2"),
        std::string::npos);
    EXPECT_NE(broken("book/_rels/main.xml.rels", "<Relationships/>").find("no worksheet"),
              std::string::npos);
    EXPECT_TRUE(rows.empty());
    EXPECT_FALSE(book.ReadFirstSheet("PK\x03\x04 not really", rows));
}

TEST_F(SpreadsheetReaders, WrittenWorkbooksReadBackExactly)
{
    const std::string longText(8000, 'w');
    const SpreadsheetWriter::Table table = {
        {"ResID", "中文", "العربية", "Check"},
        {"MIXED", "第一行\n第二行", "مرحبا بالعالم", "width 10 px, font 12 px"},
        {"EMOJI", "😀 and ไทย", " leading and trailing ", ""},
        {"LONG", longText, "=1+1", "\"quoted\", comma"},
    };
    for (const std::string name : {"t.xlsx", "t.csv"}) {
        SpreadsheetWriter writer;
        ASSERT_TRUE(writer.Write(table, pathOf(name))) << writer.Error();
        std::vector<SpreadsheetRow> rows;
        const std::string bytes = read(name);
        if (name == "t.xlsx") {
            SpreadsheetXlsxBook book;
            ASSERT_TRUE(book.ReadFirstSheet(bytes, rows)) << book.Error();
        } else {
            SpreadsheetCsvTable csv;
            ASSERT_TRUE(csv.Read(bytes, rows)) << csv.Error();
        }
        ASSERT_EQ(rows.size(), table.size()) << name;
        for (std::size_t r = 0; r < table.size(); ++r) {
            Strings expected = table[r];
            while (!expected.empty() && expected.back().empty()) {
                expected.pop_back();
            }
            EXPECT_EQ(texts(rows[r]), expected) << name << " row " << r;
        }
    }
    SpreadsheetWriter writer;
    EXPECT_FALSE(writer.Write(table, pathOf("t.ods")));
    EXPECT_FALSE(writer.Write({{std::string(40000, 'x')}}, pathOf("big.xlsx")));
    EXPECT_FALSE(platform::isFile(pathOf("big.xlsx")));
}

TEST_F(SpreadsheetReaders, NumbersAndBooleansAreMarkedAsNotText)
{
    const std::string path = pathOf("n.xlsx");
    lxw_workbook* book = workbook_new(path.c_str());
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    worksheet_write_string(sheet, 0, 0, "ResID", nullptr);
    worksheet_write_number(sheet, 1, 1, 1.5, nullptr);
    worksheet_write_number(sheet, 1, 2, 42, nullptr);
    worksheet_write_boolean(sheet, 1, 3, 0, nullptr);
    worksheet_write_string(sheet, 1, 4, "42", nullptr);
    ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);

    SpreadsheetXlsxBook reader;
    std::vector<SpreadsheetRow> rows;
    ASSERT_TRUE(reader.ReadFirstSheet(read("n.xlsx"), rows)) << reader.Error();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(texts(rows[1]), (Strings{"", "1.5", "42", "FALSE", "42"}));
    EXPECT_FALSE(rows[1][1].isText);
    EXPECT_FALSE(rows[1][2].isText);
    EXPECT_FALSE(rows[1][3].isText);
    EXPECT_TRUE(rows[1][4].isText);
}
