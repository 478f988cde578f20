#include "components/packing/MappedFile.h"

#include "components/packing/FileBytes.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace packing {

MappedFile::~MappedFile()
{
    close();
}

MappedFile::MappedFile(MappedFile&& other) noexcept
{
    *this = std::move(other);
}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept
{
    if (this != &other) {
        close();
        m_map = std::exchange(other.m_map, nullptr);
        m_read = std::move(other.m_read);
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}

void MappedFile::close()
{
    if (m_map != nullptr) {
        ::munmap(m_map, m_size);
        m_map = nullptr;
    }
    m_read.clear();
    m_read.shrink_to_fit();
    m_data = nullptr;
    m_size = 0;
}

bool MappedFile::open(const std::string& path)
{
    close();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info = {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (regular && info.st_size > 0) {
        // MAP_POPULATE fills the page table in one call instead of one fault a page.
        void* map = ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ,
                           MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (map != MAP_FAILED) {
            ::close(fd);
            m_map = map;
            m_data = static_cast<const std::uint8_t*>(map);
            m_size = static_cast<std::size_t>(info.st_size);
            return true;
        }
    }
    ::close(fd);
    if (!readFileBytes(path, m_read)) {
        return false;
    }
    m_data = m_read.data();
    m_size = m_read.size();
    return true;
}

} // namespace packing
