#pragma once

#include "platform/UiLanguage.h"

namespace platform {

// Makes `language` the language of this process's messages. Programs call it once at start,
// before any text is shown or written.
void activateUiLanguage(UiLanguage language);

// The language activated last; before any activation, the environment's.
UiLanguage activeUiLanguage();

} // namespace platform
