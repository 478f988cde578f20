#pragma once

#include <cstdint>
#include <string>

// The values of the device launcher's desktop entry file that a project carries.
struct DesktopSettings
{
    std::int32_t create = 0; // write the file at every resource build
    std::string path;        // absolute path of the file
    std::string comment;
    std::string execDir = "/mnt/diska/apps/";
    std::int32_t type = 0; // 0 "Application", 1 "Directory"
    std::string child;
    std::string exec;
    std::int32_t iconId = 0;
    std::int32_t icon = 0;
    std::int32_t nameId = 0;
    std::string name;
    std::string nameStringId; // identifier of a string resource

    // Returns the values a new project gets; path, exec and name follow the case
    // directory and the project name.
    static DesktopSettings Defaults(const std::string& caseDir, const std::string& projectName);
};
