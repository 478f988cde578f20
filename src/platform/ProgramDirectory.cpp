#include "platform/ProgramDirectory.h"

#include <unistd.h>

#include <climits>

namespace platform {
namespace {

std::string g_override;

std::string withTrailingSlash(std::string directory)
{
    if (directory.empty() || directory.back() != '/') {
        directory += '/';
    }
    return directory;
}

} // namespace

std::string programDirectory()
{
    if (!g_override.empty()) {
        return g_override;
    }
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) {
        return {};
    }
    const std::string executable(buffer, static_cast<std::size_t>(length));
    const std::size_t slash = executable.rfind('/');
    return slash == std::string::npos ? std::string() : executable.substr(0, slash + 1);
}

void overrideProgramDirectory(const std::string& directory)
{
    g_override = directory.empty() ? std::string() : withTrailingSlash(directory);
}

} // namespace platform
