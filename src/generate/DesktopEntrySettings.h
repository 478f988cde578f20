#pragma once

#include <cstdint>
#include <string>

namespace generate {

// The values of the device launcher's desktop entry file, as the project holds them.
struct DesktopEntrySettings
{
    std::int32_t create = 0; // 0: no file is written
    std::string path;        // the file to write
    std::string comment;
    std::string execDir = "/mnt/diska/apps/";
    std::int32_t type = 0; // 0 "Application", 1 "Directory"
    std::string child;
    std::string exec;
    std::int32_t iconId = 0;
    std::int32_t icon = 0;
    std::int32_t nameId = 0;
    std::string name;
    std::string nameStringId; // name of the string resource with the per-language names
};

} // namespace generate
