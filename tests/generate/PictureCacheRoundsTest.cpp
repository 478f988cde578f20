// Rounds of random changes to a project, its options and its picture cache: every output of
// a build through the cache must equal, byte for byte, that of a build without it.

#include "generate/ResourceBuildFixture.h"

#include "components/PackingTestPictures.h"
#include "components/packing/PictureCache.h"
#include "generate/BuildRecord.h"
#include "platform/FileSystem.h"

#include <stb/stb_image_write.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <thread>

namespace fs = std::filesystem;
using generate::ResourceBuild;
using generate::ResourceBuildOptions;

namespace {

struct BuildResult
{
    ResourceBuild::Outcome outcome;
    std::vector<std::string> warnings;
    std::map<std::string, std::string> outputs;
    generate::BuildTimings timings;
    std::vector<std::string> messages;
};

class PictureCacheRoundsTest : public ResourceBuildTest
{
protected:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    bool chance(int percent) { return pick(0, 99) < percent; }

    // Writes a random picture of kind `kind` (0 PNG, 1 opaque PNG, 2 BMP, 3 JPEG, 4 PNG with
    // a damaged chunk CRC) to `file`.
    void writePicture(const std::string& file, int kind)
    {
        const int width = pick(1, 32);
        const int height = pick(1, 16);
        // Flat bands compress (so that compression options matter); noise does not.
        const bool flat = chance(60);
        const int base = pick(0, 255);
        std::vector<std::uint8_t> pixels;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                for (int c = 0; c < 4; ++c) {
                    const int value = flat ? base + (y / 4 + x / 16) * 40 * c : pick(0, 255);
                    pixels.push_back(static_cast<std::uint8_t>(c == 3 && kind == 1 ? 255 : value));
                }
            }
        }
        if (kind == 2) {
            stbi_write_bmp(file.c_str(), width, height, 4, pixels.data());
        } else if (kind == 3) {
            stbi_write_jpg(file.c_str(), width, height, 4, pixels.data(), 90);
        } else {
            stbi_write_png(file.c_str(), width, height, 4, pixels.data(), width * 4);
        }
        if (kind == 4) {
            // The last byte of the first chunk's CRC: the picture still decodes, with a warning.
            std::string bytes = fileBytes(file);
            bytes[32] = static_cast<char>(bytes[32] ^ 0x5A);
            platform::writeFileAtomically(file, bytes);
        }
    }

    void addRandomPicture()
    {
        static const char* const kExtensions[] = {".png", ".png", ".bmp", ".jpg", ".png"};
        const int kind = pick(0, 4);
        const std::string file =
            path("case/pics/p" + std::to_string(m_nextName++) + kExtensions[kind]);
        writePicture(file, kind);
        m_project.AddPicture(file, 1);
        m_project.LayerMap()[m_project.StoredPicturePath(file)] = pick(1, 200);
        m_kinds[file] = kind;
    }

    std::string absolutePath(std::size_t index)
    {
        return m_project.ResolvePath(m_project.Pictures().At(index).path, false);
    }

    void removePicture(std::size_t index)
    {
        m_project.LayerMap().erase(m_project.Pictures().At(index).path);
        m_project.Pictures().RemoveAt({index});
    }

    void changePictures()
    {
        const std::size_t count = m_project.Pictures().Size();
        const int action = pick(0, 9);
        if (action <= 1 || count < 4) {
            addRandomPicture();
        } else if (action == 2) {
            removePicture(static_cast<std::size_t>(pick(0, int(count) - 1)));
        } else if (action == 3) {
            // Renamed: the same bytes under another name, registered anew.
            const std::size_t index = static_cast<std::size_t>(pick(0, int(count) - 1));
            const std::string from = absolutePath(index);
            const std::string to = path("case/pics/r" + std::to_string(m_nextName++) +
                                        fs::path(from).extension().string());
            removePicture(index);
            fs::rename(from, to);
            m_project.AddPicture(to, 1);
            m_project.LayerMap()[m_project.StoredPicturePath(to)] = pick(1, 200);
            m_kinds[to] = m_kinds[from];
        } else if (action <= 6) {
            // Edited in place, the same kind of file.
            const std::string file =
                absolutePath(static_cast<std::size_t>(pick(0, int(count) - 1)));
            writePicture(file, m_kinds[file]);
        } else if (action == 7) {
            const std::size_t index = static_cast<std::size_t>(pick(0, int(count) - 1));
            m_project.Pictures().SetAlphaFormat(index, chance(50) ? 8 : 0);
        } else if (action == 8) {
            const std::size_t index = static_cast<std::size_t>(pick(0, int(count) - 1));
            static const std::uint8_t kOutputs[] = {0, 6, 8};
            m_project.Pictures().SetArgbOutput(index, kOutputs[pick(0, 2)]);
        }
    }

    // Returns one of `values` other than `current`.
    int other(int current, std::vector<int> values)
    {
        values.erase(std::remove(values.begin(), values.end(), current), values.end());
        return values[static_cast<std::size_t>(pick(0, int(values.size()) - 1))];
    }

    // Changes one option, so that the cache holds entries that differ from this build's in
    // that option alone. Strict and debug builds last one round.
    void changeOption()
    {
        ResourceBuildOptions& o = m_options;
        switch (pick(0, 10)) {
        case 0:
            o.format = other(o.format, {0, 1, 3, 4, 5, 6, 7});
            break;
        case 1:
            o.compress = !o.compress;
            break;
        case 2:
            o.compressType = other(o.compressType, {1, 2});
            break;
        case 3:
            o.quality = other(o.quality, {0, 1});
            break;
        case 4:
            o.rawJpeg = !o.rawJpeg;
            break;
        case 5:
            o.tileWidth = other(o.tileWidth, {0, 4, 8});
            break;
        case 6:
            o.tileHeight = other(o.tileHeight, {3, 5});
            break;
        case 7:
            o.splitPackStart = other(o.splitPackStart, {-1, 60, 120});
            o.splitSize = 0;
            break;
        case 8:
            o.splitSize = o.splitSize == 0 && o.compress && o.splitPackStart < 0 ? 512 : 0;
            break;
        case 9:
            o.strict = true;
            break;
        default:
            o.debugMode = true;
            break;
        }
        if (!o.compress) {
            o.splitSize = 0;
        }
    }

    // Damages some entries on disk: bytes changed, cut short, another entry's bytes,
    // garbage, or a folder in an entry's place.
    void damageCache()
    {
        std::vector<fs::path> entries;
        if (!fs::exists(path("cache"))) {
            return;
        }
        for (const auto& entry : fs::recursive_directory_iterator(path("cache"))) {
            if (entry.is_regular_file()) {
                entries.push_back(entry.path());
            }
        }
        if (entries.size() < 2) {
            return;
        }
        std::sort(entries.begin(), entries.end());
        for (int n = pick(1, 3); n > 0; --n) {
            const fs::path& file =
                entries[static_cast<std::size_t>(pick(0, int(entries.size()) - 1))];
            std::string bytes = fileBytes(file.string());
            switch (pick(0, 4)) {
            case 0:
                if (!bytes.empty()) {
                    bytes[static_cast<std::size_t>(pick(0, int(bytes.size()) - 1))] ^= 0x04;
                }
                break;
            case 1:
                bytes.resize(static_cast<std::size_t>(pick(0, int(bytes.size()))));
                break;
            case 2:
                bytes = fileBytes(
                    entries[static_cast<std::size_t>(pick(0, int(entries.size()) - 1))].string());
                break;
            case 3:
                bytes = "not an entry";
                break;
            default:
                fs::remove(file);
                fs::create_directory(file);
                continue;
            }
            platform::writeFileAtomically(file.string(), bytes);
            m_damaged = true;
        }
    }

    BuildResult buildOnce(bool cached)
    {
        generate::ResourceBuildOptions options = m_options;
        options.useCache = cached;
        options.cacheDirectory = path("cache");
        m_ui.clear();
        ResourceBuild build(m_project, m_style, options);
        BuildResult result{build.run(), build.warnings(), filesBelow(path("case/out")),
                           build.timings(), m_ui.messages()};
        // A removed picture's entry file stays behind; outputs of the other build do not.
        return result;
    }

    std::mt19937 m_random{20261210};
    int m_nextName = 0;
    std::map<std::string, int> m_kinds;
    bool m_damaged = false;
    ResourceBuildOptions m_firstOptions;
};

} // namespace

TEST_F(PictureCacheRoundsTest, CachedBuildsEqualUncachedBuildsByteForByte)
{
    for (int i = 0; i < 10; ++i) {
        addRandomPicture();
    }
    addStrings({{"OK", "OK", "好"}});
    m_options.compress = true;
    m_options.tileWidth = 8;
    m_options.tileHeight = 3;
    m_firstOptions = m_options;
    int quietRounds = 0;
    int damagedRounds = 0;
    int kept = 0;
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const bool quiet = round > 0 && chance(20) && !m_options.strict && !m_options.debugMode;
        m_damaged = false;
        m_options.strict = false;
        m_options.debugMode = false;
        if (!quiet) {
            for (int n = chance(70) ? pick(1, 3) : 0; n > 0; --n) {
                changePictures();
            }
            // Back to the first options now and then, so that one change away from them is
            // often one change away from entries in the cache.
            if (chance(25)) {
                m_options = m_firstOptions;
            } else if (chance(70)) {
                changeOption();
            }
            if (chance(30)) {
                damageCache();
            }
        }
        // In every other round the cached build follows the last cached build directly, so
        // that the picture file it made may be kept as it is.
        const bool afterCached = round % 2 == 0;
        const BuildResult first = buildOnce(afterCached);
        const BuildResult second = buildOnce(!afterCached);
        const BuildResult& cached = afterCached ? first : second;
        const BuildResult& clean = afterCached ? second : first;
        ASSERT_EQ(clean.outcome, cached.outcome) << ::testing::PrintToString(cached.messages);
        EXPECT_EQ(clean.warnings, cached.warnings);
        EXPECT_EQ(clean.messages, cached.messages);
        ASSERT_EQ(clean.outputs.size(), cached.outputs.size());
        for (const auto& [name, bytes] : clean.outputs) {
            const auto found = cached.outputs.find(name);
            ASSERT_NE(cached.outputs.end(), found) << name;
            EXPECT_TRUE(bytes == found->second) << name << " differs";
        }
        EXPECT_EQ(0, clean.timings.cacheHits + clean.timings.cacheMisses);
        if (quiet && cached.outcome == ResourceBuild::Outcome::Built) {
            // Nothing changed since the last cached build: every picture comes from the cache,
            // or the whole picture file is kept.
            EXPECT_EQ(0, cached.timings.cacheMisses);
            kept += cached.timings.cacheHits == 0 ? 1 : 0;
            ++quietRounds;
        }
        damagedRounds += m_damaged ? 1 : 0;
    }
    // The rounds did exercise both roads.
    EXPECT_GT(quietRounds, 2);
    EXPECT_GT(damagedRounds, 2);
    EXPECT_GT(kept, 0);
}

TEST_F(ResourceBuildTest, PictureFileChangedSinceTheLastBuildIsMadeAgain)
{
    addPicture("a.png", packingtest::gradient(4, 3));
    addPicture("b.png", packingtest::blocks(30, 9));
    m_options.useCache = true;
    m_options.cacheDirectory = path("cache");
    ASSERT_EQ(ResourceBuild::Outcome::Built, build()) << ::testing::PrintToString(m_errors);
    const std::string made = fileBytes(resFile());
    ASSERT_EQ(ResourceBuild::Outcome::Built, build());
    EXPECT_TRUE(made == fileBytes(resFile()));

    // Someone else's file in its place, of the same size.
    platform::writeFileAtomically(resFile(), std::string(made.size(), 'x'));
    ASSERT_EQ(ResourceBuild::Outcome::Built, build());
    EXPECT_TRUE(made == fileBytes(resFile()));
}

TEST_F(ResourceBuildTest, UnwritableCacheIsOneWarningAndTheBuildSucceeds)
{
    addPicture("a.png", packingtest::gradient(4, 3));
    addPicture("b.png", packingtest::gradient(5, 2));
    platform::writeFileAtomically(path("blocker"), "a file where the cache folder would be");
    m_options.useCache = true;
    m_options.cacheDirectory = path("blocker/cache");

    ASSERT_EQ(ResourceBuild::Outcome::Built, build()) << ::testing::PrintToString(m_errors);
    const std::vector<std::string> messages = m_ui.messages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(0u, messages[0].find("图片缓存已关闭"));
    EXPECT_NE(std::string::npos, messages[0].find("blocker/cache"));
    EXPECT_TRUE(platform::pathExists(resFile()));
}

TEST_F(ResourceBuildTest, ProgressCountsPicturesDoneOfTotal)
{
    for (int i = 0; i < 20; ++i) {
        addPicture("p" + std::to_string(i) + ".png", packingtest::gradient(3 + i, 2));
    }
    ASSERT_EQ(ResourceBuild::Outcome::Built, build()) << ::testing::PrintToString(m_errors);
    EXPECT_EQ(std::make_pair(20, 20), m_ui.lastItems());
}

namespace {

std::uint64_t inodeOf(const std::string& file)
{
    const auto stamp = generate::FileStamp::of(file);
    return stamp ? stamp->inode : 0;
}

} // namespace

// An edit-build cycle: each build after one or two pictures changed takes the other entries
// from the last file and rewrites the spare the build before left. Every file must equal a
// clean build's, and a copy linked to an earlier output must never be written to.
TEST_F(PictureCacheRoundsTest, EditBuildCycleRewritesTheSpareAndEqualsCleanBuilds)
{
    for (int i = 0; i < 12; ++i) {
        addRandomPicture();
    }
    m_options.cacheDirectory = path("cache");
    for (const bool compress : {false, true}) {
        SCOPED_TRACE(compress ? "compressed" : "raw");
        m_options.compress = compress;
        std::vector<std::uint64_t> inodes;
        std::string linked;
        std::string linkedBytes;
        for (int round = 0; round < 8; ++round) {
            SCOPED_TRACE("round " + std::to_string(round));
            if (round > 0) {
                for (int n = pick(1, 2); n > 0; --n) {
                    const std::size_t index = static_cast<std::size_t>(pick(0, 11));
                    writePicture(absolutePath(index), m_kinds[absolutePath(index)]);
                }
            }
            m_options.useCache = true;
            m_project.SetResourceFile(resFile());
            ASSERT_EQ(ResourceBuild::Outcome::Built, build()) << ::testing::PrintToString(m_errors);
            const std::string cached = fileBytes(resFile());
            inodes.push_back(inodeOf(resFile()));
            if (round == 5) {
                // Someone keeps this output under a second name.
                linked = path("kept.res");
                fs::create_hard_link(resFile(), linked);
            }
            m_options.useCache = false;
            m_project.SetResourceFile(path("clean/t.res"));
            ASSERT_EQ(ResourceBuild::Outcome::Built, build());
            EXPECT_TRUE(cached == fileBytes(path("clean/t.res")));
            if (round == 5) {
                linkedBytes = cached;
            }
        }
        m_project.SetResourceFile(resFile());
        // From the third build on the file written is the one of two builds before, unless a
        // second name keeps that one.
        for (int round = 2; round < 7; ++round) {
            EXPECT_EQ(inodes[static_cast<std::size_t>(round - 2)],
                      inodes[static_cast<std::size_t>(round)])
                << round;
        }
        EXPECT_NE(inodes[5], inodes[7]);
        EXPECT_TRUE(linkedBytes == fileBytes(linked));
        fs::remove(linked);
    }
}

TEST_F(ResourceBuildTest, BuildKeepingTheFileLearnsStampsOfPicturesOldEnoughToTrust)
{
    addPicture("a.png", packingtest::gradient(4, 3));
    addPicture("b.png", packingtest::blocks(30, 9));
    m_options.useCache = true;
    m_options.cacheDirectory = path("cache");
    const std::string record = generate::BuildRecord::pathFor(path("cache"), resFile());
    // Pictures written a moment ago may change again without their stamps showing it.
    ASSERT_EQ(ResourceBuild::Outcome::Built, build()) << ::testing::PrintToString(m_errors);
    generate::BuildRecord first;
    ASSERT_TRUE(first.load(record));
    EXPECT_TRUE(first.pictures.empty());
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    ASSERT_EQ(ResourceBuild::Outcome::Built, build());
    generate::BuildRecord second;
    ASSERT_TRUE(second.load(record));
    EXPECT_EQ(2u, second.pictures.size());
    EXPECT_TRUE(second.output == first.output);
}

// An output that is a symbolic link is replaced by the build; the file it named is someone
// else's and must never become a spare that later builds write into.
TEST_F(PictureCacheRoundsTest, FileBehindASymbolicLinkOutputIsNeverWritten)
{
    for (int i = 0; i < 8; ++i) {
        addRandomPicture();
    }
    m_options.useCache = true;
    m_options.cacheDirectory = path("cache");
    const std::string elsewhere = path("elsewhere.res");
    platform::writeFileAtomically(elsewhere, "someone else's file");
    fs::create_directories(fs::path(resFile()).parent_path());
    fs::create_symlink(elsewhere, resFile());
    for (int round = 0; round < 4; ++round) {
        const std::string file = absolutePath(static_cast<std::size_t>(pick(0, 7)));
        writePicture(file, m_kinds[file]);
        ASSERT_EQ(ResourceBuild::Outcome::Built, build()) << ::testing::PrintToString(m_errors);
        EXPECT_TRUE(fileBytes(elsewhere) == "someone else's file") << round;
    }
}
