#include "editing/AutoSavePath.h"

#include <cstdio>

namespace editing {

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

} // namespace editing
