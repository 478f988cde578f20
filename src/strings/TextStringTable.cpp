#include "strings/TextStringTable.h"

#include "model/StringRegistry.h"
#include "model/TextCut.h"
#include "strings/CStdioFileEx.h"
#include "strings/TableText.h"

#include <algorithm>

namespace {

constexpr std::string_view kNameKey = "name=";
constexpr std::string_view kStringKey = "string=";
constexpr std::size_t kNameMax = 8;

} // namespace

TextStringTable::TextStringTable(StringRegistry& list, int fileIndex)
    : m_list(list), m_fileIndex(fileIndex)
{
}

std::uint32_t TextStringTable::Import(const std::string& path, std::uint32_t firstId)
{
    CStdioFileEx file;
    if (!file.Open(path, CStdioFileEx::modeRead)) {
        return m_list.LastNumber();
    }
    const bool wasEmpty = m_list.Empty();
    m_nextId = std::max(firstId, m_list.LastNumber() + 1);
    const std::uint32_t firstGiven = m_nextId;

    std::string line;
    m_haveLine = file.ReadString(line);
    while (m_haveLine) {
        const std::string_view text = strings::trimIndent(line);
        if (text.empty() || text.front() == '#' || text.find(kNameKey) == std::string_view::npos) {
            m_haveLine = file.ReadString(line);
            continue;
        }
        const std::string value(text.substr(std::min(text.size(), kNameKey.size())));
        // A block ends at the first line that is not one of its texts; that line is
        // left in `line` and looked at again here, so a name right after the last text
        // of the previous string starts the next block instead of being lost.
        if (value == "[RESLAN]") {
            readLanguageNames(file, line);
        } else {
            readString(file, line, value);
        }
    }

    if (wasEmpty) {
        m_list.SetFirstNumber(firstGiven);
    }
    m_list.SetLastNumber(m_nextId - 1);
    return m_nextId;
}

bool TextStringTable::nextTextLine(CStdioFileEx& file, std::string& line, std::string& text)
{
    m_haveLine = file.ReadString(line);
    if (!m_haveLine) {
        return false;
    }
    const std::string_view trimmed = strings::trimIndent(line);
    if (trimmed.find(kStringKey) == std::string_view::npos) {
        return false;
    }
    text.assign(trimmed.substr(std::min(trimmed.size(), kStringKey.size())));
    return true;
}

void TextStringTable::readLanguageNames(CStdioFileEx& file, std::string& line)
{
    auto& names = m_list.LanguageNames();
    std::size_t language = 0;
    std::string text;
    while (nextTextLine(file, line, text)) {
        if (language < names.size()) {
            names[language++] = std::move(text);
        }
    }
}

void TextStringTable::readString(CStdioFileEx& file, std::string& line, const std::string& name)
{
    // A name is a duplicate when it is in the list as read, or as cut: two records with
    // one identifier would define one symbol twice in the generated header. An empty
    // name (or one cut to nothing) could never be found.
    const std::string cut = model::CutText(name, kNameMax);
    const bool keep = !cut.empty() && m_list.Find(name) < 0 &&
                      (cut.size() == name.size() || m_list.Find(cut) < 0);
    std::size_t index = 0;
    if (keep) {
        index = m_list.Size();
        m_list.Append(m_nextId++, cut);
        if (m_fileIndex >= 0) {
            m_list.SecondMap().Put(cut, static_cast<std::uint32_t>(m_fileIndex));
        }
    }
    std::string text;
    while (nextTextLine(file, line, text)) {
        if (!keep) {
            continue; // the texts of a skipped duplicate go with it
        }
        StringRecord& record = m_list.Records()[index];
        if (record.textCount < StringRecord::kLanguages) {
            record.texts[record.textCount++] = std::move(text);
        }
    }
}
