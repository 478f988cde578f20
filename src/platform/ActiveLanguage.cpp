#include "platform/ActiveLanguage.h"

#include <atomic>

namespace platform {

namespace {

std::atomic<int> activated{-1};

} // namespace

void activateUiLanguage(UiLanguage language)
{
    activated.store(static_cast<int>(language));
}

UiLanguage activeUiLanguage()
{
    const int language = activated.load();
    return language < 0 ? languageFromEnvironment() : static_cast<UiLanguage>(language);
}

} // namespace platform
