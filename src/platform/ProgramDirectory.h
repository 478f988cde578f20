#pragma once

#include <string>

namespace platform {

// Returns the directory of the running executable with a trailing '/' (it holds the
// definition files, the settings file and the SDK tools); "" when it cannot be found.
std::string programDirectory();

// Makes programDirectory() return `directory` (a trailing '/' is added) instead, for tests
// and relocated installs; "" goes back to the executable's directory.
void overrideProgramDirectory(const std::string& directory);

} // namespace platform
