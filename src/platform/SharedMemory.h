#pragma once

#include <cstddef>
#include <string>

namespace platform {

// A named block of memory that other processes can map by the same name (POSIX shared
// memory). The creator's object removes the name when it goes away, so a block does not
// outlive the work it was made for.
class SharedMemory
{
public:
    SharedMemory() = default;
    ~SharedMemory();
    SharedMemory(const SharedMemory&) = delete;
    SharedMemory& operator=(const SharedMemory&) = delete;

    // Creates the block `name` of `size` bytes, zeroed, read-write, or maps it when it exists
    // already (then it is grown to `size` if smaller, and not zeroed). Returns false when it
    // cannot be created or mapped.
    bool create(const std::string& name, std::size_t size);
    // Maps an existing block `name` whole. Returns false when there is none.
    bool open(const std::string& name);
    // Unmaps and closes; the creator also removes the name.
    void close();

    bool isValid() const { return m_data != nullptr; }
    // The mapped bytes, owned by this object; null when not mapped.
    void* data() const { return m_data; }
    std::size_t size() const { return m_size; }
    // True when this object created the block (and so will remove its name).
    bool isCreator() const { return m_creator; }

private:
    bool map(int fd, std::size_t size);

    std::string m_systemName;
    void* m_data = nullptr;
    std::size_t m_size = 0;
    bool m_creator = false;
};

} // namespace platform
