#include "strings/SpreadsheetFile.h"

#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "strings/SpreadsheetBiffBook.h"
#include "strings/SpreadsheetCompoundFile.h"
#include "strings/SpreadsheetCsvTable.h"
#include "strings/SpreadsheetXlsxBook.h"

namespace {

std::string extension(const std::string& path)
{
    return platform::toLowerAscii(platform::extensionOf(path));
}

} // namespace

bool SpreadsheetFile::IsSpreadsheet(const std::string& path)
{
    const std::string ext = extension(path);
    return ext == ".xls" || ext == ".xlsx" || ext == ".csv";
}

bool SpreadsheetFile::Read(const std::string& path, std::vector<SpreadsheetRow>& rows)
{
    rows.clear();
    m_error.clear();
    m_sheetName.clear();
    std::error_code error;
    const std::optional<std::string> bytes = platform::readFile(path, &error);
    if (!bytes) {
        m_error = error.message();
        return false;
    }
    const std::string ext = extension(path);
    if (ext == ".xlsx") {
        SpreadsheetXlsxBook book;
        const bool ok = book.ReadFirstSheet(*bytes, rows);
        m_sheetName = book.SheetName();
        m_error = book.Error();
        return ok;
    }
    if (ext == ".csv") {
        SpreadsheetCsvTable table;
        const bool ok = table.Read(*bytes, rows);
        m_error = table.Error();
        return ok;
    }
    if (ext == ".xls") {
        return readXls(*bytes, rows);
    }
    m_error = "not a spreadsheet (.xls, .xlsx or .csv)";
    return false;
}

bool SpreadsheetFile::readXls(const std::string& bytes, std::vector<SpreadsheetRow>& rows)
{
    SpreadsheetCompoundFile container;
    std::string stream;
    if (!container.Open(bytes)) {
        m_error = container.Error();
        return false;
    }
    if (!container.HasStream("Workbook")) {
        m_error = "not a workbook of Excel 97 or later";
        return false;
    }
    if (!container.ReadStream("Workbook", stream)) {
        m_error = container.Error();
        return false;
    }
    SpreadsheetBiffBook book;
    std::vector<SpreadsheetBiffBook::Row> read;
    if (book.ReadFirstSheet(stream, read) != SpreadsheetBiffBook::Result::Read) {
        m_error = book.Error().empty() ? "not a workbook of Excel 97 or later" : book.Error();
        return false;
    }
    m_sheetName = book.SheetName();
    rows.reserve(read.size());
    for (auto& row : read) {
        SpreadsheetRow& cells = rows.emplace_back();
        for (auto& text : row) {
            cells.push_back({std::move(text), true});
        }
    }
    for (const auto& [row, column] : book.NotText()) {
        if (row < rows.size() && column < rows[row].size()) {
            rows[row][column].isText = false;
        }
    }
    return true;
}
