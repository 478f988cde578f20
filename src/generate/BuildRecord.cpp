#include "generate/BuildRecord.h"

#include "components/packing/FileBytes.h"

#include <xxhash.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace generate {
namespace {

constexpr char kMagic[8] = {'S', 'S', 'R', 'E', 'C', 'O', '0', '2'};
// Bounds what a damaged record can make the reader allocate.
constexpr std::uint64_t kMaxItems = 1u << 20;
constexpr std::uint64_t kMaxText = 1u << 16;

class Writer
{
public:
    void u64(std::uint64_t v)
    {
        for (int i = 0; i < 8; ++i) {
            bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    }
    void text(const std::string& s)
    {
        u64(s.size());
        bytes.insert(bytes.end(), s.begin(), s.end());
    }
    void key(const packing::PictureCache::Key& k)
    {
        u64(k.high);
        u64(k.low);
    }
    void stamp(const FileStamp& s)
    {
        u64(s.size);
        u64(static_cast<std::uint64_t>(s.modifiedNs));
        u64(static_cast<std::uint64_t>(s.changedNs));
        u64(s.inode);
        u64(s.device);
    }
    void entry(const BuildRecord::Entry& e)
    {
        key(e.key);
        u64(e.info.offset);
        u64(e.info.size);
        u64(std::uint64_t{e.info.width} | std::uint64_t{e.info.height} << 16 |
            std::uint64_t{e.info.format} << 32 | std::uint64_t{e.info.compression} << 40 |
            std::uint64_t{e.info.flags} << 48);
        text(e.warning);
    }
    void entries(const std::vector<BuildRecord::Entry>& list)
    {
        u64(list.size());
        for (const BuildRecord::Entry& e : list) {
            entry(e);
        }
    }
    std::vector<std::uint8_t> bytes;
};

class Reader
{
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool u64(std::uint64_t& v)
    {
        if (m_size - m_at < 8) {
            return false;
        }
        v = 0;
        for (int i = 7; i >= 0; --i) {
            v = (v << 8) | m_data[m_at + static_cast<std::size_t>(i)];
        }
        m_at += 8;
        return true;
    }
    bool text(std::string& s)
    {
        std::uint64_t length = 0;
        if (!u64(length) || length > kMaxText || m_size - m_at < length) {
            return false;
        }
        s.assign(reinterpret_cast<const char*>(m_data + m_at), static_cast<std::size_t>(length));
        m_at += static_cast<std::size_t>(length);
        return true;
    }
    bool key(packing::PictureCache::Key& k) { return u64(k.high) && u64(k.low); }
    bool stamp(FileStamp& s)
    {
        std::uint64_t modified = 0;
        std::uint64_t changed = 0;
        const bool ok =
            u64(s.size) && u64(modified) && u64(changed) && u64(s.inode) && u64(s.device);
        s.modifiedNs = static_cast<std::int64_t>(modified);
        s.changedNs = static_cast<std::int64_t>(changed);
        return ok;
    }
    bool entry(BuildRecord::Entry& e)
    {
        std::uint64_t offset = 0;
        std::uint64_t size = 0;
        std::uint64_t shape = 0;
        if (!key(e.key) || !u64(offset) || !u64(size) || !u64(shape) || !text(e.warning) ||
            offset > UINT32_MAX || size > UINT32_MAX || shape >> 56 != 0) {
            return false;
        }
        e.info.offset = static_cast<std::uint32_t>(offset);
        e.info.size = static_cast<std::uint32_t>(size);
        e.info.width = static_cast<std::uint16_t>(shape);
        e.info.height = static_cast<std::uint16_t>(shape >> 16);
        e.info.format = static_cast<std::uint8_t>(shape >> 32);
        e.info.compression = static_cast<std::uint8_t>(shape >> 40);
        e.info.flags = static_cast<std::uint8_t>(shape >> 48);
        return true;
    }
    bool entries(std::vector<BuildRecord::Entry>& list)
    {
        std::uint64_t number = 0;
        if (!count(number, 48)) {
            return false;
        }
        list.resize(static_cast<std::size_t>(number));
        for (BuildRecord::Entry& e : list) {
            if (!entry(e)) {
                return false;
            }
        }
        return true;
    }
    // Reads a count of items of at least `itemBytes` each: no more than the bytes left can
    // hold, so that a damaged count never makes room for more.
    bool count(std::uint64_t& number, std::size_t itemBytes)
    {
        return u64(number) && number <= kMaxItems && number <= (m_size - m_at) / itemBytes;
    }
    bool atEnd() const { return m_at == m_size; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

std::string nameFor(const std::string& target)
{
    const XXH128_hash_t hash = XXH3_128bits(target.data(), target.size());
    char name[48];
    std::snprintf(name, sizeof name, "%016llx%016llx", static_cast<unsigned long long>(hash.high64),
                  static_cast<unsigned long long>(hash.low64));
    return name;
}

} // namespace

std::optional<FileStamp> FileStamp::of(const std::string& path)
{
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    FileStamp stamp;
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.modifiedNs = std::int64_t{info.st_mtim.tv_sec} * 1000000000 + info.st_mtim.tv_nsec;
    stamp.changedNs = std::int64_t{info.st_ctim.tv_sec} * 1000000000 + info.st_ctim.tv_nsec;
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    return stamp;
}

std::string BuildRecord::pathFor(const std::string& directory, const std::string& target)
{
    return directory + "/records/" + nameFor(target);
}

std::string BuildRecord::sparePathFor(const std::string& directory, const std::string& target)
{
    return directory + "/spares/" + nameFor(target);
}

std::vector<std::uint8_t> BuildRecord::encode() const
{
    Writer out;
    out.bytes.assign(kMagic, kMagic + sizeof kMagic);
    out.key(made);
    out.stamp(output);
    out.u64(static_cast<std::uint64_t>(count));
    out.u64(warnings.size());
    for (const std::string& warning : warnings) {
        out.text(warning);
    }
    out.u64(pictures.size());
    for (const Picture& picture : pictures) {
        out.text(picture.path);
        out.stamp(picture.stamp);
        out.key(picture.content);
    }
    out.entries(entries);
    out.stamp(spare);
    out.entries(spareEntries);
    const XXH128_hash_t sum = XXH3_128bits(out.bytes.data(), out.bytes.size());
    out.key({sum.high64, sum.low64});
    return out.bytes;
}

bool BuildRecord::decode(const std::vector<std::uint8_t>& bytes)
{
    *this = {};
    if (bytes.size() < sizeof kMagic + 16 || std::memcmp(bytes.data(), kMagic, sizeof kMagic)) {
        return false;
    }
    const std::size_t body = bytes.size() - 16;
    const XXH128_hash_t sum = XXH3_128bits(bytes.data(), body);
    packing::PictureCache::Key stored;
    Reader tail(bytes.data() + body, 16);
    if (!tail.key(stored) || !(stored == packing::PictureCache::Key{sum.high64, sum.low64})) {
        return false;
    }
    Reader in(bytes.data() + sizeof kMagic, body - sizeof kMagic);
    std::uint64_t number = 0;
    if (!in.key(made) || !in.stamp(output) || !in.u64(number) || number > kMaxItems) {
        return false;
    }
    count = static_cast<int>(number);
    if (!in.count(number, 8)) {
        return false;
    }
    warnings.resize(static_cast<std::size_t>(number));
    for (std::string& warning : warnings) {
        if (!in.text(warning)) {
            return false;
        }
    }
    if (!in.count(number, 8 + 40 + 16)) {
        return false;
    }
    pictures.resize(static_cast<std::size_t>(number));
    for (Picture& picture : pictures) {
        if (!in.text(picture.path) || !in.stamp(picture.stamp) || !in.key(picture.content)) {
            return false;
        }
    }
    return in.entries(entries) && in.stamp(spare) && in.entries(spareEntries) && in.atEnd();
}

bool BuildRecord::load(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    if (!packing::readFileBytes(path, bytes) || !decode(bytes)) {
        *this = {};
        return false;
    }
    return true;
}

bool BuildRecord::save(const std::string& path) const
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    const std::string temporary = path + ".tmp-" + std::to_string(::getpid());
    const std::vector<std::uint8_t> bytes = encode();
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace generate
