#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace packing {

// Holds the encoded data of a packer's entries until the file is saved: in
// memory, or (buffer mode 1) in an anonymous temporary file, so that a build
// of many large pictures does not keep them all in memory. The temporary file
// disappears with the spool.
class EntrySpool
{
public:
    EntrySpool() = default;
    EntrySpool(const EntrySpool&) = delete;
    EntrySpool& operator=(const EntrySpool&) = delete;

    // Switches between memory and disk; only while empty. Returns false when
    // not empty or when no temporary file can be created.
    bool setOnDisk(bool onDisk);
    bool onDisk() const { return m_file != nullptr; }

    // Stores `data` and returns its slot, or -1 when the disk write fails.
    long long append(std::vector<std::uint8_t> data);
    // Reads slot `slot` back into `data`. Returns false on a read failure.
    bool read(std::size_t slot, std::vector<std::uint8_t>& data) const;
    // Writes slot `slot` to `out`; in memory without a copy, from disk through
    // `buffer`. Returns false on a read failure.
    bool copyTo(std::size_t slot, std::ostream& out, std::vector<std::uint8_t>& buffer) const;
    std::size_t size(std::size_t slot) const { return m_slots[slot].size; }
    std::size_t count() const { return m_slots.size(); }
    void clear();

private:
    struct Slot
    {
        std::uint64_t offset = 0;
        std::size_t size = 0;
    };
    struct FileClose
    {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };

    std::vector<Slot> m_slots;
    std::vector<std::vector<std::uint8_t>> m_memory;
    std::unique_ptr<std::FILE, FileClose> m_file;
    std::uint64_t m_fileEnd = 0;
};

} // namespace packing
