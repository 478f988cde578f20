#include "PackingTestPictures.h"

#include "components/packing/PictureCache.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <thread>

#include <sys/resource.h>

using packing::PictureCache;
using packingtest::readBytes;
using packingtest::TempDir;
using packingtest::writeBytes;

namespace fs = std::filesystem;

namespace {

PictureCache::Key keyFor(const std::string& text)
{
    return PictureCache::keyOf(
        "shape",
        PictureCache::contentOf(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

packing::ResEntryInfo info(std::uint32_t size)
{
    packing::ResEntryInfo entry;
    entry.size = size;
    entry.width = 3;
    entry.height = 2;
    entry.format = packing::kFormatArgb8888;
    entry.compression = packing::kCompressionLz4;
    entry.flags = packing::kFlagCompress;
    return entry;
}

std::vector<std::uint8_t> dataOf(std::size_t size, std::uint8_t seed)
{
    std::vector<std::uint8_t> data(size);
    for (std::size_t i = 0; i < size; ++i) {
        data[i] = static_cast<std::uint8_t>(seed + i * 31);
    }
    return data;
}

bool sameEntry(const PictureCache::Entry& a, const packing::ResEntryInfo& info,
               const std::string& warning, const std::vector<std::uint8_t>& data)
{
    return a.info.size == info.size && a.info.width == info.width && a.info.height == info.height &&
           a.info.format == info.format && a.info.compression == info.compression &&
           a.info.flags == info.flags && a.warning == warning && a.data == data;
}

std::size_t filesIn(const std::string& dir)
{
    std::size_t count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        count += entry.is_regular_file() ? 1 : 0;
    }
    return count;
}

} // namespace

TEST(PictureCacheTest, KeyDependsOnShapeAndEveryByte)
{
    const std::string bytes = "picture bytes";
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const PictureCache::Key content = PictureCache::contentOf(p, bytes.size());
    const PictureCache::Key key = PictureCache::keyOf("a", content);
    EXPECT_EQ(key, PictureCache::keyOf("a", PictureCache::contentOf(p, bytes.size())));
    EXPECT_FALSE(key == PictureCache::keyOf("b", content));
    EXPECT_FALSE(key == PictureCache::keyOf("a", PictureCache::contentOf(p, bytes.size() - 1)));
    std::string changed = bytes;
    changed[5] ^= 1;
    EXPECT_FALSE(key ==
                 PictureCache::keyOf("a", PictureCache::contentOf(
                                              reinterpret_cast<const std::uint8_t*>(changed.data()),
                                              changed.size())));
}

TEST(PictureCacheTest, KeepsAndFindsEntriesByKey)
{
    TempDir dir;
    PictureCache cache(dir.file("cache/nested"));
    ASSERT_TRUE(cache.enabled()) << cache.problem();
    const auto data = dataOf(24, 5);
    cache.store(keyFor("one"), info(24), "damaged picture: chunk", data);
    cache.store(keyFor("empty"), info(0), "", {});

    PictureCache::Entry found;
    ASSERT_TRUE(cache.find(keyFor("one"), found));
    EXPECT_TRUE(sameEntry(found, info(24), "damaged picture: chunk", data));
    ASSERT_TRUE(cache.find(keyFor("empty"), found));
    EXPECT_TRUE(sameEntry(found, info(0), "", {}));
    EXPECT_FALSE(cache.find(keyFor("two"), found));
    EXPECT_EQ(0, cache.damaged());
    // Another cache object on the same folder, as the next build, finds them too.
    PictureCache next(dir.file("cache/nested"));
    EXPECT_TRUE(next.find(keyFor("one"), found));
}

TEST(PictureCacheTest, DamagedCutOrForeignEntriesAreNeverTaken)
{
    const PictureCache::Key key = keyFor("one");
    const auto data = dataOf(40, 9);
    const std::vector<std::uint8_t> good = PictureCache::encode(key, info(40), "w", data);
    PictureCache::Entry entry;
    ASSERT_TRUE(PictureCache::decode(key, good, entry));
    for (std::size_t i = 0; i < good.size(); ++i) {
        for (const std::uint8_t flip : {0x01, 0x80}) {
            std::vector<std::uint8_t> bad = good;
            bad[i] ^= flip;
            EXPECT_FALSE(PictureCache::decode(key, bad, entry)) << "byte " << i;
        }
    }
    for (std::size_t size = 0; size < good.size(); ++size) {
        const std::vector<std::uint8_t> cut(good.begin(), good.begin() + size);
        EXPECT_FALSE(PictureCache::decode(key, cut, entry)) << "cut at " << size;
    }
    std::vector<std::uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_FALSE(PictureCache::decode(key, longer, entry));
    // An intact entry of another picture, put under this key's name.
    EXPECT_FALSE(PictureCache::decode(keyFor("two"), good, entry));
    // An entry whose record disagrees with its data, checksum and all.
    EXPECT_FALSE(PictureCache::decode(key, PictureCache::encode(key, info(41), "", data), entry));
}

TEST(PictureCacheTest, DamagedFileOnDiskIsCountedAndReplacedByTheNextStore)
{
    TempDir dir;
    PictureCache cache(dir.file("c"));
    const PictureCache::Key key = keyFor("one");
    const auto data = dataOf(64, 1);
    cache.store(key, info(64), "", data);
    std::vector<std::uint8_t> bytes = readBytes(cache.pathOf(key));
    bytes[bytes.size() / 2] ^= 0x10;
    writeBytes(cache.pathOf(key), bytes);

    PictureCache::Entry found;
    EXPECT_FALSE(cache.find(key, found));
    EXPECT_EQ(1, cache.damaged());
    cache.store(key, info(64), "", data);
    ASSERT_TRUE(cache.find(key, found));
    EXPECT_EQ(data, found.data);
    // Replaced by a rename: no temporary file is left beside it.
    EXPECT_EQ(1u, filesIn(dir.file("c")));
}

TEST(PictureCacheTest, FolderThatCannotBeMadeTurnsTheCacheOff)
{
    TempDir dir;
    writeBytes(dir.file("file"), {1});
    PictureCache cache(dir.file("file/cache"));
    EXPECT_FALSE(cache.enabled());
    EXPECT_NE(std::string::npos, cache.problem().find("file/cache"));
    cache.store(keyFor("one"), info(1), "", {1});
    PictureCache::Entry found;
    EXPECT_FALSE(cache.find(keyFor("one"), found));
}

TEST(PictureCacheTest, FailedWriteTurnsTheCacheOffAndLeavesNothingBehind)
{
    TempDir dir;
    PictureCache cache(dir.file("c"));
    ASSERT_TRUE(cache.enabled());
    // A file size limit stands in for a full disk: the write fails part way.
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &small);
    cache.store(keyFor("big"), info(4000), "", dataOf(4000, 3));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(cache.enabled());
    EXPECT_FALSE(cache.problem().empty());
    EXPECT_EQ(0u, filesIn(dir.file("c")));
    // Once off, it stays off for the build, even where a write would succeed.
    cache.store(keyFor("small"), info(1), "", {1});
    EXPECT_EQ(0u, filesIn(dir.file("c")));
}

TEST(PictureCacheTest, TrimRemovesLeastRecentlyUsedEntriesAndStaleTemporaries)
{
    TempDir dir;
    const std::vector<std::uint8_t> data = dataOf(1000, 7);
    const std::uint64_t entrySize = PictureCache::encode(keyFor("0"), info(1000), "", data).size();
    PictureCache cache(dir.file("c"), 3 * entrySize);
    const auto now = fs::file_time_type::clock::now();
    for (int i = 0; i < 5; ++i) {
        const PictureCache::Key key = keyFor(std::to_string(i));
        cache.store(key, info(1000), "", data);
        // Entry 0 was used last; the others in order of their number.
        const int age = i == 0 ? 0 : 10 - i;
        fs::last_write_time(cache.pathOf(key), now - std::chrono::hours(2 * age + 2));
    }
    const std::string stale = dir.file("c/.tmp-1-0-old");
    const std::string fresh = dir.file("c/.tmp-1-1-new");
    writeBytes(stale, {1});
    writeBytes(fresh, {1});
    fs::last_write_time(stale, now - std::chrono::hours(3));

    cache.trim();
    PictureCache::Entry found;
    EXPECT_TRUE(cache.find(keyFor("0"), found));
    EXPECT_FALSE(cache.find(keyFor("1"), found));
    EXPECT_FALSE(cache.find(keyFor("2"), found));
    EXPECT_TRUE(cache.find(keyFor("3"), found));
    EXPECT_TRUE(cache.find(keyFor("4"), found));
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(fresh)); // perhaps still being written
}

TEST(PictureCacheTest, TrimWalksOnlyWhenTheFolderNearsItsLimit)
{
    TempDir dir;
    const std::vector<std::uint8_t> data = dataOf(1000, 7);
    const std::uint64_t entrySize = PictureCache::encode(keyFor("0"), info(1000), "", data).size();
    const std::uint64_t limit = 10 * entrySize;
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(5);
    {
        PictureCache first(dir.file("c"), limit);
        first.store(keyFor("first"), info(1000), "", data);
        fs::last_write_time(first.pathOf(keyFor("first")), old);
        first.trim(); // measures the folder: one entry
    }
    // Someone else's file the cache does not know of puts the folder over its limit.
    writeBytes(dir.file("c/other"), dataOf(static_cast<int>(limit), 1));
    {
        PictureCache second(dir.file("c"), limit);
        second.store(keyFor("second"), info(1000), "", data);
        second.trim(); // two entries by its count: far below the limit, nothing walked
        EXPECT_TRUE(fs::exists(second.pathOf(keyFor("first"))));
    }
    {
        // A spare noted as half the limit makes the next trim walk, and it finds the rest.
        PictureCache third(dir.file("c"), limit);
        third.addUsage(limit / 2);
        ASSERT_TRUE(third.grew());
        third.trim();
        EXPECT_FALSE(fs::exists(third.pathOf(keyFor("first"))));
    }
}

TEST(PictureCacheTest, HitMarksAnOldEntryAsRecentlyUsed)
{
    TempDir dir;
    PictureCache cache(dir.file("c"));
    const PictureCache::Key key = keyFor("one");
    cache.store(key, info(3), "", {1, 2, 3});
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(48);
    fs::last_write_time(cache.pathOf(key), old);
    PictureCache::Entry found;
    ASSERT_TRUE(cache.find(key, found));
    EXPECT_GT(fs::last_write_time(cache.pathOf(key)), old + std::chrono::hours(47));
}

TEST(PictureCacheTest, BuildsSharingAFolderFillItTogether)
{
    TempDir dir;
    PictureCache first(dir.file("c"));
    PictureCache second(dir.file("c"));
    constexpr int kKeys = 20;
    std::vector<std::thread> threads;
    std::atomic<int> wrong{0};
    for (int t = 0; t < 4; ++t) {
        PictureCache& cache = t % 2 == 0 ? first : second;
        threads.emplace_back([&cache, &wrong, t] {
            for (int round = 0; round < 5; ++round) {
                for (int k = 0; k < kKeys; ++k) {
                    const int i = (k + t * 7) % kKeys;
                    const auto data = dataOf(300 + i, static_cast<std::uint8_t>(i));
                    const auto size = static_cast<std::uint32_t>(data.size());
                    PictureCache::Entry found;
                    if (cache.find(keyFor(std::to_string(i)), found)) {
                        wrong += sameEntry(found, info(size), "", data) ? 0 : 1;
                    } else {
                        cache.store(keyFor(std::to_string(i)), info(size), "", data);
                    }
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(0, wrong);
    EXPECT_EQ(0, first.damaged() + second.damaged());
    EXPECT_TRUE(first.enabled() && second.enabled());
    EXPECT_EQ(std::size_t{kKeys}, filesIn(dir.file("c")));
}
