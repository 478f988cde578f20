#pragma once

#include "platform/UiLanguage.h"

namespace platform {

// Makes `language` the language of this process's messages: binds the message catalogues and
// sets LANGUAGE, so that the programs this process starts speak it too. Programs call it once
// at start, before any text is shown or written and before other threads start.
void activateUiLanguage(UiLanguage language);

// The language activated last. A process that activated none gets the environment's, activated
// on first use.
UiLanguage activeUiLanguage();

} // namespace platform
