#pragma once

#include "platform/UiLanguage.h"

#include <string>

class QCoreApplication;

// The window's texts in the language of this process. The Chinese texts are the source texts
// and need no catalogue; English comes from the catalogue compiled into the program.
class UiTranslation
{
public:
    // The language of this start: `explicitChoice` (--lang) over UI_LANGUAGE in section
    // "CONFIG" of `settingsFile` over the locale variables.
    static platform::UiLanguage choose(const std::string& explicitChoice,
                                       const std::string& settingsFile);

    // Makes `language` the language of `application`'s texts, replacing the one installed
    // before. Call it before any widget is made. False when the English catalogue is missing
    // from the program (the source texts show then).
    static bool install(QCoreApplication& application, platform::UiLanguage language);
};
