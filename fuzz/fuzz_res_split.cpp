// The split step reads back picture resource files that may be damaged. It must
// refuse them cleanly, and every part of a file it accepts must be a valid file
// whose entries carry exactly the entries of the whole, in order.

#include "generate/ResourceSplitter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A private folder for the split file and its parts, removed at exit.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "skinsmith-split-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        m_path = pattern;
    }
    ~ScratchFolder() { std::filesystem::remove_all(m_path); }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

// Every part must parse, and together the parts must hold the whole file's
// entries: same fields but the offset, same stored bytes, consecutive indexes.
void checkParts(const ResourceSplitter& splitter, const std::vector<std::uint8_t>& whole)
{
    packing::ResFileReader source;
    check(source.parse(whole));
    std::size_t next = 0;
    for (std::size_t p = 0; p < splitter.parts().size(); ++p) {
        packing::ResFileReader part;
        check(part.parse(splitter.partBytes(p)));
        check(part.header().startIndex == source.header().startIndex + next);
        for (std::size_t i = 0; i < part.entries().size(); ++i, ++next) {
            packing::ResEntryInfo a = part.entries()[i];
            packing::ResEntryInfo b = source.entries()[next];
            check(a.size == b.size && a.width == b.width && a.height == b.height &&
                  a.format == b.format && a.compression == b.compression && a.flags == b.flags);
            check(std::memcmp(part.storedData(i), source.storedData(next), a.size) == 0);
        }
    }
    check(next == source.entries().size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ScratchFolder folder;
    const std::vector<std::uint8_t> bytes(data, data + size);
    const long long sizes[] = {1, 64, static_cast<long long>(size / 3) + 1, 1LL << 32};
    for (const long long splitSize : sizes) {
        ResourceSplitter splitter;
        if (splitter.plan(bytes, splitSize)) {
            checkParts(splitter, bytes);
        } else {
            check(!splitter.error().empty() && splitter.parts().empty());
        }
    }

    // The file road as the build takes it, with a split size that gives a few parts.
    const std::string path = folder.file("pics.res");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    ResourceSplitter splitter;
    const bool split = splitter.split(path, static_cast<long long>(size / 2) + 1);
    check(split || !std::filesystem::exists(ResourceSplitter::partPath(path, 0)));
    for (std::size_t p = 0; split && p < splitter.parts().size(); ++p) {
        std::filesystem::remove(ResourceSplitter::partPath(path, p));
    }
    return 0;
}
