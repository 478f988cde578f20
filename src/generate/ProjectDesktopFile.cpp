#include "generate/ProjectDesktopFile.h"

#include "model/APStyleProject.h"

#include <algorithm>

namespace generate {

DesktopEntrySettings ProjectDesktopFile::settingsOf(const APStyleProject& project)
{
    const DesktopSettings& desktop = project.Desktop();
    DesktopEntrySettings settings;
    settings.create = desktop.create;
    settings.path = desktop.path;
    settings.comment = desktop.comment;
    settings.execDir = desktop.execDir;
    settings.type = desktop.type;
    settings.child = desktop.child;
    settings.exec = desktop.exec;
    settings.iconId = desktop.iconId;
    settings.icon = desktop.icon;
    settings.nameId = desktop.nameId;
    settings.name = desktop.name;
    settings.nameStringId = desktop.nameStringId;
    return settings;
}

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

std::vector<std::string> ProjectDesktopFile::languageNames(const APStyleProject& project)
{
    std::vector<std::string> names;
    for (const std::string& name : project.Strings().LanguageNames()) {
        if (name.empty()) {
            break;
        }
        names.push_back(name);
    }
    return names;
}

DesktopEntryWriter ProjectDesktopFile::writerFor(const APStyleProject& project)
{
    return DesktopEntryWriter(
        languageNames(project), project.SpreadsheetFlag() == 1,
        [&project](const std::string& identifier) { return stringTexts(project, identifier); });
}

bool ProjectDesktopFile::write(const APStyleProject& project)
{
    return writerFor(project).write(settingsOf(project));
}

bool ProjectDesktopFile::writeAndReport(const APStyleProject& project)
{
    return writerFor(project).writeAndReport(settingsOf(project));
}

} // namespace generate
