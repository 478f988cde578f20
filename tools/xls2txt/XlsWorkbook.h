#pragma once

#include <string>
#include <vector>

namespace xls2txt {

// An .xls workbook (BIFF5 or BIFF8) opened read-only through FreeXL.
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

    const std::string& error() const { return m_error; }

private:
    bool fail(const std::string& what, int code);
    bool cellAsText(unsigned int row, unsigned short column, std::string& text);

    const void* m_handle = nullptr;
    std::string m_error;
};

} // namespace xls2txt
