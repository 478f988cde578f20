#pragma once

#include <cstdint>
#include <string>

class CStdioFileEx;
class StringRegistry;

// The text route of the string table import: a file of "name=" lines, each followed by
// one "string=" line per language, and an optional "name=[RESLAN]" block that names the
// languages. Fills the narrow texts of the records it appends.
class TextStringTable
{
public:
    // `list` receives the strings; `fileIndex` is the index of the file in the list's text
    // file list, entered in the list's second map for every name, or -1 for none.
    TextStringTable(StringRegistry& list, int fileIndex);

    // Imports the file at `path` with ids from max(`firstId`, last id + 1) on. Returns the
    // next free id; the list's last id unchanged when the file cannot be opened.
    std::uint32_t Import(const std::string& path, std::uint32_t firstId);

private:
    // Each reads its block's text lines and leaves the line that ends it in `line`
    // (m_haveLine false at the end of the file).
    void readLanguageNames(CStdioFileEx& file, std::string& line);
    void readString(CStdioFileEx& file, std::string& line, const std::string& name);
    // Reads the next line; returns true and its text when it is a "string=" line.
    bool nextTextLine(CStdioFileEx& file, std::string& line, std::string& text);

    StringRegistry& m_list;
    int m_fileIndex;
    std::uint32_t m_nextId = 0;
    bool m_haveLine = false;
};
