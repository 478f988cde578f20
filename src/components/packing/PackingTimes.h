#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

namespace packing {

// Where the picture workers spend their time, summed over every worker thread, and how many
// pictures the entry cache supplied. Shared by the workers, so every count is atomic.
struct PackingTimes
{
    std::atomic<std::int64_t> decodeNs{0};   // reading and decoding picture files
    std::atomic<std::int64_t> convertNs{0};  // converting pixels to the entry's format
    std::atomic<std::int64_t> compressNs{0}; // compressing entries
    std::atomic<std::int64_t> cacheNs{0};    // hashing, looking up and storing cache entries
    std::atomic<int> cacheHits{0};
    std::atomic<int> cacheMisses{0};

    void reset()
    {
        decodeNs = convertNs = compressNs = cacheNs = 0;
        cacheHits = cacheMisses = 0;
    }

    // Adds the time since `start` to `counter` and returns now.
    static std::chrono::steady_clock::time_point add(std::atomic<std::int64_t>& counter,
                                                     std::chrono::steady_clock::time_point start)
    {
        const auto now = std::chrono::steady_clock::now();
        counter += std::chrono::duration_cast<std::chrono::nanoseconds>(now - start).count();
        return now;
    }
};

} // namespace packing
