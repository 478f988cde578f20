#include "strings/StringTableDiff.h"

#include "model/APStyleProject.h"
#include "model/StringRegistry.h"
#include "model/TextCut.h"
#include "platform/FileSystem.h"
#include "strings/SpreadsheetFile.h"
#include "strings/StringTableExport.h"
#include "strings/StringTableImport.h"
#include "strings/TableText.h"

namespace {

constexpr int kLanguages = StringRecord::kLanguages;

} // namespace

StringTableDiff::StringTableDiff(const APStyleProject& project, std::string converter)
    : m_project(project), m_converter(std::move(converter))
{
}

bool StringTableDiff::LosesSomething() const
{
    return (m_replacesList && !m_vanished.empty()) || !m_emptied.empty() || !m_renamed.empty() ||
           !m_notText.empty() || !m_longRows.empty();
}

bool StringTableDiff::ChangesSomething() const
{
    return LosesSomething() || !m_added.empty() || !m_changed.empty() ||
           (m_replacesList && !m_vanished.empty());
}

std::string StringTableDiff::LanguageName(int slot) const
{
    const auto k = static_cast<std::size_t>(slot);
    return slot >= 0 && k < m_titles.size() ? m_titles[k] : "language " + std::to_string(slot);
}

bool StringTableDiff::Compare(const std::string& path)
{
    if (!platform::isFile(path)) {
        m_error = path + ": no such file";
        return false;
    }
    m_replacesList = SpreadsheetFile::IsSpreadsheet(path);
    StringRegistry file;
    StringTableImport import;
    import.SetConverter(m_converter);
    if (import.AddStringFile(file, path, 1) == 0 && m_replacesList) {
        m_error = path + ": the spreadsheet cannot be imported";
        return false;
    }
    const StringTableExport project(m_project);
    for (const int slot : project.Languages()) {
        m_titles.push_back(project.LanguageTitle(slot));
    }
    compareStrings(file);
    if (m_replacesList) {
        checkCells(path, file);
    } else {
        // A text file only adds the names the project lacks; the others stay as they are.
        m_changed.clear();
        m_emptied.clear();
        m_vanished.clear();
    }
    return true;
}

void StringTableDiff::CompareWith(const StringRegistry& after)
{
    m_replacesList = true;
    m_rereads = true;
    const StringTableExport project(m_project);
    m_titles.clear();
    for (const int slot : project.Languages()) {
        m_titles.push_back(project.LanguageTitle(slot));
    }
    compareStrings(after);
}

void StringTableDiff::compareStrings(const StringRegistry& file)
{
    const StringRegistry& strings = m_project.Strings();
    for (const StringRecord& record : file.Records()) {
        const int found = strings.Find(record.identifier);
        if (found < 0) {
            m_added.push_back(record.identifier);
            continue;
        }
        const StringRecord& before = strings.Records()[static_cast<std::size_t>(found)];
        for (int k = 0; k < kLanguages; ++k) {
            std::string was = StringTableExport::CellText(before, k);
            std::string now = StringTableExport::CellText(record, k);
            if (was == now) {
                continue;
            }
            auto& into = now.empty() ? m_emptied : m_changed;
            into.push_back({record.identifier, k, std::move(was), std::move(now)});
        }
    }
    for (const StringRecord& record : strings.Records()) {
        if (file.Find(record.identifier) < 0) {
            m_vanished.push_back(record.identifier);
        }
    }
}

void StringTableDiff::checkCells(const std::string& path, const StringRegistry& file)
{
    SpreadsheetFile sheet;
    std::vector<SpreadsheetRow> rows;
    if (!sheet.Read(path, rows)) {
        m_cellNote = "the cells could not be looked at: " + sheet.Error();
        return;
    }
    if (rows.empty()) {
        return;
    }
    const std::size_t headerWidth = rows.front().size();
    std::size_t named = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const SpreadsheetRow& row = rows[r];
        const int rowNumber = static_cast<int>(r + 1);
        if (row.size() > headerWidth) {
            m_longRows.push_back({rowNumber, static_cast<int>(row.size())});
        }
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (!row[c].isText) {
                m_notText.push_back({rowNumber, static_cast<int>(c + 1), row[c].text});
            }
        }
        if (r == 0 || row.empty()) {
            continue;
        }
        const std::string name(strings::trimBlanks(row.front().text));
        if (name.empty() || name == "[RESLAN]") {
            continue;
        }
        // The import gives the named rows their records in order.
        if (named < file.Records().size()) {
            const std::string& given = file.Records()[named].identifier;
            if (given != model::CutText(name, StringRecord::kIdentifierMax)) {
                m_renamed.push_back({rowNumber, name, given});
            }
        }
        ++named;
    }
}
