#pragma once

#include "strings/SpreadsheetCell.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

struct zip;
class TiXmlDocument;
class TiXmlElement;

// An .xlsx workbook (a zip archive of XML parts) read from memory: the first worksheet's
// cells as text. The archive is read with libzip and every part with TinyXML; a part
// that is missing, damaged, larger than a sheet of strings can sensibly be, or that
// points outside the workbook is reported, never read in part.
class SpreadsheetXlsxBook
{
public:
    SpreadsheetXlsxBook() = default;
    ~SpreadsheetXlsxBook();
    SpreadsheetXlsxBook(const SpreadsheetXlsxBook&) = delete;
    SpreadsheetXlsxBook& operator=(const SpreadsheetXlsxBook&) = delete;

    // Reads the first worksheet of the workbook `bytes` into `rows`: one entry per row
    // up to the last row the sheet uses, rows without trailing empty cells. Shared and
    // inline strings are text; numbers are written as typed, booleans as TRUE or FALSE,
    // error values as shown, each marked as not text. Returns false, with `rows` empty
    // and Error() saying why, on any damage.
    bool ReadFirstSheet(std::string_view bytes, std::vector<SpreadsheetRow>& rows);

    const std::string& SheetName() const { return m_sheetName; }
    const std::string& Error() const { return m_error; }

private:
    bool fail(const std::string& what);
    bool open(std::string_view bytes);
    void close();
    bool readPart(const std::string& name, std::string& text);
    // Reads and parses the part `name`; false, with Error() set, when either fails.
    bool parsePart(const std::string& name, TiXmlDocument& document);
    bool findWorkbook(std::string& workbookPart);
    bool readRelationships(const std::string& part, std::map<std::string, std::string>& targets,
                           std::string& sharedStrings);
    bool readSharedStrings(const std::string& part);
    bool readSheet(const std::string& part, std::vector<SpreadsheetRow>& rows);
    bool readCell(const TiXmlElement& cell, SpreadsheetCell& out) const;

    zip* m_archive = nullptr;
    std::vector<std::string> m_shared;
    std::string m_sheetName;
    std::string m_error;
};
