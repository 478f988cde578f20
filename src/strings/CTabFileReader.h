#pragma once

#include "strings/CStdioFileEx.h"

#include <string>
#include <vector>

// Reads a tab-separated text file (the spreadsheet converter's output) line by line,
// handing each line out twice: as trimmed narrow cells and as UTF-16 cells.
class CTabFileReader : public CStdioFileEx
{
public:
    // Opens `path` for reading (`flags` as for Open). On failure shows
    // "打开文件失败<path>失败，错误代码：<code>" and returns false.
    bool OpenWithMessage(const std::string& path, std::uint32_t flags = modeRead);

    // Reads the next line into NarrowCells() and WideCells(). Returns false at the end
    // of the file.
    bool ReadLine();

    // Returns the number of lines in the file and leaves the position at 0.
    int CountLines();

    // The cells of the last line read, split at tabs, each trimmed on both sides;
    // empty cells are dropped, so indexes need not match the columns.
    const std::vector<std::string>& NarrowCells() const { return m_narrowCells; }
    // The same line as UTF-16, split at tabs: one cell per column, empty ones kept.
    const std::vector<std::u16string>& WideCells() const { return m_wideCells; }

private:
    std::vector<std::string> m_narrowCells;
    std::vector<std::u16string> m_wideCells;
};
