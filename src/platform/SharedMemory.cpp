#include "platform/SharedMemory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace platform {
namespace {

// POSIX names are one path step after a '/': separators in a Windows-style name
// ("Local\NAME") must not make it a path.
std::string systemNameFor(const std::string& name)
{
    std::string systemName = "/" + name;
    std::replace(systemName.begin() + 1, systemName.end(), '/', '_');
    std::replace(systemName.begin() + 1, systemName.end(), '\\', '_');
    return systemName;
}

} // namespace

SharedMemory::~SharedMemory()
{
    close();
}

bool SharedMemory::create(const std::string& name, std::size_t size)
{
    close();
    if (name.empty() || size == 0) {
        return false;
    }
    const std::string systemName = systemNameFor(name);
    bool created = true;
    int fd = ::shm_open(systemName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST) {
        created = false;
        fd = ::shm_open(systemName.c_str(), O_RDWR | O_CLOEXEC, 0600);
    }
    if (fd < 0) {
        return false;
    }
    struct stat info
    {
    };
    const bool sized = ::fstat(fd, &info) == 0 && (static_cast<std::size_t>(info.st_size) >= size ||
                                                   ::ftruncate(fd, static_cast<off_t>(size)) == 0);
    if (!sized) {
        ::close(fd);
    }
    if (!sized || !map(fd, size)) {
        if (created) {
            ::shm_unlink(systemName.c_str());
        }
        return false;
    }
    if (created) {
        std::memset(m_data, 0, size); // fresh blocks read as zero already; made explicit
    }
    m_systemName = systemName;
    m_creator = created;
    return true;
}

bool SharedMemory::open(const std::string& name)
{
    close();
    if (name.empty()) {
        return false;
    }
    const std::string systemName = systemNameFor(name);
    const int fd = ::shm_open(systemName.c_str(), O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || info.st_size <= 0) {
        ::close(fd);
        return false;
    }
    if (!map(fd, static_cast<std::size_t>(info.st_size))) {
        return false;
    }
    m_systemName = systemName;
    return true;
}

bool SharedMemory::map(int fd, std::size_t size)
{
    void* data = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd); // the mapping keeps the block alive
    if (data == MAP_FAILED) {
        return false;
    }
    m_data = data;
    m_size = size;
    return true;
}

void SharedMemory::close()
{
    if (m_data) {
        ::munmap(m_data, m_size);
    }
    if (m_creator) {
        ::shm_unlink(m_systemName.c_str());
    }
    m_data = nullptr;
    m_size = 0;
    m_creator = false;
    m_systemName.clear();
}

} // namespace platform
