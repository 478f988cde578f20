#pragma once

#include "platform/SaveFile.h"

#include <string>
#include <vector>

namespace xls2txt {

// A UTF-16 LE text file with a byte-order mark and CR LF line ends. The target is
// replaced only by commit(), so a failed run leaves no partial output and any earlier
// file as it was.
class Utf16TextFile
{
public:
    explicit Utf16TextFile(std::string target) : m_file(std::move(target)) {}

    // Creates the temporary file beside the target and writes the byte-order mark.
    bool open();
    // Writes the UTF-8 `cells` joined by tabs, then CR LF.
    bool writeLine(const std::vector<std::string>& cells);
    // Renames the finished file over the target.
    bool commit();

    // Returns why the last call failed.
    const std::string& error() const { return m_error; }

private:
    bool check(bool ok, const std::string& what);

    platform::SaveFile m_file;
    std::string m_error;
};

} // namespace xls2txt
