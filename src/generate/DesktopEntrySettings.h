#pragma once

#include "model/DesktopSettings.h"

namespace generate {

// The writer takes the values as the project holds them: one struct, so a setting added to
// the project cannot be forgotten on the way to the file.
using DesktopEntrySettings = ::DesktopSettings;

} // namespace generate
