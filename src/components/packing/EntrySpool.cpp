#include "components/packing/EntrySpool.h"

#include <ostream>

namespace packing {

bool EntrySpool::setOnDisk(bool onDisk)
{
    if (onDisk == this->onDisk()) {
        return true;
    }
    if (!m_slots.empty()) {
        return false;
    }
    if (!onDisk) {
        m_file.reset();
        return true;
    }
    m_file.reset(std::tmpfile());
    m_fileEnd = 0;
    return m_file != nullptr;
}

long long EntrySpool::append(std::vector<std::uint8_t> data)
{
    Slot slot;
    slot.size = data.size();
    if (m_file) {
        slot.offset = m_fileEnd;
        if (std::fseek(m_file.get(), static_cast<long>(m_fileEnd), SEEK_SET) != 0 ||
            std::fwrite(data.data(), 1, data.size(), m_file.get()) != data.size()) {
            return -1;
        }
        m_fileEnd += data.size();
    } else {
        slot.offset = m_memory.size();
        m_memory.push_back(std::move(data));
    }
    m_slots.push_back(slot);
    return static_cast<long long>(m_slots.size() - 1);
}

bool EntrySpool::read(std::size_t slot, std::vector<std::uint8_t>& data) const
{
    const Slot& s = m_slots[slot];
    if (!m_file) {
        data = m_memory[s.offset];
        return true;
    }
    data.resize(s.size);
    return std::fseek(m_file.get(), static_cast<long>(s.offset), SEEK_SET) == 0 &&
           std::fread(data.data(), 1, s.size, m_file.get()) == s.size;
}

bool EntrySpool::copyTo(std::size_t slot, std::ostream& out,
                        std::vector<std::uint8_t>& buffer) const
{
    const std::vector<std::uint8_t>* data = &buffer;
    if (!m_file) {
        data = &m_memory[m_slots[slot].offset];
    } else if (!read(slot, buffer)) {
        return false;
    }
    out.write(reinterpret_cast<const char*>(data->data()),
              static_cast<std::streamsize>(data->size()));
    return true;
}

void EntrySpool::clear()
{
    m_slots.clear();
    m_memory.clear();
    if (m_file) {
        // A fresh file gives the disk space back at once.
        m_file.reset(std::tmpfile());
        m_fileEnd = 0;
    }
}

} // namespace packing
