#include "platform/TemporaryDirectory.h"

#include "platform/Path.h"

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace platform {
namespace {

int removeEntry(const char* path, const struct stat*, int, struct FTW*)
{
    return std::remove(path) == 0 || errno == ENOENT ? 0 : -1;
}

} // namespace

std::string temporaryRoot()
{
    const char* root = std::getenv("TMPDIR");
    return root && *root ? std::string(root) : std::string("/tmp");
}

bool removeRecursively(const std::string& path)
{
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0) {
        return errno == ENOENT;
    }
    // Depth first so that directories are empty when removed; never cross into links.
    ::nftw(path.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
    return ::lstat(path.c_str(), &info) != 0 && errno == ENOENT;
}

TemporaryDirectory::TemporaryDirectory(const std::string& prefix)
{
    std::string pattern = joinPath(temporaryRoot(), prefix + "-XXXXXX");
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data())) {
        m_path = canonicalPath(buffer.data());
    }
}

TemporaryDirectory::~TemporaryDirectory()
{
    if (m_autoRemove && isValid()) {
        removeRecursively(m_path);
    }
}

std::string TemporaryDirectory::filePath(const std::string& name) const
{
    return joinPath(m_path, name);
}

} // namespace platform
