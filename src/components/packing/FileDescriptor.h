#pragma once

#include <cstddef>
#include <cstdint>

namespace packing {

// An open file descriptor (or -1), closed when the object goes.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }

private:
    int m_fd;
};

// Reads or writes all `size` bytes, going on after interruptions and short transfers. False
// when that cannot be done, with errno saying why (ENOSPC for a write that wrote nothing).
bool readAll(int fd, std::uint8_t* to, std::size_t size);
bool writeAll(int fd, const std::uint8_t* from, std::size_t size);
// As writeAll, at `offset` of the file, leaving the file position as it was.
bool writeAllAt(int fd, const std::uint8_t* from, std::size_t size, std::uint64_t offset);

} // namespace packing
