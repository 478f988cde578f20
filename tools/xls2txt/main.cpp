// xls2txt SPREADSHEET OUTPUT
//
// Converts the first worksheet of an .xls or .xlsx workbook, or a .csv file, into the tab-separated
// text that the string table import reads: UTF-16 LE with a byte-order mark, one CR LF line per
// row, header row first.

#include "Utf16TextFile.h"
#include "XlsWorkbook.h"

#include "platform/AsciiCase.h"
#include "platform/LanguageOption.h"
#include "platform/Path.h"
#include "platform/ProgramVersion.h"
#include "platform/UiText.h"
#include "strings/SpreadsheetCellText.h"
#include "strings/SpreadsheetFile.h"

#include <algorithm>
#include <cstring>
#include <iostream>

namespace {

const char* const kUsage =
    "Usage: xls2txt SPREADSHEET OUTPUT\n"
    "\n"
    "Converts the first worksheet of an .xls workbook (BIFF5 or BIFF8), of an .xlsx\n"
    "workbook, or a .csv file (RFC 4180, UTF-8) into a tab-separated text file: UTF-16 LE with a "
    "byte-order mark, one line per row\n"
    "ended by CR LF, the header row first. Line breaks inside a cell become \"[CR]\",\n"
    "tabs become spaces; every row keeps its cells up to the header row's width.\n"
    "\n"
    "Long texts are read across the records they are split into. A damaged workbook\n"
    "is reported, never converted in part; so is a first worksheet without any cell.\n"
    "\n"
    "Options: --lang zh|en sets the language of the messages (default: from the locale).\n"
    "\n"
    "Exit status: 0 on success, 1 when the workbook cannot be converted or its first\n"
    "worksheet is empty (the output is then not written), 2 for a wrong command line.\n"
    "'xls2txt --version' prints the version.\n";

using Row = xls2txt::XlsWorkbook::Row;

// Reads the first worksheet of `input` into `rows`; false after a message.
bool readSheet(const std::string& input, std::vector<Row>& rows, std::string& sheetName)
{
    const std::string ext = platform::toLowerAscii(platform::extensionOf(input));
    std::string error;
    if (ext == ".xlsx" || ext == ".csv") {
        SpreadsheetFile file;
        std::vector<SpreadsheetRow> cells;
        if (file.Read(input, cells)) {
            for (auto& row : cells) {
                Row& texts = rows.emplace_back();
                for (auto& cell : row) {
                    texts.push_back(std::move(cell.text));
                }
            }
            sheetName = file.SheetName();
            return true;
        }
        error = file.Error();
    } else {
        xls2txt::XlsWorkbook book;
        if (book.open(input) && book.readFirstSheet(rows)) {
            sheetName = book.sheetName();
            return true;
        }
        error = book.error();
    }
    std::cerr << "xls2txt: "
              << platform::formatText(platform::toolText("cannot read \"%s\": %s"), input.c_str(),
                                      error.c_str())
              << '\n';
    return false;
}

int convert(const std::string& input, const std::string& output)
{
    std::vector<Row> rows;
    std::string sheetName;
    if (!readSheet(input, rows, sheetName)) {
        return 1;
    }
    const bool empty = std::all_of(rows.begin(), rows.end(), [](const auto& row) {
        return std::all_of(row.begin(), row.end(), [](const auto& cell) { return cell.empty(); });
    });
    if (empty) {
        std::cerr << "xls2txt: "
                  << (sheetName.empty()
                          ? platform::formatText(
                                platform::toolText(
                                    "\"%s\": the first worksheet is empty; nothing written"),
                                input.c_str())
                          : platform::formatText(
                                platform::toolText("\"%s\": the first worksheet \"%s\" is empty; "
                                                   "nothing written"),
                                input.c_str(), sheetName.c_str()))
                  << '\n';
        return 1;
    }
    // The importer counts language columns from the header, so short rows are padded
    // to its width; longer rows keep their extra cells.
    const std::size_t width = rows.empty() ? 0 : rows.front().size();
    xls2txt::Utf16TextFile file(output);
    bool ok = file.open();
    for (auto& row : rows) {
        if (!ok) {
            break;
        }
        if (row.size() < width) {
            row.resize(width);
        }
        for (auto& cell : row) {
            cell = strings::tabSafeCellText(cell);
        }
        ok = file.writeLine(row);
    }
    if (!ok || !file.commit()) {
        std::cerr << "xls2txt: " << file.error() << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string languageProblem;
    if (!platform::activateLanguageOption(args, languageProblem)) {
        std::cerr << "xls2txt: " << languageProblem << "\n\n" << kUsage;
        return 2;
    }
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << platform::versionLine("xls2txt") << '\n';
        return 0;
    }
    if (args.size() != 2) {
        std::cerr << "xls2txt: "
                  << platform::toolText(
                         "expected two arguments, the spreadsheet and the output file")
                  << "\n\n"
                  << kUsage;
        return 2;
    }
    return convert(args[0], args[1]);
}
