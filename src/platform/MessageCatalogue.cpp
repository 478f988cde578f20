#include "platform/MessageCatalogue.h"

#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"

#include <libintl.h>

#include <cstdlib>

#ifndef SKINSMITH_LOCALE_FROM_PROGRAMS
#define SKINSMITH_LOCALE_FROM_PROGRAMS "../../share/locale"
#endif
#ifndef SKINSMITH_INSTALLED_LOCALE_DIR
#define SKINSMITH_INSTALLED_LOCALE_DIR "/usr/share/locale"
#endif

namespace platform {

namespace {

bool holdsCoreCatalogue(const std::string& directory)
{
    return pathExists(directory + "/en/LC_MESSAGES/" + kCoreTextDomain + ".mo");
}

} // namespace

std::string catalogueDirectory()
{
    const std::string programs = programDirectory();
    for (const std::string& candidate :
         {programs + "../share/locale", programs + SKINSMITH_LOCALE_FROM_PROGRAMS}) {
        if (!programs.empty() && holdsCoreCatalogue(candidate)) {
            return candidate;
        }
    }
    return SKINSMITH_INSTALLED_LOCALE_DIR;
}

void bindMessageCatalogues(UiLanguage language)
{
    const std::string directory = catalogueDirectory();
    for (const char* domain : {kCoreTextDomain, kToolTextDomain}) {
        ::bindtextdomain(domain, directory.c_str());
        ::bind_textdomain_codeset(domain, "UTF-8");
    }
    ::setenv("LANGUAGE", language == UiLanguage::Chinese ? "zh_CN" : "en", 1);
    // Translations already looked up are cached; setting the default domain again is
    // gettext's way of saying that the language changed.
    ::textdomain(::textdomain(nullptr));
}

} // namespace platform
