#include "platform/FileSystem.h"

#include "platform/Path.h"
#include "platform/SaveFile.h"
#include "platform/TemporaryDirectory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <memory>
#include <vector>

namespace platform {
namespace {

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

FilePtr openForReading(const std::string& path)
{
    return FilePtr(std::fopen(path.c_str(), "rb"), std::fclose);
}

void setError(std::error_code* error, int errorNumber)
{
    if (error) {
        *error = std::error_code(errorNumber, std::generic_category());
    }
}

} // namespace

bool pathExists(const std::string& path)
{
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

bool isFile(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isDirectory(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<std::uint64_t> fileSize(const std::string& path)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.st_size);
}

std::optional<std::string> readFile(const std::string& path, std::error_code* error)
{
    if (isDirectory(path)) {
        setError(error, EISDIR);
        return std::nullopt;
    }
    FilePtr file = openForReading(path);
    if (!file) {
        setError(error, errno);
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        content.append(buffer, got);
    }
    if (std::ferror(file.get())) {
        setError(error, errno ? errno : EIO);
        return std::nullopt;
    }
    return content;
}

bool clearReadOnly(const std::string& path)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) {
        return false;
    }
    if (info.st_mode & S_IWUSR) {
        return true;
    }
    return ::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR) == 0;
}

bool createDirectories(const std::string& directory)
{
    if (directory.empty() || isDirectory(directory)) {
        return !directory.empty();
    }
    const std::string canonical = canonicalPath(directory);
    const std::string parent = directoryOf(canonical);
    if (!parent.empty() && parent != canonical && !createDirectories(parent)) {
        return false;
    }
    // Another process may create it between the check and the mkdir: that is success too.
    return ::mkdir(canonical.c_str(), 0777) == 0 || isDirectory(canonical);
}

bool prepareOutputFile(const std::string& filePath)
{
    const std::string directory = directoryOf(filePath);
    if (!directory.empty() && !createDirectories(directory)) {
        return false;
    }
    if (isFile(filePath)) {
        clearReadOnly(filePath);
    }
    return true;
}

bool writeFileAtomically(const std::string& path, std::string_view data, std::error_code* error,
                         SaveFile::Durability durability)
{
    SaveFile file(path, durability);
    const bool written = file.open() && file.write(data) && file.commit();
    if (!written && error) {
        *error = file.error();
    }
    return written;
}

bool copyFile(const std::string& from, const std::string& to)
{
    FilePtr source = openForReading(from);
    if (!source || !isFile(from)) {
        return false;
    }
    SaveFile target(to);
    if (!target.open()) {
        return false;
    }
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, source.get())) > 0) {
        if (!target.write(std::string_view(buffer, got))) {
            return false;
        }
    }
    return !std::ferror(source.get()) && target.commit();
}

bool removeFile(const std::string& path)
{
    return !isDirectory(path) && ::unlink(path.c_str()) == 0;
}

std::string uniqueTemporaryFilePath(const std::string& prefix, const std::string& suffix)
{
    const std::string pattern = joinPath(temporaryRoot(), prefix + "-XXXXXX" + suffix);
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = ::mkstemps(buffer.data(), static_cast<int>(suffix.size()));
    if (fd < 0) {
        return {};
    }
    ::close(fd);
    return buffer.data();
}

std::string currentDirectory()
{
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

} // namespace platform
