// skinsmith-cli build over the example project, and the pictures of a build read back
// through res-extract.

#include "components/PackingTestPictures.h"
#include "components/packing/ResFileReader.h"
#include "components/packing/StrFileReader.h"
#include "generate/ResourceBuild.h"
#include "model/APStyleProject.h"
#include "platform/ScriptedInteraction.h"
#include "support/PictureSetProject.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace {

class SkinsmithCliBuild : public ::testing::Test
{
protected:
    int run(const std::vector<std::string>& arguments)
    {
        std::string command = "'" + std::string(SKINSMITH_BIN_DIR) + "/skinsmith-cli'";
        for (const std::string& a : arguments) {
            command += " '" + a + "'";
        }
        const std::string err = m_dir.file("stderr.txt");
        const int status = std::system((command + " >/dev/null 2>'" + err + "'").c_str());
        const std::vector<std::uint8_t> bytes = packingtest::readBytes(err);
        m_stderr.assign(bytes.begin(), bytes.end());
        fs::remove(err);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // A copy of the example project; returns its project file.
    std::string copyDemo(const std::string& name)
    {
        const fs::path to = m_dir.file(name);
        fs::copy(fs::path(SKINSMITH_SOURCE_DIR) / "examples/demo", to, fs::copy_options::recursive);
        return (to / "demo.ui").string();
    }

    // Every file below `root` with its bytes.
    static std::map<std::string, std::vector<std::uint8_t>> filesBelow(const fs::path& root)
    {
        std::map<std::string, std::vector<std::uint8_t>> files;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            if (entry.is_regular_file()) {
                files[fs::relative(entry.path(), root).string()] =
                    packingtest::readBytes(entry.path().string());
            }
        }
        return files;
    }

    packingtest::TempDir m_dir;
    std::string m_stderr;
};

const char kDemoApp[] = "/case/images/apps/demo/";

} // namespace

TEST_F(SkinsmithCliBuild, UsageErrors)
{
    EXPECT_EQ(0, run({"build", "--help"}));
    EXPECT_EQ(2, run({"build"}));
    EXPECT_EQ(2, run({"build", "x.ui", "--quality", "fine"}));
    EXPECT_EQ(2, run({"build", "x.ui", "--format", "RGB555"}));
    EXPECT_EQ(2, run({"build", "x.ui", "--tile", "16"}));
    EXPECT_EQ(2, run({"build", "x.ui", "--threads", "0"}));
    EXPECT_EQ(2, run({"build", "x.ui", "--split-pack", "3", "--split-size-mb", "1"}));
    EXPECT_NE(std::string::npos, m_stderr.find("cannot be used together")) << m_stderr;
    EXPECT_EQ(2, run({"build", "x.ui", "--cache", m_dir.file("c"), "--no-cache"}));
    EXPECT_NE(std::string::npos, m_stderr.find("cannot be used together")) << m_stderr;
    EXPECT_EQ(2, run({"build", "x.ui", "--cache"}));
    // Only a compressed picture file is cut into parts: a split size alone is refused
    // before anything is loaded or written.
    EXPECT_EQ(2, run({"build", "x.ui", "--no-compress", "--split-size-mb", "1"}));
    EXPECT_NE(std::string::npos, m_stderr.find("--split-size-mb cuts only a compressed"))
        << m_stderr;

    // A file that cannot be read gets the reader's message and then the system's reason.
    EXPECT_EQ(1, run({"build", m_dir.file("missing.ui")}));
    const std::size_t malformed = m_stderr.find("ui文件格式不正确");
    const std::size_t reason =
        m_stderr.find("cannot load " + m_dir.file("missing.ui") + ": No such file or directory");
    EXPECT_NE(std::string::npos, malformed) << m_stderr;
    EXPECT_NE(std::string::npos, reason) << m_stderr;
    EXPECT_LT(malformed, reason);
    EXPECT_EQ(1, run({"build", m_dir.file("")}));
    EXPECT_NE(std::string::npos, m_stderr.find("Is a directory")) << m_stderr;
}

TEST_F(SkinsmithCliBuild, FormatNamesOfTheDocumentationAndTheMenuBothWork)
{
    const std::string project = copyDemo("demo");
    const std::string res = m_dir.file("demo") + kDemoApp + "style0/demo.res";
    std::vector<std::uint8_t> viaMenuName;
    for (const char* name : {"ARGB888", "argb8888"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(0, run({"build", project, "--format", name, "--no-compress"})) << m_stderr;
        packing::ResFileReader reader;
        ASSERT_TRUE(reader.load(res)) << reader.error();
        EXPECT_TRUE(std::any_of(reader.entries().begin(), reader.entries().end(),
                                [](const auto& entry) { return entry.format == 3; }));
        if (viaMenuName.empty()) {
            viaMenuName = packingtest::readBytes(res);
        } else {
            EXPECT_TRUE(packingtest::readBytes(res) == viaMenuName);
        }
    }
}

TEST_F(SkinsmithCliBuild, ExampleBuildsWithEveryFormat)
{
    const std::map<std::string, int> formats = {{"RGB565", 0},  {"ARGB565", 1}, {"ARGB888", 3},
                                                {"RGB888", 4},  {"Watch", 5},   {"ARGB6666", 6},
                                                {"ARGB1555", 7}};
    for (const auto& [name, code] : formats) {
        SCOPED_TRACE(name);
        const std::string project = copyDemo(name);
        ASSERT_EQ(0, run({"build", project, "--format", name, "--compress", "--compress-type",
                          "lz4", "--quality", "best"}))
            << m_stderr;
        const std::string app = m_dir.file(name) + kDemoApp;
        packing::ResFileReader reader;
        ASSERT_TRUE(reader.load(app + "style0/demo.res")) << reader.error();
        ASSERT_FALSE(reader.entries().empty());
        std::vector<std::uint8_t> planes;
        for (std::size_t i = 0; i < reader.entries().size(); ++i) {
            EXPECT_TRUE(reader.decodePlanes(i, planes)) << reader.error();
        }
        packing::StrFileReader strings;
        ASSERT_TRUE(strings.load(app + "demo.English")) << strings.error();
        EXPECT_FALSE(strings.texts().empty());
        EXPECT_TRUE(fs::exists(app + "strvalue.txt"));
    }
}

// The second build converts its pictures on one thread: the files must not depend on it.
TEST_F(SkinsmithCliBuild, BuildingTwiceGivesIdenticalFiles)
{
    const std::string project = copyDemo("demo");
    std::vector<std::string> args = {"build",   project,      "--format",
                                     "ARGB888", "--compress", "--compress-type",
                                     "rle",     "--quality",  "small"};
    ASSERT_EQ(0, run(args)) << m_stderr;
    const auto first = filesBelow(m_dir.file("demo"));
    args.insert(args.end(), {"--threads", "1"});
    ASSERT_EQ(0, run(args)) << m_stderr;
    const auto second = filesBelow(m_dir.file("demo"));
    ASSERT_EQ(first.size(), second.size());
    for (const auto& [name, bytes] : first) {
        EXPECT_TRUE(second.count(name) && second.at(name) == bytes) << name;
    }
}

TEST_F(SkinsmithCliBuild, RebuildThroughTheCacheWritesTheSameFilesAndKeepsThePictureFile)
{
    const std::string project = copyDemo("demo");
    const std::string cache = m_dir.file("cache");
    const std::string res = m_dir.file("demo") + kDemoApp + "style0/demo.res";
    const std::vector<std::string> args = {"build", project, "--format", "ARGB8888", "--compress"};
    ASSERT_EQ(0, run({"build", project, "--format", "ARGB8888", "--compress", "--no-cache"}))
        << m_stderr;
    const auto uncached = filesBelow(m_dir.file("demo"));

    std::vector<std::string> cached = args;
    cached.insert(cached.end(), {"--cache", cache, "--timings"});
    ASSERT_EQ(0, run(cached)) << m_stderr;
    EXPECT_NE(std::string::npos, m_stderr.find(" 0 hits,")) << m_stderr;
    const auto madeAt = fs::last_write_time(res);
    ASSERT_EQ(0, run(cached)) << m_stderr;
    for (const char* phase : {"load", "style", "pictures", "decode", "convert", "compress", "cache",
                              "strings", "write", "pictures per second"}) {
        EXPECT_NE(std::string::npos, m_stderr.find(phase)) << phase << "\n" << m_stderr;
    }
    EXPECT_NE(std::string::npos, m_stderr.find(" 0 misses")) << m_stderr;
    // Nothing changed: the picture file is the one the last build made.
    EXPECT_EQ(madeAt, fs::last_write_time(res));
    const auto again = filesBelow(m_dir.file("demo"));
    ASSERT_EQ(uncached.size(), again.size());
    for (const auto& [name, bytes] : uncached) {
        EXPECT_TRUE(again.count(name) && again.at(name) == bytes) << name;
    }
    // Another format: every picture is converted again, and the file with it.
    cached[3] = "RGB565";
    ASSERT_EQ(0, run(cached)) << m_stderr;
    EXPECT_NE(std::string::npos, m_stderr.find(" 0 hits,")) << m_stderr;
    EXPECT_NE(madeAt, fs::last_write_time(res));
}

TEST_F(SkinsmithCliBuild, MissingPictureStopsTheBuild)
{
    const std::string project = copyDemo("demo");
    const std::string missing = m_dir.file("demo") + kDemoApp + "icons/ic_alarm.png";
    fs::remove(missing);
    EXPECT_EQ(1, run({"build", project}));
    EXPECT_NE(std::string::npos, m_stderr.find("某些图片无法找到")) << m_stderr;
    // Named once, though several entries may share the file.
    const std::string line = "missing picture: " + missing + "\n";
    const std::size_t first = m_stderr.find(line);
    EXPECT_NE(std::string::npos, first) << m_stderr;
    EXPECT_EQ(std::string::npos, m_stderr.find(line, first + 1)) << m_stderr;
    EXPECT_FALSE(fs::exists(m_dir.file("demo") + kDemoApp + "style0/demo.res"));
}

// A picture whose last pixel chunk fails its CRC still decodes: the build names it and goes on,
// or with --strict stops.
TEST_F(SkinsmithCliBuild, DamagedPictureIsNamedAndStrictStops)
{
    const std::string project = copyDemo("demo");
    const std::string damaged = m_dir.file("demo") + kDemoApp + "icons/ic_alarm.png";
    std::vector<std::uint8_t> png = packingtest::readBytes(damaged);
    ASSERT_GT(png.size(), 16u);
    png[png.size() - 13] ^= 0xFF; // the CRC of the chunk before IEND
    packingtest::writeBytes(damaged, png);

    EXPECT_EQ(0, run({"build", project})) << m_stderr;
    EXPECT_NE(std::string::npos, m_stderr.find(damaged + ": damaged picture: CRC of its IDAT"))
        << m_stderr;
    EXPECT_TRUE(fs::exists(m_dir.file("demo") + kDemoApp + "style0/demo.res"));
    // A build that ran to its end says what it wrote.
    EXPECT_NE(std::string::npos, m_stderr.find("skinsmith-cli build: built ")) << m_stderr;

    EXPECT_EQ(1, run({"build", project, "--strict"})) << m_stderr;
    EXPECT_NE(std::string::npos, m_stderr.find("图片无法读取，无法创建资源文件：" + damaged))
        << m_stderr;
}

namespace {

struct FormatBits
{
    int code;
    int colourBits; // per channel (green of 565 has 6; the bound uses the red/blue 5)
    int alphaBits;  // 0: alpha dropped, drawn opaque
};

int maxError(int bits)
{
    return bits >= 8 ? 0 : (255 / ((1 << bits) - 1) + 2) / 2;
}

} // namespace

TEST_F(SkinsmithCliBuild, EveryPixelFormatRoundTripsThroughExtract)
{
    const packing::RgbaImage picture = packingtest::gradient(23, 11);
    const std::vector<FormatBits> formats = {{0, 5, 0}, {1, 5, 8}, {3, 8, 8}, {4, 8, 0},
                                             {5, 5, 0}, {6, 6, 6}, {7, 5, 1}};
    for (const FormatBits& format : formats) {
        SCOPED_TRACE(format.code);
        const std::string root = m_dir.file("f" + std::to_string(format.code));
        fs::create_directories(root);
        testsupport::PictureSetProject set(root, "p", 0, 0, 0);
        APStyleProject& project = set.project();
        project.AddPicture(packingtest::writePng(root + "/case/p.png", picture), 1);
        platform::ScriptedInteraction ui;
        platform::ScopedInteraction scope(ui);
        generate::ResourceBuildOptions options;
        options.format = format.code;
        options.compress = true;
        options.compressType = format.code % 2 == 0 ? 2 : 1;
        ASSERT_EQ(generate::ResourceBuild::Outcome::Built,
                  generate::ResourceBuild(project, set.style(), options).run());

        ASSERT_EQ(0, run({"res-extract", project.ResourceFile(), root + "/out"})) << m_stderr;
        int width = 0;
        int height = 0;
        int channels = 0;
        stbi_uc* pixels = stbi_load((root + "/out/0.png").c_str(), &width, &height, &channels, 4);
        ASSERT_NE(nullptr, pixels);
        ASSERT_EQ(23, width);
        ASSERT_EQ(11, height);
        int worstColour = 0;
        int worstAlpha = 0;
        for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
            const int error = std::abs(int{pixels[i]} - int{picture.pixels[i]});
            if (i % 4 == 3) {
                const int expected = format.alphaBits == 0   ? 255
                                     : format.alphaBits == 1 ? (picture.pixels[i] >= 128 ? 255 : 0)
                                                             : picture.pixels[i];
                worstAlpha = std::max(worstAlpha, std::abs(int{pixels[i]} - expected));
            } else {
                worstColour = std::max(worstColour, error);
            }
        }
        stbi_image_free(pixels);
        EXPECT_LE(worstColour, maxError(format.colourBits));
        EXPECT_LE(worstAlpha, format.alphaBits > 1 ? maxError(format.alphaBits) : 0);
    }
}
