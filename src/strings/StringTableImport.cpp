#include "strings/StringTableImport.h"

#include "model/StringRegistry.h"
#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"
#include "strings/CrConversion.h"
#include "strings/SpreadsheetConverter.h"
#include "strings/SpreadsheetFile.h"
#include "strings/SpreadsheetStringTable.h"
#include "strings/TextStringTable.h"

#include <algorithm>

namespace {

// Closes the progress display whichever way the import ends.
class ProgressScope
{
public:
    ~ProgressScope() { platform::interaction().progress().finish(); }
};

template <typename Texts>
bool anyText(const Texts& texts)
{
    return std::any_of(texts.begin(), texts.end(), [](const auto& t) { return !t.empty(); });
}

// Adds the strings of one file's list that `into` does not have yet; the language
// names the file gives replace those of the same slots, its column titles all titles.
void mergeInto(StringRegistry& into, const StringRegistry& from)
{
    for (const StringRecord& record : from.Records()) {
        if (into.Find(record.identifier) < 0) {
            StringRecord& copy = into.Append(record.number, record.identifier);
            copy = record;
        }
    }
    const auto& names = from.LanguageNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!names[i].empty()) {
            into.LanguageNames()[i] = names[i];
        }
    }
    if (anyText(from.ColumnTitles())) {
        into.ColumnTitles() = from.ColumnTitles();
    }
}

} // namespace

StringTableImport::StringTableImport(APStyleProject* project) : m_project(project) {}

std::uint32_t StringTableImport::AddStringFile(StringRegistry& list, const std::string& path,
                                               std::uint32_t firstId) const
{
    const std::string absolute = platform::isAbsolutePath(path)
                                     ? path
                                     : platform::joinPath(platform::currentDirectory(), path);
    const int fileIndex = list.TextFiles() != nullptr ? rememberFile(list, absolute) : -1;
    if (SpreadsheetFile::IsSpreadsheet(absolute)) {
        return ImportSpreadsheet(list, absolute, fileIndex);
    }
    return ImportText(list, absolute, firstId, fileIndex);
}

int StringTableImport::rememberFile(StringRegistry& list, const std::string& absolutePath) const
{
    // Stored like the project file's "txt" entries, so that the missing-strings check
    // finds the file again after the project is reopened.
    const std::string stored =
        m_project != nullptr ? m_project->StoredPicturePath(absolutePath) : absolutePath;
    std::vector<std::string>& files = *list.TextFiles();
    auto found = std::find(files.begin(), files.end(), stored);
    if (found == files.end()) {
        found = files.insert(files.end(), stored);
    }
    return static_cast<int>(found - files.begin());
}

std::uint32_t StringTableImport::ImportText(StringRegistry& list, const std::string& path,
                                            std::uint32_t firstId, int fileIndex) const
{
    return TextStringTable(list, fileIndex).Import(path, firstId);
}

std::uint32_t StringTableImport::ImportSpreadsheet(StringRegistry& list, const std::string& path,
                                                   int fileIndex) const
{
    if (!platform::isFile(path)) {
        platform::interaction().showMessage(
            platform::formatText(platform::uiText("%s： 路径不存在！"), path.c_str()));
        return 0;
    }
    ProgressScope scope;
    platform::interaction().progress().setPhase(platform::uiText("解释excel文件..."));
    SpreadsheetConverter converter(m_converter);
    if (!converter.Convert(path)) {
        platform::interaction().showMessage(converter.Error(), {}, platform::MessageIcon::Error);
        return 0;
    }
    return importConverted(list, converter.OutputPath(), path, fileIndex);
}

std::uint32_t StringTableImport::ImportConverted(StringRegistry& list, const std::string& path,
                                                 int fileIndex) const
{
    return importConverted(list, path, path, fileIndex);
}

std::uint32_t StringTableImport::importConverted(StringRegistry& list, const std::string& path,
                                                 const std::string& shownName, int fileIndex) const
{
    ProgressScope scope;
    return SpreadsheetStringTable(list, fileIndex, m_project).Import(path, shownName);
}

int StringTableImport::ReplaceCR(std::u16string& text, bool forceLineFeed) const
{
    const bool lineFeed =
        forceLineFeed || (m_project != nullptr && m_project->SpreadsheetFlag() == 1);
    return strings::ReplaceCR(text, lineFeed);
}

StringFileImporter StringTableImport::ScratchImporter() const
{
    const StringTableImport importer = *this;
    return [importer](StringRegistry& scratch, const std::string& path, std::uint32_t firstId) {
        StringRegistry single;
        const std::uint32_t next = importer.AddStringFile(single, path, firstId);
        mergeInto(scratch, single);
        return std::max(next, firstId);
    };
}

void StringTableImport::MarkMissingStrings(APStyleProject& project)
{
    project.MarkMissingStrings(StringTableImport(&project).ScratchImporter());
}
