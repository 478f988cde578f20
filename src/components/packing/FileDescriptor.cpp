#include "components/packing/FileDescriptor.h"

#include <cerrno>

#include <unistd.h>

namespace packing {
namespace {

// Calls `transfer(at, bytes)` until all `size` bytes went, as read(2) and write(2) report.
template <typename Transfer>
bool transferAll(std::size_t size, Transfer transfer, int errorOnNothing)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t moved = transfer(done, size - done);
        if (moved < 0 && errno == EINTR) {
            continue;
        }
        if (moved <= 0) {
            if (moved == 0) {
                errno = errorOnNothing;
            }
            return false;
        }
        done += static_cast<std::size_t>(moved);
    }
    return true;
}

} // namespace

FileDescriptor::~FileDescriptor()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

bool readAll(int fd, std::uint8_t* to, std::size_t size)
{
    return transferAll(
        size, [&](std::size_t at, std::size_t left) { return ::read(fd, to + at, left); }, EIO);
}

bool writeAll(int fd, const std::uint8_t* from, std::size_t size)
{
    return transferAll(
        size, [&](std::size_t at, std::size_t left) { return ::write(fd, from + at, left); },
        ENOSPC);
}

bool writeAllAt(int fd, const std::uint8_t* from, std::size_t size, std::uint64_t offset)
{
    return transferAll(
        size,
        [&](std::size_t at, std::size_t left) {
            return ::pwrite(fd, from + at, left, static_cast<off_t>(offset + at));
        },
        ENOSPC);
}

} // namespace packing
