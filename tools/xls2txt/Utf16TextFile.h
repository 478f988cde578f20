#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace xls2txt {

// A UTF-16 LE text file with a byte-order mark and CR LF line ends, written to a
// temporary file beside the target and renamed over it only by commit(), so that a
// failed run leaves no partial output and any earlier file as it was.
class Utf16TextFile
{
public:
    explicit Utf16TextFile(std::string target);
    ~Utf16TextFile(); // removes the temporary file unless committed
    Utf16TextFile(const Utf16TextFile&) = delete;
    Utf16TextFile& operator=(const Utf16TextFile&) = delete;

    // Creates the temporary file and writes the byte-order mark. Returns false and
    // sets error() on failure.
    bool open();
    // Writes the UTF-8 `cells` joined by tabs, then CR LF.
    bool writeLine(const std::vector<std::string>& cells);
    // Flushes, closes and renames the temporary file to the target.
    bool commit();

    const std::string& error() const { return m_error; }

private:
    bool write(const std::u16string& units);
    bool fail(const std::string& what);

    std::string m_target;
    std::string m_temporary;
    std::FILE* m_file = nullptr;
    std::string m_error;
};

// Returns `text` (UTF-8) as UTF-16; malformed bytes become U+FFFD.
std::u16string utf8ToUtf16(const std::string& text);

} // namespace xls2txt
