#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The language of every text a user reads: the Chinese source texts or their English
// translation.
enum class UiLanguage
{
    Chinese,
    English
};

// Looks up an environment variable; returns nullptr when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

// The language the environment asks for, decided from the variables' values alone (many build
// servers have no generated locales): the first set, non-empty one of LANGUAGE (its first
// entry), LC_ALL, LC_MESSAGES and LANG. A value starting with "zh" gives Chinese; any other
// value, "C" and "POSIX" included, and no value at all give English.
UiLanguage languageFromEnvironment(const EnvironmentLookup& lookup);
UiLanguage languageFromEnvironment();

// "zh" and "en" (any letter case, an optional region such as "zh_CN" or "en-US"); nullopt for
// anything else.
std::optional<UiLanguage> parseUiLanguage(std::string_view name);

// "zh" or "en".
const char* uiLanguageCode(UiLanguage language);

// The language of this process: an explicit choice (a --lang option) over a stored setting
// (SkinSmith.ini) over the environment. An empty or unknown choice or setting is passed over.
UiLanguage chooseUiLanguage(std::string_view explicitChoice, std::string_view storedSetting,
                            const EnvironmentLookup& lookup);

} // namespace platform
