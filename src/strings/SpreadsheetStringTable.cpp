#include "strings/SpreadsheetStringTable.h"

#include "model/APStyleProject.h"
#include "model/StringRegistry.h"
#include "model/TextCut.h"
#include "platform/CodePage.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"
#include "strings/CTabFileReader.h"
#include "strings/CrConversion.h"
#include "strings/TableText.h"

namespace {

constexpr std::size_t kNameMax = StringRecord::kIdentifierMax;
constexpr std::size_t kLanguages = StringRecord::kLanguages;
// The percentage moves slowly: the position is looked at every so many lines.
constexpr unsigned kProgressEvery = 256;

std::string cellText(std::u16string_view cell)
{
    std::string text = platform::utf16ToUtf8(cell);
    const std::string_view trimmed = strings::trimBlanks(text);
    if (trimmed.size() != text.size()) {
        text = std::string(trimmed);
    }
    return text;
}

// Shows the reading progress in whole percent of the file's bytes.
class ReadProgress
{
public:
    explicit ReadProgress(CTabFileReader& file) : m_file(file), m_length(file.GetLength())
    {
        platform::ProgressReporter& progress = platform::interaction().progress();
        progress.setPhase(platform::uiText("读取多国语言字符串..."));
        progress.setRange(0, 100);
        progress.setPosition(0);
    }
    void lineDone()
    {
        if (++m_lines % kProgressEvery != 0 || m_length <= 0) {
            return;
        }
        const int percent = static_cast<int>(100 * m_file.GetPosition() / m_length);
        if (percent != m_percent) {
            m_percent = percent;
            platform::interaction().progress().setPosition(percent);
        }
    }

private:
    CTabFileReader& m_file;
    std::int64_t m_length;
    unsigned m_lines = 0;
    int m_percent = 0;
};

} // namespace

SpreadsheetStringTable::SpreadsheetStringTable(StringRegistry& list, int fileIndex,
                                               APStyleProject* project)
    : m_list(list), m_fileIndex(fileIndex), m_project(project)
{
}

std::uint32_t SpreadsheetStringTable::Import(const std::string& path, const std::string& shownName)
{
    CTabFileReader file;
    if (!file.OpenWithMessage(path)) {
        return 0;
    }
    ReadProgress progress(file);
    if (!file.ReadWideString(m_line) || !readHeader()) {
        platform::interaction().showMessage(platform::formatText(
            platform::uiText(
                "字符串表格式错误：%s\n第一行第一列必须是ResID、ResID([CR]:n)或ResID([CR]:t)，"
                "没有导入任何字符串。"),
            shownName.c_str()));
        return 0;
    }
    m_list.Clear();
    m_nextId = 1;
    m_nextSuffix.clear();
    while (file.ReadWideString(m_line)) {
        splitLine();
        const std::string first = cellText(m_cells.front());
        if (first == "[RESLAN]") {
            readLanguageNames();
        } else if (!first.empty()) {
            readRow(first);
        }
        progress.lineDone();
    }
    m_list.SetFirstNumber(1);
    m_list.SetLastNumber(m_nextId - 1);
    platform::interaction().progress().setPosition(100);
    return m_nextId;
}

void SpreadsheetStringTable::splitLine()
{
    m_cells.clear();
    const std::u16string_view line = m_line;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find(u'\t', start);
        m_cells.push_back(line.substr(start, tab - start));
        if (tab == std::u16string_view::npos) {
            return;
        }
        start = tab + 1;
    }
}

bool SpreadsheetStringTable::readHeader()
{
    splitLine();
    const std::string first = cellText(m_cells.front());
    if (first != "ResID" && first != "ResID([CR]:n)" && first != "ResID([CR]:t)") {
        return false;
    }
    if (first == "ResID([CR]:n)" && m_project != nullptr) {
        m_project->SetSpreadsheetFlag(1);
    }
    auto& titles = m_list.ColumnTitles();
    titles.fill({});
    m_languageColumns.clear();
    for (std::size_t column = 1; column < m_cells.size(); ++column) {
        std::string title = cellText(m_cells[column]);
        if (title.empty() || title == "Check" || title == "String" ||
            m_languageColumns.size() == kLanguages) {
            continue;
        }
        titles[m_languageColumns.size()] = std::move(title);
        m_languageColumns.push_back(column);
    }
    m_headerWidth = m_cells.size();
    return true;
}

std::ptrdiff_t SpreadsheetStringTable::languageColumn(std::size_t k, std::size_t width) const
{
    std::size_t column = 0;
    if (k < m_languageColumns.size()) {
        column = m_languageColumns[k];
    } else {
        // Cells beyond the header's width carry on the languages.
        column = m_headerWidth + (k - m_languageColumns.size());
    }
    return column < width ? static_cast<std::ptrdiff_t>(column) : -1;
}

void SpreadsheetStringTable::readLanguageNames()
{
    auto& names = m_list.LanguageNames();
    names.fill({});
    for (std::size_t k = 0; k < m_languageColumns.size(); ++k) {
        const std::ptrdiff_t column = languageColumn(k, m_cells.size());
        if (column >= 0) {
            names[k] = cellText(m_cells[static_cast<std::size_t>(column)]);
        }
    }
}

std::string SpreadsheetStringTable::uniqueName(const std::string& asRead)
{
    std::string name = model::CutText(asRead, kNameMax);
    if (m_list.Find(name) < 0) {
        return name;
    }
    // Names are only ever added during an import, so every counter below the one
    // remembered is taken already: starting there gives the same first free name.
    std::uint32_t& counter = m_nextSuffix[asRead];
    for (;; ++counter) {
        const std::string suffix = std::to_string(counter);
        name = model::CutText(asRead, kNameMax - suffix.size()) + suffix;
        if (m_list.Find(name) < 0) {
            ++counter;
            return name;
        }
    }
}

void SpreadsheetStringTable::readRow(const std::string& asRead)
{
    const std::string name = uniqueName(asRead);
    StringRecord& record = m_list.Append(m_nextId++, name);
    if (m_fileIndex >= 0) {
        m_list.SecondMap().Put(name, static_cast<std::uint32_t>(m_fileIndex));
    }
    std::size_t languages = 0;
    while (languages < kLanguages && languageColumn(languages, m_cells.size()) >= 0) {
        ++languages;
    }
    record.wideTexts.reserve(languages);
    record.displayTexts.reserve(languages);
    for (std::size_t k = 0; k < languages; ++k) {
        const auto column = static_cast<std::size_t>(languageColumn(k, m_cells.size()));
        const std::u16string_view cell = m_cells[column];
        record.wideTexts[k] = cell.empty() ? std::u16string_view(u"N/A") : cell;
        record.displayTexts[k] = record.wideTexts[k];
        strings::ReplaceCR(record.displayTexts[k], true);
    }
    record.textCount = static_cast<std::uint32_t>(languages);
}
