#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The workbook stream of an .xls file in the record format of Excel 97 and later:
// reads the first worksheet's cells as text. Strings longer than one record are read
// across their continuation records, where every piece of characters starts with its
// own width flag. Any record that runs past the stream, a string or cell that points
// outside what the workbook holds, or a sheet that does not start and end where the
// workbook says is reported as damage, never read as text.
class SpreadsheetBiffBook
{
public:
    using Row = std::vector<std::string>;

    enum class Result
    {
        Read,
        OlderFormat, // an Excel 5/95 workbook: another reader's job
        Failed,
    };

    // Reads the first worksheet of `stream` into `rows`: one entry per row up to the
    // last row the sheet uses, each cell as UTF-8 (numbers as typed, dates as
    // YYYY-MM-DD, times as HH:MM:SS, empty cells ""), rows without trailing empty cells.
    Result ReadFirstSheet(std::string_view stream, std::vector<Row>& rows);

    // The first worksheet's name, once found.
    const std::string& SheetName() const { return m_sheetName; }
    const std::string& Error() const { return m_error; }
    // The cells (row, column; zero-based) of the sheet read that hold numbers, dates,
    // booleans or numeric formula results rather than text.
    const std::vector<std::pair<std::uint32_t, std::uint32_t>>& NotText() const
    {
        return m_notText;
    }

private:
    struct Record
    {
        std::uint16_t type = 0;
        std::size_t offset = 0;
        std::string_view data;
    };

    Result fail(const std::string& what);
    bool splitRecords(std::string_view stream);
    bool readGlobals(std::size_t& sheetOffset);
    bool readSharedStrings(std::size_t first);
    bool readSheet(std::size_t first, std::vector<Row>& rows);
    // The record `first` and the continuation records after it.
    std::vector<std::string_view> continued(std::size_t first) const;
    std::string numberText(double value, std::uint16_t xf) const;

    std::vector<Record> m_records;
    std::vector<std::string> m_shared;
    std::vector<std::uint16_t> m_xfFormats;
    std::vector<std::pair<std::uint16_t, std::string>> m_formats;
    bool m_dates1904 = false;
    std::string m_sheetName;
    std::string m_error;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_notText;
};
