#include "generate/ProjectDesktopFile.h"

#include "model/APStyleProject.h"

#include <algorithm>

namespace generate {

std::optional<std::vector<LanguageText>>
ProjectDesktopFile::stringTexts(const APStyleProject& project, const std::string& identifier)
{
    const StringRegistry& strings = project.Strings();
    const int index = strings.Find(identifier);
    if (index < 0) {
        return std::nullopt;
    }
    const StringRecord& record = strings.Records()[static_cast<std::size_t>(index)];
    const std::size_t languages = std::min<std::size_t>(record.textCount, StringRecord::kLanguages);
    std::vector<LanguageText> texts(languages);
    for (std::size_t j = 0; j < languages; ++j) {
        // Spreadsheet strings hold UTF-16 texts; text tables narrow ones.
        texts[j].isWide = !record.wideTexts[j].empty();
        texts[j].wide = record.wideTexts[j];
        texts[j].narrow = record.texts[j];
    }
    return texts;
}

DesktopEntryWriter ProjectDesktopFile::writerFor(const APStyleProject& project)
{
    return DesktopEntryWriter(
        project.Strings().NamedLanguages(), project.SpreadsheetFlag() == 1,
        [&project](const std::string& identifier) { return stringTexts(project, identifier); });
}

bool ProjectDesktopFile::write(const APStyleProject& project)
{
    return writerFor(project).write(project.Desktop());
}

bool ProjectDesktopFile::writeAndReport(const APStyleProject& project)
{
    return writerFor(project).writeAndReport(project.Desktop());
}

} // namespace generate
