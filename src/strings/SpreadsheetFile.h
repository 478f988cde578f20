#pragma once

#include "strings/SpreadsheetCell.h"

#include <string>
#include <vector>

// Reads the first worksheet of a spreadsheet file in-process, by its extension (any
// letter case): ".xlsx" workbooks, ".csv" text (RFC 4180, UTF-8) and ".xls" workbooks
// of Excel 97 and later. Cells that a workbook holds as numbers, dates or booleans are
// marked as not text.
class SpreadsheetFile
{
public:
    // True for the extensions the spreadsheet route of the string import takes.
    static bool IsSpreadsheet(const std::string& path);

    // Reads `path` into `rows` (see SpreadsheetXlsxBook and SpreadsheetCsvTable for
    // the form). Returns false, `rows` empty, with Error() saying why, when the file
    // cannot be read, is damaged or is of another kind.
    bool Read(const std::string& path, std::vector<SpreadsheetRow>& rows);

    const std::string& SheetName() const { return m_sheetName; }
    const std::string& Error() const { return m_error; }

private:
    bool readXls(const std::string& bytes, std::vector<SpreadsheetRow>& rows);

    std::string m_sheetName;
    std::string m_error;
};
