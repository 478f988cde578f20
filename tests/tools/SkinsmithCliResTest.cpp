// Runs the built skinsmith-cli on resource files written by the packer and
// checks what res-dump lists and what res-extract writes.

#include "components/PackingTestPictures.h"
#include "components/packing/CZorRes.h"
#include "components/packing/ResFileReader.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <sys/wait.h>

#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;
using packingtest::readBytes;

namespace {

std::vector<std::string> tokens(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

class SkinsmithCliRes : public ::testing::Test
{
protected:
    // Runs skinsmith-cli with `arguments` (each quoted here); keeps its output.
    int run(const std::vector<std::string>& arguments)
    {
        std::string command = "'" + std::string(SKINSMITH_BIN_DIR) + "/skinsmith-cli'";
        for (const std::string& a : arguments) {
            command += " '" + a + "'";
        }
        const std::string out = m_dir.file("stdout.txt");
        const std::string err = m_dir.file("stderr.txt");
        const int status = std::system((command + " >'" + out + "' 2>'" + err + "'").c_str());
        const auto text = [](const std::string& path) {
            const std::vector<std::uint8_t> b = readBytes(path);
            return std::string(b.begin(), b.end());
        };
        m_stdout = text(out);
        m_stderr = text(err);
        fs::remove(out);
        fs::remove(err);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The listed row whose first column is `index`, split into columns.
    std::vector<std::string> row(const std::string& index) const
    {
        std::istringstream in(m_stdout);
        for (std::string line; std::getline(in, line);) {
            const std::vector<std::string> words = tokens(line);
            if (!words.empty() && words[0] == index) {
                return words;
            }
        }
        return {};
    }

    // Packs a lossless ARGB8888 gradient, an RGB565 picture with an alpha
    // plane and a raw JPEG, with start index 5.
    std::string packPictures()
    {
        m_gradient = packingtest::gradient(4, 3);
        const std::string a = packingtest::writePng(m_dir.file("a.png"), m_gradient);
        const std::string b = packingtest::writePng(m_dir.file("b.png"), packingtest::blocks(5, 2));
        m_jpeg = packingtest::writeJpeg(m_dir.file("c.jpg"), 6, 4);
        CZorRes packer;
        EXPECT_EQ(1, packer.AddPicture("PIC1", a, 0, 1, PIC_RES_ARGB888, 1, 0, 0, 0));
        EXPECT_EQ(1, packer.AddPicture("PIC2", b, 1, 1, PIC_RES_RGB565, 1, 8, 0, 0));
        EXPECT_EQ(1, packer.AddPicture("PIC3", m_jpeg, 0, 1, PIC_RES_RGB565, 1, 0, 0, 1));
        const std::string path = m_dir.file("pics.res");
        EXPECT_EQ(1, packer.SaveFile(path, 5, 1, 0, 0));
        return path;
    }

    packingtest::TempDir m_dir;
    std::string m_stdout;
    std::string m_stderr;
    packing::RgbaImage m_gradient;
    std::string m_jpeg;
};

TEST_F(SkinsmithCliRes, DumpListsHeaderAndEveryPictureEntry)
{
    const std::string path = packPictures();
    ASSERT_EQ(0, run({"res-dump", path})) << m_stderr;
    EXPECT_NE(std::string::npos, m_stdout.find("entries: 3\n")) << m_stdout;
    EXPECT_NE(std::string::npos, m_stdout.find("compression method: RLE\n"));
    EXPECT_NE(std::string::npos, m_stdout.find("start index: 5\n"));
    EXPECT_NE(std::string::npos, m_stdout.find("tile size: none\n"));

    packing::ResFileReader reader;
    ASSERT_TRUE(reader.load(path));
    const auto& e = reader.entries();
    EXPECT_EQ(std::vector<std::string>({"5", "64", "48", "4x3", "ARGB8888", "none", "-"}),
              row("5"));
    EXPECT_EQ(std::vector<std::string>({"6", std::to_string(e[1].offset), "30", "5x2", "RGB565",
                                        "none", "compress,alpha"}),
              row("6"));
    EXPECT_EQ(std::vector<std::string>({"7", std::to_string(e[2].offset),
                                        std::to_string(fs::file_size(m_jpeg)), "6x4", "JPEG",
                                        "none", "-"}),
              row("7"));
}

TEST_F(SkinsmithCliRes, DumpRecognisesStringFiles)
{
    CZorRes packer;
    const std::string first("OK\0\xE5\xA5\xBD", 6);
    const std::string second("a\tb\"\x01\0\xFF\x7F", 8);
    ASSERT_EQ(1, packer.AddString("STR1", first.data(), static_cast<int>(first.size() + 1), 1));
    ASSERT_EQ(1, packer.AddString("STR2", second.data(), static_cast<int>(second.size() + 1), 1));
    ASSERT_EQ(1, packer.SaveFileByLanguage(m_dir.file(""), {"demo.english", "demo.chinese"}));

    ASSERT_EQ(0, run({"res-dump", m_dir.file("demo.chinese")})) << m_stderr;
    EXPECT_NE(std::string::npos, m_stdout.find("language: 1 of 2\n")) << m_stdout;
    EXPECT_NE(std::string::npos, m_stdout.find("strings: 2\n"));
    // UTF-8 stays readable; other bytes are escaped so that every byte shows.
    EXPECT_NE(std::string::npos, m_stdout.find("0      3        \"\xE5\xA5\xBD\"\n")) << m_stdout;
    EXPECT_NE(std::string::npos, m_stdout.find("1      2        \"\\xff\\x7f\"\n")) << m_stdout;

    ASSERT_EQ(0, run({"res-dump", m_dir.file("demo.english")})) << m_stderr;
    EXPECT_NE(std::string::npos, m_stdout.find("1      5        \"a\\tb\\\"\\x01\"\n")) << m_stdout;
}

TEST_F(SkinsmithCliRes, ExtractWritesWhatTheFirmwareDecodes)
{
    const std::string path = packPictures();
    const std::string out = m_dir.file("out/nested");
    ASSERT_EQ(0, run({"res-extract", path, out})) << m_stderr;
    EXPECT_EQ(out + "/5.png\n" + out + "/6.png\n" + out + "/7.jpg\n", m_stdout);

    int w = 0, h = 0, n = 0;
    stbi_uc* lossless = stbi_load((out + "/5.png").c_str(), &w, &h, &n, 4);
    ASSERT_NE(nullptr, lossless);
    EXPECT_EQ(std::vector<std::uint8_t>(lossless, lossless + 4 * 3 * 4), m_gradient.pixels);
    stbi_image_free(lossless);

    packing::ResFileReader reader;
    ASSERT_TRUE(reader.load(path));
    packing::RgbaImage decoded;
    ASSERT_TRUE(reader.decodeRgba(1, decoded));
    stbi_uc* converted = stbi_load((out + "/6.png").c_str(), &w, &h, &n, 4);
    ASSERT_NE(nullptr, converted);
    EXPECT_EQ(5, w);
    EXPECT_EQ(std::vector<std::uint8_t>(converted, converted + 5 * 2 * 4), decoded.pixels);
    stbi_image_free(converted);

    EXPECT_EQ(readBytes(m_jpeg), readBytes(out + "/7.jpg"));
}

TEST_F(SkinsmithCliRes, BadInputFailsWithTheReasonAndWritesNothing)
{
    const std::string path = packPictures();
    packing::ResFileReader reader;
    ASSERT_TRUE(reader.load(path));
    const packing::ResEntryInfo& last = reader.entries().back();
    // One byte short of the last entry's data, not just of its padding.
    std::vector<std::uint8_t> bytes = readBytes(path);
    bytes.resize(last.offset + last.size - 1);
    const std::string truncated = m_dir.file("truncated.res");
    packingtest::writeBytes(truncated, bytes);
    const std::string out = m_dir.file("never");

    EXPECT_EQ(1, run({"res-dump", truncated}));
    EXPECT_NE(std::string::npos, m_stderr.find(truncated + ": entry 2:")) << m_stderr;
    EXPECT_EQ(1, run({"res-extract", truncated, out}));
    EXPECT_NE(std::string::npos, m_stderr.find("exceed the file")) << m_stderr;
    EXPECT_FALSE(fs::exists(out));

    EXPECT_EQ(1, run({"res-dump", m_jpeg}));
    EXPECT_NE(std::string::npos, m_stderr.find("neither a picture resource file nor a string"));
    EXPECT_EQ(1, run({"res-dump", m_dir.file("missing.res")}));
    EXPECT_NE(std::string::npos, m_stderr.find("cannot read")) << m_stderr;
    EXPECT_EQ(1, run({"res-extract", m_jpeg, out}));
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(SkinsmithCliRes, UsageErrorsAndHelp)
{
    EXPECT_EQ(2, run({"res-dump"}));
    EXPECT_NE(std::string::npos, m_stderr.find("Usage: skinsmith-cli res-dump FILE"));
    EXPECT_EQ(2, run({"res-extract", "a.res"}));
    EXPECT_EQ(2, run({"res-dump", "a.res", "b.res"}));
    EXPECT_EQ(0, run({"res-extract", "--help"}));
    EXPECT_NE(std::string::npos, m_stdout.find("Usage: skinsmith-cli res-extract FILE.res DIR"));
    EXPECT_EQ(0, run({"--help"}));
    EXPECT_NE(std::string::npos, m_stdout.find("res-dump"));
}

} // namespace
