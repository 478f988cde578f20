#include "components/visual/CxMemFile.h"

#include <cstdio>
#include <cstring>

CxMemFile::CxMemFile(const void* buffer, std::size_t size)
    : m_data(static_cast<const std::uint8_t*>(buffer)), m_size(buffer ? size : 0)
{
}

CxMemFile::~CxMemFile() = default;

std::size_t CxMemFile::Read(void* target, std::size_t count)
{
    const std::size_t available = Remaining();
    const std::size_t copied = count < available ? count : available;
    if (copied > 0) {
        std::memcpy(target, m_data + m_position, copied);
        m_position += copied;
    }
    return copied;
}

bool CxMemFile::Seek(long offset, int origin)
{
    long long base = 0;
    switch (origin) {
    case SEEK_SET:
        base = 0;
        break;
    case SEEK_CUR:
        base = static_cast<long long>(m_position);
        break;
    case SEEK_END:
        base = static_cast<long long>(m_size);
        break;
    default:
        return false;
    }
    const long long target = base + offset;
    if (target < 0 || target > static_cast<long long>(m_size)) {
        return false;
    }
    m_position = static_cast<std::size_t>(target);
    return true;
}
