// Picture cache entries and build records are read from a folder other builds and other
// people share: no input may crash their readers or come back as an entry whose record
// disagrees with its data. Each input is tried as it is and with its checksum made right, so
// that the fields behind the checksum are reached too.

#include "components/packing/PictureCache.h"
#include "generate/BuildRecord.h"

#include <xxhash.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::uint64_t u64(const std::uint8_t* p)
{
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) {
        v = (v << 8) | p[i];
    }
    return v;
}

void put64(std::uint8_t* p, std::uint64_t v)
{
    for (int i = 0; i < 8; ++i) {
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

void tryEntry(const std::vector<std::uint8_t>& bytes)
{
    packing::PictureCache::Key key;
    if (bytes.size() >= 24) {
        key = {u64(bytes.data() + 8), u64(bytes.data() + 16)};
    }
    packing::PictureCache::Entry entry;
    if (packing::PictureCache::decode(key, bytes, entry) && entry.info.size != entry.data.size()) {
        std::abort();
    }
    generate::BuildRecord record;
    record.decode(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> bytes(data, data + size);
    tryEntry(bytes);
    if (bytes.size() >= 16) {
        const std::size_t body = bytes.size() - 16;
        const XXH128_hash_t sum = XXH3_128bits(bytes.data(), body);
        put64(bytes.data() + body, sum.high64);
        put64(bytes.data() + body + 8, sum.low64);
        tryEntry(bytes);
    }
    return 0;
}
