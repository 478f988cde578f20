#include "XlsWorkbook.h"

#include "platform/FileSystem.h"
#include "platform/UiText.h"
#include "strings/SpreadsheetBiffBook.h"
#include "strings/SpreadsheetCellText.h"
#include "strings/SpreadsheetCompoundFile.h"

#include <freexl.h>

namespace xls2txt {
namespace {

std::string describe(int code)
{
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return platform::toolText("the file does not exist or cannot be read");
    case FREEXL_INSUFFICIENT_MEMORY:
        return platform::toolText("not enough memory");
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
        return platform::toolText("not an .xls workbook");
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return platform::toolText("the file holds no workbook");
    case FREEXL_UNSUPPORTED_CHARSET:
    case FREEXL_INVALID_CHARACTER:
        return platform::toolText("the workbook's text encoding cannot be read");
    case FREEXL_CRAFTED_FILE:
        return platform::toolText("the workbook is damaged beyond reading");
    default:
        return platform::formatText(
            platform::toolText("the workbook is damaged or not an .xls file (FreeXL error %d)"),
            code);
    }
}

} // namespace

XlsWorkbook::~XlsWorkbook()
{
    if (m_handle != nullptr) {
        freexl_close(m_handle);
    }
}

bool XlsWorkbook::fail(const std::string& what, int code)
{
    m_error = what.empty() ? describe(code) : what;
    return false;
}

bool XlsWorkbook::open(const std::string& path)
{
    std::error_code error;
    const std::optional<std::string> bytes = platform::readFile(path, &error);
    if (!bytes) {
        return fail(error.message(), 0);
    }
    SpreadsheetCompoundFile container;
    if (!container.Open(*bytes)) {
        return fail(container.Error(), 0);
    }
    // Excel 97 and later name the stream "Workbook", Excel 5 and 95 "Book".
    if (container.HasStream("Workbook")) {
        std::string stream;
        if (!container.ReadStream("Workbook", stream)) {
            return fail(container.Error(), 0);
        }
        SpreadsheetBiffBook book;
        const SpreadsheetBiffBook::Result result = book.ReadFirstSheet(stream, m_rows);
        if (result == SpreadsheetBiffBook::Result::Failed) {
            return fail(book.Error(), 0);
        }
        if (result == SpreadsheetBiffBook::Result::Read) {
            m_sheetName = book.SheetName();
            m_read = true;
            return true;
        }
    } else if (!container.HasStream("Book")) {
        return fail("the file holds no workbook", 0);
    }
    return openOlder(path);
}

bool XlsWorkbook::openOlder(const std::string& path)
{
    const void* handle = nullptr;
    const int rc = freexl_open(path.c_str(), &handle);
    m_handle = handle; // FreeXL wants a close even after a failed open
    if (rc != FREEXL_OK) {
        return fail({}, rc);
    }
    unsigned int password = 0;
    if (freexl_get_info(m_handle, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
        password == FREEXL_BIFF_OBFUSCATED) {
        return fail("the workbook is password-protected", 0);
    }
    return true;
}

bool XlsWorkbook::cellAsText(unsigned int row, unsigned short column, std::string& text)
{
    FreeXL_CellValue value;
    const int rc = freexl_get_cell_value(m_handle, row, column, &value);
    if (rc != FREEXL_OK) {
        return fail({}, rc);
    }
    switch (value.type) {
    case FREEXL_CELL_INT:
        text = std::to_string(value.value.int_value);
        break;
    case FREEXL_CELL_DOUBLE:
        text = strings::formatNumber(value.value.double_value);
        break;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        text = value.value.text_value != nullptr ? value.value.text_value : "";
        break;
    default:
        text.clear();
        break;
    }
    return true;
}

bool XlsWorkbook::readFirstSheet(std::vector<Row>& rows)
{
    if (m_read) {
        rows = std::move(m_rows);
        return true;
    }
    rows.clear();
    unsigned int sheets = 0;
    if (freexl_get_info(m_handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets == 0) {
        return fail("the workbook has no worksheet", 0);
    }
    int rc = freexl_select_active_worksheet(m_handle, 0);
    unsigned int rowCount = 0;
    unsigned short columnCount = 0;
    if (rc == FREEXL_OK) {
        rc = freexl_worksheet_dimensions(m_handle, &rowCount, &columnCount);
    }
    if (rc != FREEXL_OK) {
        return fail({}, rc);
    }
    rows.resize(rowCount);
    for (unsigned int r = 0; r < rowCount; ++r) {
        Row& row = rows[r];
        row.resize(columnCount);
        for (unsigned short c = 0; c < columnCount; ++c) {
            if (!cellAsText(r, c, row[c])) {
                return false;
            }
        }
        while (!row.empty() && row.back().empty()) {
            row.pop_back();
        }
    }
    return true;
}

} // namespace xls2txt
