#pragma once

#include <string>
#include <vector>

namespace xls2txt {

// An .xls workbook opened read-only. Workbooks of Excel 97 and later are read by our
// own record reader, which follows long strings across continuation records and stops
// at damage; FreeXL reads neither correctly. Excel 5/95 workbooks, whose texts are
// single records in a code page, are read through FreeXL.
class XlsWorkbook
{
public:
    using Row = std::vector<std::string>;

    XlsWorkbook() = default;
    ~XlsWorkbook();
    XlsWorkbook(const XlsWorkbook&) = delete;
    XlsWorkbook& operator=(const XlsWorkbook&) = delete;

    // Opens `path`. Returns false and sets error() when the file is missing, not a
    // workbook, damaged or password-protected.
    bool open(const std::string& path);

    // Reads the first worksheet into `rows`: one entry per row, each cell as UTF-8
    // text (numbers formatted, empty cells as ""), rows without trailing empty cells.
    // Returns false and sets error() on failure.
    bool readFirstSheet(std::vector<Row>& rows);

    // The first worksheet's name, when known.
    const std::string& sheetName() const { return m_sheetName; }
    const std::string& error() const { return m_error; }

private:
    bool fail(const std::string& what, int code);
    bool openOlder(const std::string& path);
    bool cellAsText(unsigned int row, unsigned short column, std::string& text);

    const void* m_handle = nullptr;
    bool m_read = false; // m_rows holds the first sheet, read without FreeXL
    std::vector<Row> m_rows;
    std::string m_sheetName;
    std::string m_error;
};

} // namespace xls2txt
