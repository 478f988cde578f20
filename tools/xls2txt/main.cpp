// xls2txt SPREADSHEET OUTPUT
//
// Converts the first worksheet of an .xls workbook into the tab-separated text that
// the string table import reads: UTF-16 LE with a byte-order mark, one CR LF line per
// row, header row first.

#include "Utf16TextFile.h"
#include "XlsWorkbook.h"

#include "strings/SpreadsheetCellText.h"

#include <algorithm>
#include <cstring>
#include <iostream>

namespace {

const char* const kUsage =
    "Usage: xls2txt SPREADSHEET OUTPUT\n"
    "\n"
    "Converts the first worksheet of an .xls workbook (BIFF5 or BIFF8) into a\n"
    "tab-separated text file: UTF-16 LE with a byte-order mark, one line per row\n"
    "ended by CR LF, the header row first. Line breaks inside a cell become \"[CR]\",\n"
    "tabs become spaces; every row keeps its cells up to the header row's width.\n"
    "\n"
    "Long texts are read across the records they are split into. A damaged workbook\n"
    "is reported, never converted in part; so is a first worksheet without any cell.\n"
    "\n"
    "Exit status: 0 on success, 1 when the workbook cannot be converted or its first\n"
    "worksheet is empty (the output is then not written), 2 for a wrong command line.\n";

int convert(const std::string& input, const std::string& output)
{
    xls2txt::XlsWorkbook book;
    std::vector<xls2txt::XlsWorkbook::Row> rows;
    if (!book.open(input) || !book.readFirstSheet(rows)) {
        std::cerr << "xls2txt: cannot read \"" << input << "\": " << book.error() << '\n';
        return 1;
    }
    const bool empty = std::all_of(rows.begin(), rows.end(), [](const auto& row) {
        return std::all_of(row.begin(), row.end(), [](const auto& cell) { return cell.empty(); });
    });
    if (empty) {
        const std::string name = book.sheetName().empty() ? "" : " \"" + book.sheetName() + "\"";
        std::cerr << "xls2txt: \"" << input << "\": the first worksheet" << name
                  << " is empty; nothing written\n";
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
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << kUsage;
            return 0;
        }
    }
    if (argc != 3) {
        std::cerr << "xls2txt: expected two arguments, the spreadsheet and the output file\n\n"
                  << kUsage;
        return 2;
    }
    return convert(argv[1], argv[2]);
}
