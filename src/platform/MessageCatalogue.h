#pragma once

#include "platform/UiLanguage.h"

#include <string>

namespace platform {

// The gettext domains: the core's texts (Chinese source texts) and the command-line
// programs' own messages (English source texts).
inline constexpr const char kCoreTextDomain[] = "skinsmith";
inline constexpr const char kToolTextDomain[] = "skinsmith-tools";

// The share/locale tree that holds the catalogues: the build tree's beside build/bin, else
// the installed one relative to the program directory, else the installed one's absolute
// path. Chosen by where the English core catalogue is.
std::string catalogueDirectory();

// Binds both domains to catalogueDirectory() (UTF-8 output whatever the locale) and sets
// LANGUAGE to `language`, which gettext reads and child programs inherit.
void bindMessageCatalogues(UiLanguage language);

} // namespace platform
