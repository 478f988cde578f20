#pragma once

#include "generate/DesktopEntrySettings.h"
#include "generate/DeviceText.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace generate {

// Writes the desktop entry file that announces an application to the device's launcher:
// a UTF-8 byte-order mark, "[Desktop Entry]" and key=value lines ending in CR LF.
class DesktopEntryWriter
{
public:
    // Returns the per-language texts of the string resource called `name`, or nothing when
    // the project has no such resource.
    using StringTexts = std::function<std::optional<std::vector<LanguageText>>(const std::string&)>;

    // `languageNames`: the project's languages, in string-text order; `lineBreakMode`: how
    // "[CR]" is written (see toDeviceText).
    DesktopEntryWriter(std::vector<std::string> languageNames, bool lineBreakMode,
                       StringTexts stringTexts);

    // Writes the file of `settings`. Returns false, without a message when the switch is
    // off and with one for a missing path or string resource name, an unknown type or a
    // file that cannot be written (the previous file then stays). A string resource that
    // does not exist is reported; the file then ends with the "Name=" line.
    bool write(const DesktopEntrySettings& settings) const;

    // The menu command: write() and, on success, show "生成.desktop文件成功！".
    bool writeAndReport(const DesktopEntrySettings& settings) const;

    // Returns the file's bytes for `settings` and the name texts (none: no language lines).
    std::string fileContent(const DesktopEntrySettings& settings,
                            const std::vector<LanguageText>& nameTexts) const;

private:
    std::vector<std::string> m_languageNames;
    bool m_lineBreakMode;
    StringTexts m_stringTexts;
};

} // namespace generate
