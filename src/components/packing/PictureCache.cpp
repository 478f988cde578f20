#include "components/packing/PictureCache.h"

#include "components/packing/ByteOrder.h"
#include "components/packing/FileDescriptor.h"

#include <xxhash.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <tuple>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace packing {
namespace {

// An entry file: magic, key, entry record, warning and data sizes, warning, data, then the
// 128-bit hash of everything before it. A new layout gets a new magic.
constexpr char kMagic[8] = {'S', 'S', 'P', 'I', 'C', 'E', '0', '1'};
constexpr std::size_t kHeaderSize = 8 + 16 + kResEntrySize + 4 + 4;
constexpr std::size_t kChecksumSize = 16;
constexpr std::size_t kMaxWarning = 4096;
// An entry's data fit the picture file's 32-bit sizes.
constexpr std::uint64_t kMaxEntryFile = (std::uint64_t{1} << 32) + kHeaderSize + kMaxWarning;
// A used entry's time is refreshed at most this often, which keeps hits cheap while the
// trim still sees which entries builds use.
constexpr auto kUseGranularity = std::chrono::hours(1);
// Temporary files older than this are left by builds that died while writing.
constexpr auto kStaleTemporary = std::chrono::hours(1);
constexpr char kTemporaryPrefix[] = ".tmp-";
// The folder's total as the last trim measured it: magic, bytes, seconds since the epoch of that
// walk.
constexpr char kUsageFile[] = "usage";
constexpr char kUsageMagic[8] = {'S', 'S', 'U', 'S', 'A', 'G', 'E', '1'};
constexpr auto kUsageWalkInterval = std::chrono::hours(1);

void putU64(std::uint8_t* p, std::uint64_t v)
{
    putU32(p, static_cast<std::uint32_t>(v));
    putU32(p + 4, static_cast<std::uint32_t>(v >> 32));
}

std::uint64_t getU64(const std::uint8_t* p)
{
    return std::uint64_t{getU32(p)} | (std::uint64_t{getU32(p + 4)} << 32);
}

std::string hex(const PictureCache::Key& key)
{
    char text[33];
    std::snprintf(text, sizeof text, "%016llx%016llx", static_cast<unsigned long long>(key.high),
                  static_cast<unsigned long long>(key.low));
    return text;
}

// Marks the entry behind `fd` as used now, unless it was marked recently.
void markUsed(int fd, const struct stat& info)
{
    const auto modified = std::chrono::seconds(info.st_mtim.tv_sec);
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    if (now - modified > kUseGranularity) {
        ::futimens(fd, nullptr); // a read-only shared cache simply keeps its times
    }
}

} // namespace

PictureCache::PictureCache(std::string directory, std::uint64_t limit)
    : m_directory(std::move(directory)), m_limit(limit)
{
    std::error_code error;
    if (m_directory.empty()) {
        turnOff("no folder for the picture cache");
    } else if (!fs::create_directories(m_directory, error) && error) {
        turnOff("cannot create " + m_directory + ": " + error.message());
    } else if (!fs::is_directory(m_directory, error)) {
        turnOff(m_directory + " is not a folder");
    }
}

std::string PictureCache::defaultDirectory()
{
    // Relative paths in the variable are to be ignored, as the base directory rules say.
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return std::string(xdg) + "/skinsmith";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return std::string(home) + "/.cache/skinsmith";
    }
    return {};
}

PictureCache::Key PictureCache::contentOf(const std::uint8_t* bytes, std::size_t size)
{
    const XXH128_hash_t hash = XXH3_128bits(bytes, size);
    return {hash.high64, hash.low64};
}

PictureCache::Key PictureCache::keyOf(const std::string& shape, const Key& content)
{
    std::vector<std::uint8_t> input(16 + shape.size());
    putU64(input.data(), content.high);
    putU64(input.data() + 8, content.low);
    std::copy(shape.begin(), shape.end(), input.begin() + 16);
    const XXH128_hash_t hash = XXH3_128bits(input.data(), input.size());
    return {hash.high64, hash.low64};
}

std::string PictureCache::pathOf(const Key& key) const
{
    const std::string name = hex(key);
    return m_directory + "/" + name.substr(0, 2) + "/" + name;
}

std::vector<std::uint8_t> PictureCache::encode(const Key& key, const ResEntryInfo& info,
                                               const std::string& text,
                                               const std::vector<std::uint8_t>& data)
{
    const std::size_t warning = text.size();
    std::vector<std::uint8_t> bytes(kHeaderSize + warning + data.size() + kChecksumSize);
    std::uint8_t* p = bytes.data();
    std::memcpy(p, kMagic, sizeof kMagic);
    putU64(p + 8, key.high);
    putU64(p + 16, key.low);
    writeResEntry(info, p + 24);
    putU32(p + 24 + kResEntrySize, static_cast<std::uint32_t>(warning));
    putU32(p + 28 + kResEntrySize, static_cast<std::uint32_t>(data.size()));
    std::memcpy(p + kHeaderSize, text.data(), warning);
    if (!data.empty()) {
        std::memcpy(p + kHeaderSize + warning, data.data(), data.size());
    }
    const std::size_t body = bytes.size() - kChecksumSize;
    const XXH128_hash_t sum = XXH3_128bits(p, body);
    putU64(p + body, sum.high64);
    putU64(p + body + 8, sum.low64);
    return bytes;
}

bool PictureCache::decode(const Key& key, const std::vector<std::uint8_t>& bytes, Entry& entry)
{
    if (bytes.size() < kHeaderSize + kChecksumSize) {
        return false;
    }
    const std::uint8_t* p = bytes.data();
    const std::size_t body = bytes.size() - kChecksumSize;
    const XXH128_hash_t sum = XXH3_128bits(p, body);
    if (std::memcmp(p, kMagic, sizeof kMagic) != 0 || getU64(p + body) != sum.high64 ||
        getU64(p + body + 8) != sum.low64 || !(Key{getU64(p + 8), getU64(p + 16)} == key)) {
        return false;
    }
    const std::size_t warning = getU32(p + 24 + kResEntrySize);
    const std::size_t data = getU32(p + 28 + kResEntrySize);
    entry.info = readResEntry(p + 24);
    if (warning > kMaxWarning || kHeaderSize + warning + data != body || entry.info.size != data) {
        return false;
    }
    entry.info.offset = 0;
    entry.warning.assign(reinterpret_cast<const char*>(p + kHeaderSize), warning);
    entry.data.assign(p + kHeaderSize + warning, p + body);
    return true;
}

bool PictureCache::find(const Key& key, Entry& entry)
{
    if (m_off) {
        return false;
    }
    const FileDescriptor file(::open(pathOf(key).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info = {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    if (static_cast<std::uint64_t>(info.st_size) > kMaxEntryFile) {
        ++m_damaged; // no entry is that large
        return false;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    if (!readAll(file.get(), bytes.data(), bytes.size()) || !decode(key, bytes, entry)) {
        // Rebuilt and replaced by the caller's store().
        ++m_damaged;
        return false;
    }
    markUsed(file.get(), info);
    return true;
}

void PictureCache::store(const Key& key, const ResEntryInfo& info, const std::string& warning,
                         const std::vector<std::uint8_t>& data)
{
    if (m_off || warning.size() > kMaxWarning) {
        return;
    }
    const std::string path = pathOf(key);
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    if (error) {
        turnOff("cannot create a folder in " + m_directory + ": " + error.message());
        return;
    }
    writeFile(path, encode(key, info, warning, data));
}

bool PictureCache::writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    // Unique per process and per store, so concurrent builds never share a temporary file.
    const std::string temporary = fs::path(path).parent_path().string() + "/" + kTemporaryPrefix +
                                  std::to_string(::getpid()) + "-" + std::to_string(m_written++) +
                                  "-" + fs::path(path).filename().string();
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        turnOff("cannot write in " + m_directory + ": " + std::strerror(errno));
        return false;
    }
    const bool written = writeAll(fd, bytes.data(), bytes.size());
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(temporary.c_str());
        turnOff("cannot write in " + m_directory + ": " +
                std::strerror(written ? errno : writeError));
        return false;
    }
    int renamed = ::rename(temporary.c_str(), path.c_str());
    if (renamed != 0 && (errno == EISDIR || errno == ENOTEMPTY || errno == EEXIST)) {
        // Something else took the entry's name: it is no entry, and goes.
        std::error_code ignored;
        fs::remove_all(path, ignored);
        renamed = ::rename(temporary.c_str(), path.c_str());
    }
    if (renamed != 0) {
        const int renameError = errno;
        ::unlink(temporary.c_str());
        turnOff("cannot write in " + m_directory + ": " + std::strerror(renameError));
        return false;
    }
    ++m_stored;
    m_storedBytes += bytes.size();
    return true;
}

bool PictureCache::readUsage(std::uint64_t& total, std::int64_t& walkedSeconds) const
{
    std::vector<std::uint8_t> bytes(32);
    const FileDescriptor file(
        ::open((m_directory + "/" + kUsageFile).c_str(), O_RDONLY | O_CLOEXEC));
    const ssize_t got = file.isOpen() ? ::read(file.get(), bytes.data(), bytes.size()) : -1;
    if (got != 24 || std::memcmp(bytes.data(), kUsageMagic, sizeof kUsageMagic) != 0) {
        return false;
    }
    walkedSeconds = static_cast<std::int64_t>(getU64(bytes.data() + 16));
    const auto age = std::chrono::system_clock::now() -
                     std::chrono::system_clock::time_point(std::chrono::seconds(walkedSeconds));
    total = getU64(bytes.data() + 8);
    return age >= std::chrono::seconds(0) && age < kUsageWalkInterval;
}

void PictureCache::writeUsage(std::uint64_t total, std::int64_t walkedSeconds)
{
    std::uint8_t bytes[24];
    std::memcpy(bytes, kUsageMagic, sizeof kUsageMagic);
    putU64(bytes + 8, total);
    putU64(bytes + 16, static_cast<std::uint64_t>(walkedSeconds));
    const std::string temporary = m_directory + "/" + kTemporaryPrefix +
                                  std::to_string(::getpid()) + "-" + std::to_string(m_written++) +
                                  "-" + kUsageFile;
    const FileDescriptor file(
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (!file.isOpen() || !writeAll(file.get(), bytes, sizeof bytes) ||
        ::rename(temporary.c_str(), (m_directory + "/" + kUsageFile).c_str()) != 0) {
        ::unlink(temporary.c_str()); // the next trim walks the folder
    }
}

void PictureCache::trim()
{
    // Walking a large folder costs more than a rebuild after one change. The total the last walk
    // measured, with what builds added since, tells when one is due: when it nears the limit,
    // and at least every kUsageWalkInterval, so that additions lost between two builds writing
    // the total at once stay few.
    std::uint64_t known = 0;
    std::int64_t walked = 0;
    if (readUsage(known, walked) && known + m_storedBytes <= m_limit / 2) {
        writeUsage(known + m_storedBytes, walked);
        return;
    }
    walkAndTrim();
}

void PictureCache::walkAndTrim()
{
    struct Kept
    {
        fs::file_time_type used;
        std::uintmax_t size;
        fs::path path;
    };
    std::vector<Kept> kept;
    std::uintmax_t total = 0;
    std::error_code error;
    const auto now = fs::file_time_type::clock::now();
    for (fs::recursive_directory_iterator it(m_directory, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code ignored;
        if (!it->is_regular_file(ignored)) {
            continue;
        }
        const fs::file_time_type used = it->last_write_time(ignored);
        const std::uintmax_t size = it->file_size(ignored);
        if (ignored) {
            continue; // removed by another build meanwhile
        }
        if (it->path().filename().string().rfind(kTemporaryPrefix, 0) == 0) {
            if (now - used > kStaleTemporary) {
                fs::remove(it->path(), ignored);
            }
            continue;
        }
        kept.push_back({used, size, it->path()});
        total += size;
    }
    const std::int64_t walked = std::chrono::duration_cast<std::chrono::seconds>(
                                    std::chrono::system_clock::now().time_since_epoch())
                                    .count();
    if (total <= m_limit) {
        writeUsage(total, walked);
        return;
    }
    std::sort(kept.begin(), kept.end(), [](const Kept& a, const Kept& b) {
        return std::tie(a.used, a.path) < std::tie(b.used, b.path);
    });
    for (const Kept& entry : kept) {
        if (total <= m_limit) {
            break;
        }
        std::error_code ignored;
        fs::remove(entry.path, ignored);
        total -= entry.size;
    }
    writeUsage(total, walked);
}

void PictureCache::turnOff(const std::string& problem)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_off) {
        m_problem = problem;
        m_off = true;
    }
}

std::string PictureCache::problem() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_problem;
}

} // namespace packing
