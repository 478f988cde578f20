#include "platform/UiText.h"

#include "platform/ActiveLanguage.h"
#include "platform/MessageCatalogue.h"

#include <libintl.h>
#include <locale.h>

#include <cstdarg>
#include <cstdio>

namespace platform {

namespace {

// gettext passes over LANGUAGE while the messages locale is "C", and many machines have no
// other locale generated. Each lookup runs under a thread locale whose messages category is
// C.UTF-8 (built into the C library), so that LANGUAGE, set on activation, picks the
// catalogue whatever the process locale is and whoever sets it later.
locale_t messagesLocale()
{
    static const locale_t locale = [] {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
            if (const locale_t found = ::newlocale(LC_MESSAGES_MASK, name, nullptr)) {
                return found;
            }
        }
        return locale_t{};
    }();
    return locale;
}

const char* lookUp(const char* domain, const char* text)
{
    const locale_t messages = messagesLocale();
    if (messages == locale_t{}) {
        return ::dgettext(domain, text);
    }
    const locale_t previous = ::uselocale(messages);
    const char* found = ::dgettext(domain, text);
    ::uselocale(previous);
    return found;
}

} // namespace

const char* uiText(const char* chinese)
{
    if (activeUiLanguage() == UiLanguage::Chinese) {
        return chinese;
    }
    return lookUp(kCoreTextDomain, chinese);
}

const char* toolText(const char* english)
{
    if (activeUiLanguage() == UiLanguage::English) {
        return english;
    }
    return lookUp(kToolTextDomain, english);
}

std::string formatText(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, args);
        text.pop_back();
    }
    va_end(args);
    return text;
}

} // namespace platform
