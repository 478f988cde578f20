#pragma once

#include <string>
#include <vector>

// Writes a table of UTF-8 texts as a spreadsheet file: ".xlsx" through libxlsxwriter
// (the first row bold and frozen, texts wrapped at their line breaks) or ".csv" as
// RFC 4180 text in UTF-8 with a byte-order mark (which spreadsheet programs need to
// tell UTF-8), CR LF between records. The target is replaced only when the whole file
// was written.
class SpreadsheetWriter
{
public:
    using Table = std::vector<std::vector<std::string>>;

    // The RFC 4180 text of `table`: fields with a comma, a quote or a line break are
    // quoted, quotes doubled.
    static std::string CsvText(const Table& table);

    // Writes `table` to `path`, the form chosen by its extension (any letter case).
    // Returns false with Error() set when the extension is neither, a text is too long
    // for a cell, or the file cannot be written.
    bool Write(const Table& table, const std::string& path);

    const std::string& Error() const { return m_error; }

private:
    bool writeXlsx(const Table& table, const std::string& path);

    std::string m_error;
};
