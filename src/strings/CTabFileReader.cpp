#include "strings/CTabFileReader.h"

#include "platform/UiText.h"
#include "platform/UserInteraction.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string trimmed(const std::string& text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first])) {
        ++first;
    }
    while (last > first && isBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

template <typename String>
std::vector<String> splitAtTabs(const String& line)
{
    std::vector<String> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find(typename String::value_type('\t'), start);
        cells.push_back(line.substr(start, tab - start));
        if (tab == String::npos) {
            return cells;
        }
        start = tab + 1;
    }
}

} // namespace

bool CTabFileReader::OpenWithMessage(const std::string& path, std::uint32_t flags)
{
    int error = 0;
    if (Open(path, flags, &error)) {
        return true;
    }
    platform::interaction().showMessage(
        platform::formatText(platform::uiText("打开文件失败%s失败，错误代码：%d"), path.c_str(),
                             error),
        {}, platform::MessageIcon::Error);
    return false;
}

bool CTabFileReader::ReadLine()
{
    m_narrowCells.clear();
    m_wideCells.clear();
    std::string narrow;
    if (!ReadString(narrow, true)) {
        return false;
    }
    std::u16string wide;
    ReadWideString(wide);
    m_wideCells = splitAtTabs(wide);
    for (const std::string& cell : splitAtTabs(narrow)) {
        std::string text = trimmed(cell);
        if (!text.empty()) {
            m_narrowCells.push_back(std::move(text));
        }
    }
    return true;
}

int CTabFileReader::CountLines()
{
    Seek(0, begin);
    int lines = 0;
    std::string line;
    while (ReadString(line)) {
        ++lines;
    }
    Seek(0, begin);
    return lines;
}
