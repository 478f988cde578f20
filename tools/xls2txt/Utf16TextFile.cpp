#include "Utf16TextFile.h"

#include "platform/CodePage.h"
#include "platform/UiText.h"

namespace xls2txt {
namespace {

std::string utf16Le(const std::u16string& units)
{
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (const char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

} // namespace

bool Utf16TextFile::check(bool ok, const std::string& what)
{
    if (!ok) {
        m_error = platform::formatText(
            platform::toolText("%s \"%s\": %s"), platform::toolText(what.c_str()),
            m_file.targetPath().c_str(), m_file.error().message().c_str());
    }
    return ok;
}

bool Utf16TextFile::open()
{
    return check(m_file.open(), N_TOOL("cannot create a file beside")) &&
           check(m_file.write("\xFF\xFE"), N_TOOL("cannot write"));
}

bool Utf16TextFile::writeLine(const std::vector<std::string>& cells)
{
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) {
            line += '\t';
        }
        line += cells[i];
    }
    line += "\r\n";
    return check(m_file.write(utf16Le(platform::utf8ToUtf16(line))), N_TOOL("cannot write"));
}

bool Utf16TextFile::commit()
{
    return check(m_file.commit(), N_TOOL("cannot replace"));
}

} // namespace xls2txt
