#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class APStyleProject;
class StringRegistry;

// The spreadsheet route of the string table import, after conversion: reads the
// converter's tab-separated UTF-16 text (header row first) into the list, replacing what
// it held. Fills the wide texts and their display copies ("[CR]" made a line feed).
class SpreadsheetStringTable
{
public:
    // `list` receives the strings; `fileIndex` is the index of the spreadsheet in the
    // list's text file list (second map), or -1; `project` (may be null) receives the
    // "[CR]" line-feed flag from a "ResID([CR]:n)" header.
    SpreadsheetStringTable(StringRegistry& list, int fileIndex, APStyleProject* project);

    // Imports the converted file at `path`; `shownName` names the table in messages.
    // Returns the next free id, or 0 after a message when the file cannot be opened or
    // has no valid header; the list is then left as it was.
    std::uint32_t Import(const std::string& path, const std::string& shownName);

private:
    bool readHeader();
    void readLanguageNames();
    // Appends the row named `asRead` (trimmed, not empty) with its texts.
    void readRow(const std::string& asRead);
    // Fills m_cells with the tab-separated cells of m_line.
    void splitLine();
    // The column that holds language `k` of a row with `width` cells, or -1.
    std::ptrdiff_t languageColumn(std::size_t k, std::size_t width) const;
    std::string uniqueName(const std::string& asRead);

    StringRegistry& m_list;
    int m_fileIndex;
    APStyleProject* m_project;
    std::uint32_t m_nextId = 1;
    std::u16string m_line;
    std::vector<std::u16string_view> m_cells;
    // Header columns that hold languages, in order; columns past the header's width
    // follow as further languages.
    std::vector<std::size_t> m_languageColumns;
    std::size_t m_headerWidth = 0;
    // First counter worth trying for a repeated name: earlier ones are all taken.
    std::unordered_map<std::string, std::uint32_t> m_nextSuffix;
};
