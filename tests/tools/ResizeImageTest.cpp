// Runs the built resizeimage on picture folders made here, with the parameter text the editor's
// UI resizer dialog writes, and reads back what it wrote.
#include "editing/UiResizerDialogModel.h"
#include "platform/ChildProcess.h"
#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Decoded
{
    int width = 0;
    int height = 0;
    int channels = 0; // in the file
    std::vector<unsigned char> rgba;

    const unsigned char* at(int x, int y) const
    {
        return rgba.data() + (static_cast<std::size_t>(y) * width + x) * 4;
    }
};

Decoded decode(const std::string& path)
{
    Decoded picture;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load(path.c_str(), &picture.width, &picture.height, &picture.channels, 4),
        stbi_image_free);
    if (pixels) {
        picture.rgba.assign(pixels.get(), pixels.get() + static_cast<std::size_t>(picture.width) *
                                                             picture.height * 4);
    }
    return picture;
}

// Every file below `dir`, relative to it.
std::set<std::string> filesBelow(const std::string& dir)
{
    std::set<std::string> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(dir, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file()) {
            files.insert(fs::relative(it->path(), dir).generic_string());
        }
    }
    return files;
}

class ResizeImage : public ::testing::Test
{
protected:
    // An apps set below `root`: <root>/apps and <root>/resource/{PIC,PICH}.
    std::string appsSet(const std::string& root)
    {
        platform::createDirectories(root + "/apps");
        platform::createDirectories(root + "/resource/PIC");
        platform::createDirectories(root + "/resource/PICH");
        return root + "/apps";
    }

    // A 40 x 20 PNG: red, its top-left 10 x 10 pixels fully transparent black.
    void writeCornerPng(const std::string& path)
    {
        std::vector<unsigned char> pixels(40 * 20 * 4);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 40; ++x) {
                unsigned char* p = &pixels[(static_cast<std::size_t>(y) * 40 + x) * 4];
                const bool clear = x < 10 && y < 10;
                p[0] = clear ? 0 : 255;
                p[1] = 0;
                p[2] = 0;
                p[3] = clear ? 0 : 255;
            }
        }
        platform::createDirectories(fs::path(path).parent_path().string());
        ASSERT_TRUE(stbi_write_png(path.c_str(), 40, 20, 4, pixels.data(), 40 * 4));
    }

    // A `width` x `height` picture of one grey, as BMP or JPEG (by the extension).
    void writeGrey(const std::string& path, int width, int height)
    {
        const std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3, 128);
        platform::createDirectories(fs::path(path).parent_path().string());
        const bool bmp = fs::path(path).extension() == ".bmp";
        ASSERT_TRUE(bmp ? stbi_write_bmp(path.c_str(), width, height, 3, pixels.data())
                        : stbi_write_jpg(path.c_str(), width, height, 3, pixels.data(), 90));
    }

    // The parameter text of the dialog: 320 x 240 to `width` x `height`.
    std::string parameters(const std::string& sourceApps, const std::string& destinationApps,
                           int width, int height)
    {
        editing::UiResizerDialogModel dialog("");
        dialog.sourceAppsDirectory = sourceApps;
        dialog.destinationAppsDirectory = destinationApps;
        dialog.destinationWidth = width;
        dialog.destinationHeight = height;
        return dialog.parameterText();
    }

    // Runs resizeimage with the one argument `parameter`, without a shell, in `m_dir`.
    // Returns its exit status; its output is in m_output.
    int run(const std::string& parameter)
    {
        platform::ChildProcess resizer;
        resizer.setOutputFile(m_dir.filePath("output.txt"));
        const std::string program = std::string(SKINSMITH_BIN_DIR) + "/resizeimage";
        if (!resizer.start({program, parameter}, m_dir.path())) {
            return -2;
        }
        const int status = resizer.wait();
        m_output = platform::readFile(m_dir.filePath("output.txt")).value_or("");
        return status;
    }

    platform::TemporaryDirectory m_dir{"resizeimage-test"};
    std::string m_output;
};

} // namespace

TEST_F(ResizeImage, ResizesBothFoldersKeepingFormatAndAlpha)
{
    const std::string source = appsSet(m_dir.filePath("src"));
    writeCornerPng(m_dir.filePath("src/resource/PIC/corner.png"));
    writeGrey(m_dir.filePath("src/resource/PIC/sub/grey.bmp"), 30, 30);
    writeGrey(m_dir.filePath("src/resource/PICH/turned.jpg"), 30, 30);
    writeGrey(m_dir.filePath("src/resource/other/left.bmp"), 8, 8);

    // 320 x 240 to 480 x 120: upright pictures 1.5 across and 0.5 down, sideways ones the
    // other way round.
    ASSERT_EQ(0, run(parameters(source, m_dir.filePath("dst/apps"), 480, 120))) << m_output;
    const std::string out = m_dir.filePath("dst/resource/");
    EXPECT_EQ((std::set<std::string>{"PIC/corner.png", "PIC/sub/grey.bmp", "PICH/turned.jpg"}),
              filesBelow(out));
    EXPECT_NE(std::string::npos, m_output.find("3 pictures, 3 resized, 0 skipped")) << m_output;

    const Decoded png = decode(out + "PIC/corner.png");
    ASSERT_EQ(60, png.width);
    ASSERT_EQ(10, png.height);
    EXPECT_EQ(4, png.channels);
    EXPECT_EQ(0, png.at(0, 0)[3]) << "the transparent corner stays transparent";
    EXPECT_EQ(255, png.at(59, 9)[3]);
    EXPECT_EQ(255, png.at(59, 9)[0]);
    // Where the filter mixes the corner with its red neighbours, the mix is red of less alpha,
    // never a darker red (transparent black weighed as colour).
    int partial = 0;
    for (int y = 0; y < png.height; ++y) {
        for (int x = 0; x < png.width; ++x) {
            const unsigned char* p = png.at(x, y);
            if (p[3] > 16 && p[3] < 240) {
                ++partial;
                EXPECT_GT(p[0], 230) << x << "," << y << " alpha " << int(p[3]);
            }
        }
    }
    EXPECT_GT(partial, 0);

    const std::string bmpBytes = platform::readFile(out + "PIC/sub/grey.bmp").value_or("");
    EXPECT_EQ("BM", bmpBytes.substr(0, 2));
    const Decoded bmp = decode(out + "PIC/sub/grey.bmp");
    EXPECT_EQ(45, bmp.width);
    EXPECT_EQ(15, bmp.height);
    EXPECT_EQ(3, bmp.channels);

    const std::string jpgBytes = platform::readFile(out + "PICH/turned.jpg").value_or("");
    EXPECT_EQ("\xff\xd8", jpgBytes.substr(0, 2));
    const Decoded jpg = decode(out + "PICH/turned.jpg");
    EXPECT_EQ(15, jpg.width);
    EXPECT_EQ(45, jpg.height);
    EXPECT_NEAR(128, jpg.at(7, 20)[1], 4);
}

TEST_F(ResizeImage, UnreadablePictureIsReportedAndSkippedOthersWritten)
{
    const std::string source = appsSet(m_dir.filePath("src"));
    writeGrey(m_dir.filePath("src/resource/PIC/a.bmp"), 20, 20);
    writeGrey(m_dir.filePath("src/resource/PIC/c.jpg"), 20, 20);
    ASSERT_TRUE(platform::writeFileAtomically(m_dir.filePath("src/resource/PIC/broken.png"),
                                              "\x89PNG\r\n\x1a\n not really"));
    // A PNG cut off in the middle of its pixel data: the header reads, the pixels do not.
    writeCornerPng(m_dir.filePath("whole.png"));
    const std::string whole = platform::readFile(m_dir.filePath("whole.png")).value_or("");
    ASSERT_GT(whole.size(), 60u);
    ASSERT_TRUE(platform::writeFileAtomically(m_dir.filePath("src/resource/PICH/cut.png"),
                                              whole.substr(0, whole.size() - 30)));
    // An older result under the name of the broken picture stays as it was.
    platform::createDirectories(m_dir.filePath("dst/resource/PIC"));
    ASSERT_TRUE(
        platform::writeFileAtomically(m_dir.filePath("dst/resource/PIC/broken.png"), "older"));

    EXPECT_EQ(1, run(parameters(source, m_dir.filePath("dst/apps"), 160, 120)));
    EXPECT_NE(std::string::npos, m_output.find("skipped: cannot read")) << m_output;
    EXPECT_NE(std::string::npos, m_output.find("broken.png")) << m_output;
    EXPECT_NE(std::string::npos, m_output.find("cut.png")) << m_output;
    EXPECT_NE(std::string::npos, m_output.find("4 pictures, 2 resized, 2 skipped")) << m_output;
    // Nothing half-written, no temporary file left behind.
    EXPECT_EQ((std::set<std::string>{"PIC/a.bmp", "PIC/broken.png", "PIC/c.jpg"}),
              filesBelow(m_dir.filePath("dst/resource")));
    EXPECT_EQ("older", platform::readFile(m_dir.filePath("dst/resource/PIC/broken.png")));
    EXPECT_EQ(10, decode(m_dir.filePath("dst/resource/PIC/a.bmp")).width);
    EXPECT_EQ(10, decode(m_dir.filePath("dst/resource/PIC/c.jpg")).height);
}

TEST_F(ResizeImage, PathsWithQuotesSemicolonsAndCommandsAreOnlyPaths)
{
    // Every character a shell would act on, in both apps paths; the tool is started without
    // one, and its parameter parser keeps the ';' inside the paths.
    const std::string odd = "it's \"odd\"; $(touch pwned) `touch pwned2` & | >x;";
    const std::string source = appsSet(m_dir.filePath("src " + odd));
    writeGrey(m_dir.filePath("src " + odd + "/resource/PIC/p.bmp"), 32, 24);
    const std::string destination = m_dir.filePath("dst " + odd + "/apps");

    ASSERT_EQ(0, run(parameters(source, destination, 160, 120))) << m_output;
    const Decoded resized = decode(m_dir.filePath("dst " + odd + "/resource/PIC/p.bmp"));
    EXPECT_EQ(16, resized.width);
    EXPECT_EQ(12, resized.height);
    for (const char* name : {"pwned", "pwned2", "x"}) {
        EXPECT_FALSE(fs::exists(m_dir.filePath(name))) << name;
    }
}

TEST_F(ResizeImage, RefusesBadParametersWithUsage)
{
    const std::string source = appsSet(m_dir.filePath("src"));
    std::string text = parameters(source, m_dir.filePath("dst/apps"), 160, 120);
    EXPECT_EQ(2, run(text + " colour = blue;"));
    EXPECT_NE(std::string::npos, m_output.find("unknown parameter colour")) << m_output;
    text.replace(text.find("src_width = 320"), 15, "src_width = 0");
    EXPECT_EQ(2, run(text));
    EXPECT_NE(std::string::npos, m_output.find("src_width must be a number")) << m_output;
    EXPECT_FALSE(fs::exists(m_dir.filePath("dst")));
}
