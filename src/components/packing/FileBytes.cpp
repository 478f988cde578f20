#include "components/packing/FileBytes.h"

#include <cstdio>
#include <memory>

#include <sys/stat.h>

namespace packing {

namespace {

struct FileClose
{
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    bytes.clear();
    const std::unique_ptr<std::FILE, FileClose> file(std::fopen(path.c_str(), "rb"));
    struct stat info = {};
    if (!file || ::fstat(::fileno(file.get()), &info) != 0 || S_ISDIR(info.st_mode)) {
        return false;
    }
    // The size is only a hint: a file that changes while it is read, or one
    // whose size the system does not know, is read to its end all the same.
    std::size_t capacity = info.st_size > 0 ? static_cast<std::size_t>(info.st_size) + 1 : 4096;
    std::size_t used = 0;
    for (;;) {
        bytes.resize(capacity);
        used += std::fread(bytes.data() + used, 1, capacity - used, file.get());
        if (used < capacity) {
            break;
        }
        capacity *= 2;
    }
    bytes.resize(used);
    return std::ferror(file.get()) == 0;
}

} // namespace packing
