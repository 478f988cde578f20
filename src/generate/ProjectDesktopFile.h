#pragma once

#include "generate/DesktopEntryWriter.h"

#include <optional>
#include <string>
#include <vector>

class APStyleProject;

namespace generate {

// The desktop entry file of a project: its desktop settings, the texts of the string
// resource that names the application in every language, and the project's languages and
// line-break mode, handed to DesktopEntryWriter.
class ProjectDesktopFile
{
public:
    // Returns the texts of the project's string resource `identifier`, one per language it
    // has a text for, or nothing when the project has no such string.
    static std::optional<std::vector<LanguageText>> stringTexts(const APStyleProject& project,
                                                                const std::string& identifier);

    // Writes the file, as the resource build does. Returns false, without a message when the
    // project's desktop switch is off, with one for bad settings or a file that cannot be
    // written.
    static bool write(const APStyleProject& project);

    // The menu command: write() and, on success, "生成.desktop文件成功！".
    static bool writeAndReport(const APStyleProject& project);

private:
    static DesktopEntryWriter writerFor(const APStyleProject& project);
};

} // namespace generate
