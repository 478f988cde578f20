#include "strings/SpreadsheetCsvTable.h"

#include "platform/CodePage.h"

namespace {

void dropTrailingEmpty(SpreadsheetRow& row)
{
    while (!row.empty() && row.back().text.empty()) {
        row.pop_back();
    }
}

} // namespace

bool SpreadsheetCsvTable::fail(const std::string& what, std::size_t line)
{
    m_error = "line " + std::to_string(line) + ": " + what;
    return false;
}

bool SpreadsheetCsvTable::Read(std::string_view bytes, std::vector<SpreadsheetRow>& rows)
{
    rows.clear();
    m_error.clear();
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
    }
    if (!platform::isValidUtf8(bytes)) {
        return fail("the text is not UTF-8", 1);
    }
    std::vector<SpreadsheetRow> read;
    SpreadsheetRow row;
    std::string field;
    std::size_t line = 1;
    std::size_t i = 0;
    bool endOfRecord = false;
    while (i < bytes.size()) {
        field.clear();
        if (bytes[i] == '"') {
            const std::size_t openedOn = line;
            ++i;
            for (;;) {
                if (i >= bytes.size()) {
                    rows.clear();
                    return fail("a quoted field opened here is never closed", openedOn);
                }
                const char c = bytes[i++];
                if (c == '"') {
                    if (i < bytes.size() && bytes[i] == '"') {
                        field += '"';
                        ++i;
                        continue;
                    }
                    break;
                }
                if (c == '\n' || (c == '\r' && (i >= bytes.size() || bytes[i] != '\n'))) {
                    ++line;
                }
                field += c;
            }
            if (i < bytes.size() && bytes[i] != ',' && bytes[i] != '\r' && bytes[i] != '\n') {
                return fail("a closing quote is followed by text instead of a comma", line);
            }
        } else {
            while (i < bytes.size() && bytes[i] != ',' && bytes[i] != '\r' && bytes[i] != '\n') {
                field += bytes[i++];
            }
        }
        row.push_back({field, true});
        endOfRecord = i >= bytes.size() || bytes[i] != ',';
        if (i < bytes.size()) {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
            ++i;
        }
        if (endOfRecord) {
            dropTrailingEmpty(row);
            read.push_back(std::move(row));
            row.clear();
            ++line;
        }
    }
    if (!endOfRecord && !bytes.empty()) {
        // The text ended right after a comma: one more, empty, field.
        dropTrailingEmpty(row);
        read.push_back(std::move(row));
    }
    rows = std::move(read);
    return true;
}
