#pragma once

#include <string>
#include <string_view>

namespace platform {

// The version of SkinSmith ("0.1.0"), set in one place: the project() line of CMakeLists.txt.
const char* programVersion();

// "<program> <version>", what every program prints for --version.
std::string versionLine(std::string_view program);

} // namespace platform
