#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace packing {

// A whole file, read-only, mapped into memory. Reading a resource file of a
// few megabytes into fresh memory costs far more in page faults than mapping
// it with its pages filled in at once. Files that cannot be mapped (pipes,
// special files) are read into memory instead.
//
// A mapped file must not be shortened in place while it is held; our own
// writers replace files by renaming a new one over them, which is safe.
class MappedFile
{
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    // The data stay where they are: moving hands over the mapping or buffer.
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;

    // Maps `path`, releasing what was held. Returns false when it cannot be
    // opened or read; then the object is empty.
    bool open(const std::string& path);
    void close();

    const std::uint8_t* data() const { return m_data; }
    std::size_t size() const { return m_size; }

private:
    void* m_map = nullptr;
    std::vector<std::uint8_t> m_read; // the content when mapping was not possible
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
};

} // namespace packing
