#include "generate/IdentifierHeader.h"

#include "generate/HeaderFrame.h"
#include "generate/MacroName.h"
#include "generate/OutputFile.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

namespace generate {
namespace {

std::string defineLine(const std::string& name, int number)
{
    return "#define  " + name + "    " + std::to_string(number) + "\n";
}

template <typename NameOf>
std::string identifierHeaderText(const std::string& headerPath,
                                 const std::vector<std::string>& entries, int base,
                                 const char* fallbackPrefix, NameOf nameOf)
{
    std::string text = headerOpener(headerPath);
    int number = base;
    for (const std::string& entry : entries) {
        ++number;
        std::string name = nameOf(entry);
        if (name.empty()) {
            // A define without a name does not compile; the number still identifies it.
            name = fallbackPrefix + std::to_string(number);
        }
        text += defineLine(name, number);
    }
    return text + headerCloser(headerPath);
}

} // namespace

std::string pictureIdentifierHeaderText(const std::string& headerPath,
                                        const std::vector<std::string>& acceptedPicturePaths,
                                        int base)
{
    return identifierHeaderText(headerPath, acceptedPicturePaths, base, "PIC_",
                                [](const std::string& path) { return pictureMacroName(path); });
}

std::string stringIdentifierHeaderText(const std::string& headerPath,
                                       const std::vector<std::string>& acceptedStringNames,
                                       int base)
{
    return identifierHeaderText(headerPath, acceptedStringNames, base, "STR_",
                                [](const std::string& name) { return nameMacroName(name); });
}

bool writeIdentifierHeader(const std::string& headerPath, const std::string& text)
{
    // The header lives only while the build packs; it need not reach the disk.
    if (writeOutputFile(headerPath, withCrLf(text), platform::SaveFile::Durability::Transient)) {
        return true;
    }
    platform::interaction().showMessage(platform::uiText("无法打开文件：") + headerPath);
    return false;
}

} // namespace generate
