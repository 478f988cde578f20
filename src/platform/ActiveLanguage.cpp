#include "platform/ActiveLanguage.h"

#include "platform/MessageCatalogue.h"

#include <atomic>
#include <mutex>

namespace platform {

namespace {

std::atomic<int> activated{-1};
std::mutex activating;

} // namespace

void activateUiLanguage(UiLanguage language)
{
    const std::lock_guard<std::mutex> lock(activating);
    bindMessageCatalogues(language);
    activated.store(static_cast<int>(language));
}

UiLanguage activeUiLanguage()
{
    const int language = activated.load();
    if (language >= 0) {
        return static_cast<UiLanguage>(language);
    }
    const std::lock_guard<std::mutex> lock(activating);
    if (activated.load() < 0) {
        const UiLanguage fromEnvironment = languageFromEnvironment();
        bindMessageCatalogues(fromEnvironment);
        activated.store(static_cast<int>(fromEnvironment));
    }
    return static_cast<UiLanguage>(activated.load());
}

} // namespace platform
