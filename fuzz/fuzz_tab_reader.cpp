// Reads arbitrary files through the tab-separated reader, as the spreadsheet import
// does with the converter's output: narrow cells are trimmed and never empty, and
// CountLines agrees with the number of lines ReadLine hands out.

#include "strings/CTabFileReader.h"

#include "FuzzScratchFile.h"

#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzScratchFile scratch;
    CTabFileReader reader;
    check(reader.OpenWithMessage(scratch.hold(data, size)));
    const int expected = reader.CountLines();
    check(expected >= 0 && static_cast<std::size_t>(expected) <= size);

    int lines = 0;
    while (reader.ReadLine()) {
        ++lines;
        check(lines <= expected);
        for (const std::string& cell : reader.NarrowCells()) {
            check(!cell.empty() && cell.find('\t') == std::string::npos);
            check(cell.front() != ' ' && cell.back() != ' ');
        }
        check(!reader.WideCells().empty());
        for (const std::u16string& cell : reader.WideCells()) {
            check(cell.find(u'\t') == std::u16string::npos);
        }
    }
    check(lines == expected);
    return 0;
}
