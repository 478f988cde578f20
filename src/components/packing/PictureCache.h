#pragma once

#include "components/packing/ResFileLayout.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace packing {

// Finished picture entries (converted, compressed, exactly as they are packed) kept on disk
// between builds, one file per entry, named by a 128-bit hash of the picture file's bytes and
// of everything that shapes its entry. Several builds, in one process or several, may use one
// folder at once: entries are written under a temporary name and renamed into place, and each
// carries its key and a checksum that find() checks, so that a damaged, cut or foreign file is
// never taken for an entry. When the folder cannot be written the cache turns itself off for
// the rest of its life and problem() says why; the build goes on without it. Safe to use from
// any thread.
class PictureCache
{
public:
    struct Key
    {
        std::uint64_t high = 0;
        std::uint64_t low = 0;
        bool operator==(const Key& o) const { return high == o.high && low == o.low; }
        bool operator<(const Key& o) const
        {
            return high < o.high || (high == o.high && low < o.low);
        }
    };
    struct Entry
    {
        ResEntryInfo info; // offset unused
        std::string warning;
        std::vector<std::uint8_t> data;
    };

    static constexpr std::uint64_t kDefaultLimit = std::uint64_t{2} << 30;

    // Uses (and creates when missing) `directory`; trim() keeps it within `limit` bytes.
    explicit PictureCache(std::string directory, std::uint64_t limit = kDefaultLimit);

    // "$XDG_CACHE_HOME/skinsmith", else "$HOME/.cache/skinsmith"; empty when neither is set.
    static std::string defaultDirectory();
    // The hash of a picture file's bytes.
    static Key contentOf(const std::uint8_t* bytes, std::size_t size);
    // The key of the picture file whose bytes hash to `content`, packed as `shape` says (any
    // text that differs whenever the entry would).
    static Key keyOf(const std::string& shape, const Key& content);

    // Fills `entry` from the entry kept for `key` and returns true; false when there is none,
    // or only a damaged one (counted in damaged()), or the cache is off.
    bool find(const Key& key, Entry& entry);
    // Keeps the entry `info` with its `warning` and `data` for `key`, replacing what was there.
    void store(const Key& key, const ResEntryInfo& info, const std::string& warning,
               const std::vector<std::uint8_t>& data);
    // Removes entries, least recently used first, until the folder holds at most the limit,
    // and temporary files that crashed builds left behind. The folder is walked only when the
    // total its last walk measured, with what was added since, nears the limit, or that walk
    // is an hour old.
    void trim();
    // Counts `bytes` that others put into the folder (a spare picture file) toward the limit.
    void addUsage(std::uint64_t bytes) { m_storedBytes += bytes; }
    // Whether anything was added to the folder, and so whether a trim may be due.
    bool grew() const { return m_storedBytes > 0; }

    bool enabled() const { return !m_off; }
    // Why the cache turned itself off, or empty.
    std::string problem() const;
    const std::string& directory() const { return m_directory; }
    std::string pathOf(const Key& key) const;
    int damaged() const { return m_damaged; }
    // Entries this object has written: only they can have put the folder over its limit.
    int stored() const { return m_stored; }

    // The bytes of an entry file for `key`; exposed for tests.
    static std::vector<std::uint8_t> encode(const Key& key, const ResEntryInfo& info,
                                            const std::string& warning,
                                            const std::vector<std::uint8_t>& data);
    // Reads an entry file's `bytes`; false unless they are a whole, intact entry for `key`.
    static bool decode(const Key& key, const std::vector<std::uint8_t>& bytes, Entry& entry);

private:
    void turnOff(const std::string& problem);
    void walkAndTrim();
    // The total and the time of the last walk, kept in the folder; false when there is none
    // of the last hour.
    bool readUsage(std::uint64_t& total, std::int64_t& walkedSeconds) const;
    void writeUsage(std::uint64_t total, std::int64_t walkedSeconds);
    bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

    std::string m_directory;
    std::uint64_t m_limit;
    std::atomic<bool> m_off{false};
    std::atomic<int> m_damaged{0};
    std::atomic<int> m_stored{0};
    std::atomic<std::uint64_t> m_storedBytes{0};
    std::atomic<unsigned> m_written{0};
    mutable std::mutex m_mutex;
    std::string m_problem;
};

} // namespace packing
