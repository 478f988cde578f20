#include "platform/UiLanguage.h"

#include "platform/AsciiCase.h"

#include <cstdlib>

namespace platform {

namespace {

std::string_view firstEntry(std::string_view list)
{
    return list.substr(0, list.find(':'));
}

bool isChineseLocaleName(std::string_view name)
{
    return name.size() >= 2 && toLowerAscii(name[0]) == 'z' && toLowerAscii(name[1]) == 'h';
}

} // namespace

UiLanguage languageFromEnvironment(const EnvironmentLookup& lookup)
{
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = lookup(variable);
        if (value == nullptr) {
            continue;
        }
        const std::string_view name =
            std::string_view(variable) == "LANGUAGE" ? firstEntry(value) : value;
        if (!name.empty()) {
            return isChineseLocaleName(name) ? UiLanguage::Chinese : UiLanguage::English;
        }
    }
    return UiLanguage::English;
}

UiLanguage languageFromEnvironment()
{
    return languageFromEnvironment([](const char* name) { return std::getenv(name); });
}

std::optional<UiLanguage> parseUiLanguage(std::string_view name)
{
    const std::string_view primary = name.substr(0, name.find_first_of("_-.@"));
    if (equalsIgnoreAsciiCase(primary, "zh")) {
        return UiLanguage::Chinese;
    }
    if (equalsIgnoreAsciiCase(primary, "en")) {
        return UiLanguage::English;
    }
    return std::nullopt;
}

const char* uiLanguageCode(UiLanguage language)
{
    return language == UiLanguage::Chinese ? "zh" : "en";
}

UiLanguage chooseUiLanguage(std::string_view explicitChoice, std::string_view storedSetting,
                            const EnvironmentLookup& lookup)
{
    if (const auto chosen = parseUiLanguage(explicitChoice)) {
        return *chosen;
    }
    if (const auto stored = parseUiLanguage(storedSetting)) {
        return *stored;
    }
    return languageFromEnvironment(lookup);
}

} // namespace platform
