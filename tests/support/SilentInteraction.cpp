#include "support/SilentInteraction.h"

namespace testsupport {

void SilentInteraction::showMessage(const std::string& text, const std::string&,
                                    platform::MessageIcon)
{
    if (m_messages) {
        std::fprintf(m_messages, "message: %s\n", text.c_str());
    }
}

platform::Answer SilentInteraction::askYesNo(const std::string&, const std::string&,
                                             platform::Answer defaultAnswer)
{
    return defaultAnswer;
}

platform::Answer SilentInteraction::askYesNoCancel(const std::string&, const std::string&,
                                                   platform::Answer defaultAnswer)
{
    return defaultAnswer;
}

std::optional<std::string> SilentInteraction::chooseFolder(const std::string&, const std::string&)
{
    return std::nullopt;
}

std::optional<std::string> SilentInteraction::chooseFile(platform::FileChooserMode,
                                                         const std::string&, const std::string&,
                                                         const std::string&)
{
    return std::nullopt;
}

std::optional<std::uint32_t> SilentInteraction::chooseColour(std::uint32_t)
{
    return std::nullopt;
}

} // namespace testsupport
