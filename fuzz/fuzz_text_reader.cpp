// Reads arbitrary files through CStdioFileEx. The first input byte picks the
// encoding: the process code page, code page 936, UTF-8 (65001) or UTF-16 LE.
// Lines must come back without line feeds, a peek must see what the next read
// gets, and UTF-16 lines must survive being written and read again.

#include "strings/CStdioFileEx.h"

#include "FuzzScratchFile.h"

#include <cstdlib>
#include <vector>

namespace {

const FuzzScratchFile& scratch()
{
    static const FuzzScratchFile file;
    return file;
}

const FuzzScratchFile& copyFile()
{
    static const FuzzScratchFile file;
    return file;
}

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void rewriteAndCompare(const std::vector<std::string>& lines)
{
    {
        CStdioFileEx out;
        check(out.Open(copyFile().path(), CStdioFileEx::modeCreate | CStdioFileEx::modeWrite |
                                              CStdioFileEx::modeWriteUnicode));
        for (const std::string& line : lines) {
            check(out.WriteString(line + "\r\n"));
        }
    }
    CStdioFileEx in;
    check(in.Open(copyFile().path(), CStdioFileEx::modeRead));
    std::string line;
    for (const std::string& expected : lines) {
        check(in.ReadString(line) && line == expected);
    }
    check(!in.ReadString(line));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    static const int kCodePages[] = {CStdioFileEx::kProcessCodePage, 936,
                                     CStdioFileEx::kUtf8CodePage, CStdioFileEx::kProcessCodePage};
    const int choice = data[0] % 4;
    const bool wide = choice == 3;
    CStdioFileEx file;
    file.SetCodePage(kCodePages[choice]);
    const std::uint32_t flags = wide ? CStdioFileEx::modeWriteUnicode : CStdioFileEx::modeRead;
    check(file.Open(scratch().hold(data + 1, size - 1), flags));

    std::vector<std::string> lines;
    std::string peeked;
    std::string line;
    for (std::size_t n = 0; file.ReadString(peeked, true); ++n) {
        check(n <= size);
        check(file.ReadString(line) && line == peeked);
        check(line.find('\n') == std::string::npos);
        lines.push_back(line);
    }
    check(peeked.empty());

    std::u16string wideLine;
    file.Seek(0, CStdioFileEx::begin);
    std::size_t wideLines = 0;
    while (file.ReadWideString(wideLine)) {
        check(wideLine.find(u'\n') == std::u16string::npos);
        ++wideLines;
    }
    check(wideLines == lines.size());

    if (wide) {
        rewriteAndCompare(lines);
    }
    return 0;
}
