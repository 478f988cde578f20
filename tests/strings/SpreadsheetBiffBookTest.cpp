// Workbook streams assembled record by record, for the cases no writer at hand
// produces: a text whose width changes between continuation records, charts inside the
// sheet, 1904 dates, formula texts, and streams damaged in the ways the reader checks.

#include "strings/SpreadsheetBiffBook.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

std::string le16(unsigned value)
{
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF)};
}

std::string le32(unsigned value)
{
    return le16(value & 0xFFFF) + le16(value >> 16);
}

std::string record(unsigned type, const std::string& data)
{
    return le16(type) + le16(static_cast<unsigned>(data.size())) + data;
}

std::string cell(unsigned row, unsigned column, unsigned xf = 0)
{
    return le16(row) + le16(column) + le16(xf);
}

std::string number(double value)
{
    std::string bytes(8, '\0');
    std::memcpy(bytes.data(), &value, 8);
    return bytes;
}

// A workbook with the given global records and one worksheet of `cells`.
std::string workbook(const std::string& globals, const std::string& cells)
{
    const std::string head = record(0x0809, le16(0x0600) + le16(0x0005) + le32(0) + le32(0));
    const auto sheetEntry = [](unsigned offset) {
        return record(0x0085, le32(offset) + "\0\0\x05\x00"
                                             "Sheet"s);
    };
    const std::size_t offset = head.size() + globals.size() + sheetEntry(0).size() + 4;
    return head + globals + sheetEntry(static_cast<unsigned>(offset)) + record(0x000A, "") +
           record(0x0809, le16(0x0600) + le16(0x0010) + le32(0) + le32(0)) + cells +
           record(0x000A, "");
}

std::vector<SpreadsheetBiffBook::Row> read(const std::string& stream, std::string* error = nullptr)
{
    SpreadsheetBiffBook book;
    std::vector<SpreadsheetBiffBook::Row> rows;
    const auto result = book.ReadFirstSheet(stream, rows);
    if (error != nullptr) {
        *error = result == SpreadsheetBiffBook::Result::Failed ? book.Error() : "";
    }
    return rows;
}

using Rows = std::vector<SpreadsheetBiffBook::Row>;

TEST(SpreadsheetBiffBook, TextSplitBetweenRecordsMayChangeWidthInEachPiece)
{
    // "ab" + "中" + "cd": one Latin-1 piece, one UTF-16 piece, one Latin-1 piece again;
    // the second string starts right after, in the last piece.
    const std::string table =
        record(0x00FC, le32(2) + le32(2) + le16(5) +
                           "\x00"
                           "ab"s) +
        record(0x003C, "\x01" + le16(0x4E2D)) +
        record(0x003C, std::string("\x00", 1) + "cd" + le16(1) + std::string("\x00", 1) + "z");
    const std::string cells =
        record(0x00FD, cell(0, 0) + le32(0)) + record(0x00FD, cell(0, 2) + le32(1));
    std::string error;
    EXPECT_EQ(read(workbook(table, cells), &error), (Rows{{"ab中cd", "", "z"}})) << error;
}

TEST(SpreadsheetBiffBook, ReadsNumbersDatesFormulaTextsAndSkipsCharts)
{
    // Cell format 1 shows a custom date format, 2 the built-in time format 20.
    const std::string globals =
        record(0x0022, le16(1)) +
        record(0x041E, le16(164) + le16(10) + std::string("\x00", 1) + "yyyy\\-mm\\-d") +
        record(0x00E0, le16(0) + le16(0) + std::string(16, '\0')) +
        record(0x00E0, le16(0) + le16(164) + std::string(16, '\0')) +
        record(0x00E0, le16(0) + le16(20) + std::string(16, '\0'));
    const std::string chart = record(0x0809, le16(0x0600) + le16(0x0020) + le32(0) + le32(0)) +
                              record(0x00FD, cell(9, 9) + le32(7)) + record(0x000A, "");
    const std::string cells =
        record(0x027E, cell(0, 0) + le32((42u << 2) | 2)) +   // integer 42
        record(0x027E, cell(0, 1) + le32((1234u << 2) | 3)) + // 12.34
        record(0x0203, cell(0, 2, 1) + number(0)) +           // 1904-01-01
        record(0x00BD, le16(1) + le16(0) + le16(2) + le32((1u << 2) | 2) + le16(0) +
                           le32((5u << 2) | 2) + le16(1)) + // 0.5 as time, then 5
        chart +
        record(0x0006, cell(2, 0) + "\x00\x00\x00\x00\x00\x00\xFF\xFF"s + std::string(6, '\0')) +
        record(0x0207, le16(3) + std::string("\x00", 1) + "sum") +
        record(0x0205, cell(2, 1) + "\x01\x00"s);
    std::string error;
    EXPECT_EQ(read(workbook(globals, cells), &error),
              (Rows{{"42", "12.34", "1904-01-01"}, {"00:00:00", "5"}, {"sum", "1"}}))
        << error;
    // Only the formula's text result was text in the sheet.
    SpreadsheetBiffBook book;
    std::vector<SpreadsheetBiffBook::Row> rows;
    ASSERT_EQ(book.ReadFirstSheet(workbook(globals, cells), rows),
              SpreadsheetBiffBook::Result::Read);
    using Cell = std::pair<std::uint32_t, std::uint32_t>;
    EXPECT_EQ(book.NotText(), (std::vector<Cell>{{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {2, 1}}));
}

TEST(SpreadsheetBiffBook, DamageIsReportedAndNothingRead)
{
    const std::string table = record(0x00FC, le32(1) + le32(1) + le16(3) +
                                                 "\x00"
                                                 "abc"s);
    const std::string good = record(0x00FD, cell(0, 0) + le32(0));
    ASSERT_EQ(read(workbook(table, good)), (Rows{{"abc"}}));

    struct Case
    {
        const char* what;
        std::string stream;
        const char* reason;
    };
    std::string cut = workbook(table, good);
    cut.resize(cut.size() - 2);
    std::string strayLength = workbook(table, good);
    strayLength[strayLength.size() - 2] = '\x40';
    const std::vector<Case> cases = {
        {"string index past the table", workbook(table, record(0x00FD, cell(0, 0) + le32(1))),
         "names string 2 of 1"},
        {"string longer than its record",
         workbook(record(0x00FC, le32(1) + le32(1) + le16(9) +
                                     "\x00"
                                     "abc"s),
                  good),
         "string 1 of its string table"},
        {"odd byte of a wide text at a record's end",
         workbook(record(0x00FC, le32(1) + le32(1) + le16(2) +
                                     "\x01"
                                     "a") +
                      record(0x003C, "\x01"
                                     "bb"),
                  good),
         "string 1"},
        {"unknown string flags",
         workbook(record(0x00FC, le32(1) + le32(1) + le16(1) +
                                     "\x40"
                                     "a"),
                  good),
         "string 1"},
        {"last record cut", cut, "cut short"},
        {"record length past the end", strayLength, "runs past the end"},
        {"no end of the sheet", workbook(table, good).substr(0, workbook(table, good).size() - 4),
         "cut short"},
        {"cell record too short", workbook(table, record(0x0203, cell(0, 0))), "cut short"},
        {"cell outside the sheet", workbook(table, record(0x00FD, cell(0, 300) + le32(0))),
         "outside the sheet"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        std::string error;
        EXPECT_TRUE(read(test.stream, &error).empty());
        EXPECT_NE(error.find(test.reason), std::string::npos) << error;
    }
}

TEST(SpreadsheetBiffBook, OlderWorkbooksAreLeftToAnotherReader)
{
    SpreadsheetBiffBook book;
    std::vector<SpreadsheetBiffBook::Row> rows;
    const std::string biff5 = record(0x0809, le16(0x0500) + le16(0x0005) + le32(0));
    EXPECT_EQ(book.ReadFirstSheet(biff5, rows), SpreadsheetBiffBook::Result::OlderFormat);
    EXPECT_EQ(book.ReadFirstSheet(record(0x0001, "xx"), rows), SpreadsheetBiffBook::Result::Failed);
}

} // namespace
