#pragma once

#include <cstddef>
#include <cstdint>

// Reads a picture (or any data) from a memory buffer as from a file. The buffer is not
// owned: it must outlive the object.
class CxMemFile
{
public:
    CxMemFile(const void* buffer, std::size_t size);
    ~CxMemFile();
    CxMemFile(const CxMemFile&) = delete;
    CxMemFile& operator=(const CxMemFile&) = delete;

    // Copies up to `count` bytes into `target`; returns the number copied (0 at the end).
    std::size_t Read(void* target, std::size_t count);
    // Moves the position (origin SEEK_SET, SEEK_CUR or SEEK_END). Returns false, and stays
    // where it was, for an unknown origin or a position before the start or past the end.
    bool Seek(long offset, int origin);
    std::size_t Tell() const { return m_position; }
    std::size_t Size() const { return m_size; }
    bool Eof() const { return m_position >= m_size; }
    // The bytes from the current position on; valid while the buffer is.
    const std::uint8_t* Current() const { return m_data + m_position; }
    std::size_t Remaining() const { return m_size - m_position; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};
