#pragma once

#include "strings/SpreadsheetCell.h"

#include <string>
#include <string_view>
#include <vector>

// Reads comma-separated text as RFC 4180 describes it, in UTF-8 (an optional byte-order
// mark is skipped): fields separated by commas, records by CR LF, LF or CR; a field in
// double quotes may hold commas, line breaks and doubled quotes. Every cell is text.
class SpreadsheetCsvTable
{
public:
    // Reads `bytes` into `rows`, one entry per record, trailing empty cells dropped.
    // Returns false, with `rows` empty and Error() saying where, when the text is not
    // UTF-8, a quoted field is never closed, or a closing quote is followed by anything
    // but a comma or a line break.
    bool Read(std::string_view bytes, std::vector<SpreadsheetRow>& rows);

    const std::string& Error() const { return m_error; }

private:
    bool fail(const std::string& what, std::size_t line);

    std::string m_error;
};
