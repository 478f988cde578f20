#include "editing/AutoSavePath.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace editing {

namespace {

// Whether `stamp` is "_YYYY_MM_DD_hh_mm_ss".
bool IsStamp(const std::string& stamp)
{
    static const char kShape[] = "_dddd_dd_dd_dd_dd_dd";
    if (stamp.size() != sizeof kShape - 1) {
        return false;
    }
    for (std::size_t i = 0; i < stamp.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(stamp[i])) != 0;
        if (kShape[i] == 'd' ? !digit : stamp[i] != '_') {
            return false;
        }
    }
    return true;
}

} // namespace

std::string AutoSaveCopyPath(const std::string& projectFile, const platform::LocalTime& time)
{
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "_%04d_%02d_%02d_%02d_%02d_%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    // Only a dot of the file name counts: one in a directory name would put the stamp
    // into the directory and write the copy somewhere else.
    const std::size_t slash = projectFile.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = projectFile.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart) {
        return projectFile + stamp;
    }
    return projectFile.substr(0, dot) + stamp + projectFile.substr(dot);
}

int TrimAutoSaveCopies(const std::string& projectFile, int keep)
{
    if (keep < 1) {
        return 0;
    }
    namespace fs = std::filesystem;
    const fs::path project(projectFile);
    const std::string stem = project.stem().string();
    const std::string extension = project.extension().string();
    std::vector<fs::path> copies;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(project.parent_path(), error)) {
        const std::string name = entry.path().filename().string();
        const bool shaped =
            name.size() > stem.size() + extension.size() &&
            name.compare(0, stem.size(), stem) == 0 &&
            name.compare(name.size() - extension.size(), extension.size(), extension) == 0 &&
            IsStamp(name.substr(stem.size(), name.size() - stem.size() - extension.size()));
        if (shaped && entry.is_regular_file(error)) {
            copies.push_back(entry.path());
        }
    }
    if (copies.size() <= static_cast<std::size_t>(keep)) {
        return 0;
    }
    // The stamps sort as the times they were written.
    std::sort(copies.begin(), copies.end());
    int deleted = 0;
    for (std::size_t i = 0; i + static_cast<std::size_t>(keep) < copies.size(); ++i) {
        deleted += fs::remove(copies[i], error) ? 1 : 0;
    }
    return deleted;
}

} // namespace editing
