#include "platform/SaveFile.h"

#include "platform/Path.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>

namespace platform {
namespace {

// The file a write really replaces: the final target of a symbolic link, so that the link
// survives the rename.
std::string resolveLinks(const std::string& path)
{
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string randomSuffix()
{
    static std::mt19937 generator{std::random_device{}()};
    static const char digits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (int i = 0; i < 8; ++i) {
        suffix += digits[generator() % (sizeof digits - 1)];
    }
    return suffix;
}

void syncDirectory(const std::string& directory)
{
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // best effort: the rename itself already happened
        ::close(fd);
    }
}

} // namespace

SaveFile::SaveFile(std::string targetPath, Durability durability)
    : m_target(std::move(targetPath)), m_durability(durability)
{
}

SaveFile::~SaveFile()
{
    discard();
}

bool SaveFile::open()
{
    discard();
    m_error.clear();
    m_target = resolveLinks(m_target);
    std::string directory = directoryOf(m_target);
    if (directory.empty()) {
        directory = ".";
    }
    // Not mkstemp: open() with mode 0666 lets the umask decide a new file's permissions.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate =
            joinPath(directory, "." + fileNameOf(m_target) + "." + randomSuffix() + ".tmp");
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return fail(errno);
        }
        m_temporary = candidate;
        m_file = ::fdopen(fd, "wb");
        if (!m_file) {
            const int error = errno;
            ::close(fd);
            return fail(error);
        }
        return true;
    }
    return fail(EEXIST);
}

bool SaveFile::write(std::string_view data)
{
    if (!m_file || m_error) {
        return false;
    }
    errno = 0;
    if (std::fwrite(data.data(), 1, data.size(), m_file) != data.size()) {
        return fail(errno ? errno : EIO);
    }
    return true;
}

bool SaveFile::commit()
{
    if (!m_file || m_error || !finishWriting()) {
        if (!m_error) {
            fail(EBADF);
        }
        discard();
        return false;
    }
    if (std::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        fail(errno);
        discard();
        return false;
    }
    m_temporary.clear();
    if (m_durability == Durability::Synced) {
        const std::string directory = directoryOf(m_target);
        syncDirectory(directory.empty() ? "." : directory);
    }
    return true;
}

bool SaveFile::finishWriting()
{
    const int fd = ::fileno(m_file);
    errno = 0;
    if (std::fflush(m_file) != 0 || std::ferror(m_file)) {
        return fail(errno ? errno : EIO);
    }
    struct stat target;
    if (::stat(m_target.c_str(), &target) == 0 &&
        ::fchmod(fd, (target.st_mode & 07777) | S_IWUSR) != 0) {
        return fail(errno);
    }
    if (m_durability == Durability::Synced && ::fsync(fd) != 0) {
        return fail(errno);
    }
    const int closed = std::fclose(m_file);
    m_file = nullptr;
    return closed == 0 || fail(errno);
}

void SaveFile::discard()
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

bool SaveFile::fail(int errorNumber)
{
    if (!m_error) {
        m_error = std::error_code(errorNumber, std::generic_category());
    }
    return false;
}

} // namespace platform
