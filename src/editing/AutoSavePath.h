#pragma once

#include "platform/LocalTime.h"

#include <string>

namespace editing {

// The time-stamped copy the auto-save writes beside `projectFile`: the local time as
// "_%04d_%02d_%02d_%02d_%02d_%02d" inserted before the file name's last '.'
// ("demo.ui" at 2024-01-05 09:03:07 gives "demo_2024_01_05_09_03_07.ui"), or appended when
// the file name has no '.'. Never `projectFile` itself.
std::string AutoSaveCopyPath(const std::string& projectFile, const platform::LocalTime& time);

// Deletes the oldest auto-save copies of `projectFile` (the files beside it named as
// AutoSaveCopyPath names them) until `keep` are left; `keep` below 1 keeps every copy.
// Returns how many were deleted. Other files, the project file among them, are never touched.
int TrimAutoSaveCopies(const std::string& projectFile, int keep);

} // namespace editing
