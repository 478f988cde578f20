#include "strings/SpreadsheetWriter.h"

#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"

#include <xlsxwriter.h>

#include <algorithm>

namespace {

// The most characters a cell of a workbook holds.
constexpr std::size_t kCellMax = 32767;

std::size_t characters(const std::string& utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

// Deletes a scratch file when the export is done with it.
class ScratchFile
{
public:
    explicit ScratchFile(std::string path) : m_path(std::move(path)) {}
    ~ScratchFile()
    {
        if (!m_path.empty()) {
            platform::removeFile(m_path);
        }
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace

std::string SpreadsheetWriter::CsvText(const Table& table)
{
    std::string text = "\xEF\xBB\xBF";
    for (const auto& row : table) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) {
                text += ',';
            }
            text += csvField(row[i]);
        }
        text += "\r\n";
    }
    return text;
}

bool SpreadsheetWriter::Write(const Table& table, const std::string& path)
{
    m_error.clear();
    const std::string ext = platform::toLowerAscii(platform::extensionOf(path));
    if (ext == ".xlsx") {
        return writeXlsx(table, path);
    }
    if (ext != ".csv") {
        m_error = "the output must be an .xlsx or a .csv file: " + path;
        return false;
    }
    std::error_code error;
    if (!platform::writeFileAtomically(path, CsvText(table), &error)) {
        m_error = "cannot write " + path + ": " + error.message();
        return false;
    }
    return true;
}

bool SpreadsheetWriter::writeXlsx(const Table& table, const std::string& path)
{
    for (const auto& row : table) {
        for (const std::string& text : row) {
            if (characters(text) > kCellMax) {
                m_error = "a text of " + std::to_string(characters(text)) +
                          " characters does not fit a workbook cell (at most 32767)";
                return false;
            }
        }
    }
    // The library writes to a path of its own choosing; the result is then copied over
    // the target in one step.
    const ScratchFile scratch(platform::uniqueTemporaryFilePath("skinsmith-export", ".xlsx"));
    if (scratch.path().empty()) {
        m_error = "cannot create a temporary file";
        return false;
    }
    lxw_workbook* book = workbook_new(scratch.path().c_str());
    if (book == nullptr) {
        m_error = "cannot create the workbook";
        return false;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Strings");
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format* wrapped = workbook_add_format(book);
    format_set_text_wrap(wrapped);
    format_set_align(wrapped, LXW_ALIGN_VERTICAL_TOP);
    lxw_error status = LXW_NO_ERROR;
    std::size_t columns = 0;
    for (std::size_t r = 0; r < table.size() && status == LXW_NO_ERROR; ++r) {
        columns = std::max(columns, table[r].size());
        for (std::size_t c = 0; c < table[r].size() && status == LXW_NO_ERROR; ++c) {
            const std::string& text = table[r][c];
            if (text.empty()) {
                continue;
            }
            status =
                worksheet_write_string(sheet, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c),
                                       text.c_str(), r == 0 ? bold : wrapped);
        }
    }
    if (status == LXW_NO_ERROR && columns > 0) {
        worksheet_set_column(sheet, 0, 0, 24, nullptr);
        worksheet_set_column(sheet, 1, static_cast<lxw_col_t>(columns - 1), 30, nullptr);
        worksheet_freeze_panes(sheet, 2, 1);
    }
    const lxw_error closed = workbook_close(book);
    if (status == LXW_NO_ERROR) {
        status = closed;
    }
    if (status != LXW_NO_ERROR) {
        m_error = std::string("cannot write the workbook: ") + lxw_strerror(status);
        return false;
    }
    std::error_code error;
    const std::optional<std::string> bytes = platform::readFile(scratch.path(), &error);
    if (!bytes || !platform::writeFileAtomically(path, *bytes, &error)) {
        m_error = "cannot write " + path + ": " + error.message();
        return false;
    }
    return true;
}
