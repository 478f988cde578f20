#include "StyleSamples.h"

#include "components/packing/ResFileLayout.h"
#include "generate/StyleFileWriter.h"
#include "generate/StyleHeader.h"
#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sys/wait.h>

using namespace generate;

namespace {

struct ToolRun
{
    int status = -1;
    std::string errors;
};

class StyConvTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto bytes = StyleFileWriter::encode(sampleStyleContent());
        ASSERT_TRUE(bytes);
        m_good = *bytes;
        ASSERT_TRUE(platform::writeFileAtomically(stylePath(), m_good));
        ASSERT_TRUE(writeStyleHeader(headerPath(), sampleStyleNames(), false));
    }

    std::string stylePath() const { return m_dir.filePath("app.sty"); }
    std::string headerPath() const { return m_dir.filePath("app_sty.h"); }

    ToolRun run(const std::vector<std::string>& args) const
    {
        const std::string errors = m_dir.filePath("stderr.txt");
        std::string command = std::string("'") + SKINSMITH_BIN_DIR + "/sty_conv'";
        for (const std::string& arg : args) {
            command += " '" + arg + "'";
        }
        command += " >/dev/null 2>'" + errors + "'";
        const int status = std::system(command.c_str());
        ToolRun result;
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.errors = platform::readFile(errors).value_or("");
        return result;
    }

    ToolRun convert(const std::string& output = {}) const
    {
        return run({stylePath(), m_dir.filePath("app.res"), output.empty() ? stylePath() : output,
                    headerPath(), m_dir.path()});
    }

    // Writes a picture resource file of `count` 1 x 1 RGB565 entries.
    void writePictures(std::size_t count, std::uint16_t startIndex = 0) const
    {
        packing::ResFileHeader header;
        header.count = static_cast<std::uint16_t>(count);
        header.startIndex = startIndex;
        std::string bytes(packing::kResHeaderSize + count * (packing::kResEntrySize + 4), '\0');
        auto* out = reinterpret_cast<std::uint8_t*>(bytes.data());
        packing::writeResHeader(header, out);
        for (std::size_t i = 0; i < count; ++i) {
            packing::ResEntryInfo entry;
            entry.offset = static_cast<std::uint32_t>(packing::kResHeaderSize +
                                                      count * packing::kResEntrySize + 4 * i);
            entry.size = 2;
            entry.width = 1;
            entry.height = 1;
            packing::writeResEntry(entry,
                                   out + packing::kResHeaderSize + i * packing::kResEntrySize);
        }
        ASSERT_TRUE(platform::writeFileAtomically(m_dir.filePath("app.res"), bytes));
    }

    std::string styleBytes() const { return platform::readFile(stylePath()).value_or(""); }

    platform::TemporaryDirectory m_dir;
    std::string m_good;
};

} // namespace

TEST_F(StyConvTest, ValidFileIsLeftByteForByte)
{
    const ToolRun result = convert();
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(result.errors, "");
    EXPECT_EQ(styleBytes(), m_good);

    const std::string copy = m_dir.filePath("out/copy.sty");
    ASSERT_TRUE(platform::createDirectories(m_dir.filePath("out")));
    EXPECT_EQ(convert(copy).status, 0);
    EXPECT_EQ(platform::readFile(copy).value_or(""), m_good);
}

TEST_F(StyConvTest, DamagedFileIsReportedAndLeftAlone)
{
    std::string damaged = m_good;
    damaged[40 + 41 + 37 + 5] ^= 1; // the region's next-sibling offset
    ASSERT_TRUE(platform::writeFileAtomically(stylePath(), damaged));
    const std::string copy = m_dir.filePath("copy.sty");
    const ToolRun result = convert(copy);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("next-sibling offset 31, expected 30"), std::string::npos)
        << result.errors;
    EXPECT_EQ(styleBytes(), damaged);
    EXPECT_FALSE(platform::pathExists(copy));

    ASSERT_TRUE(platform::writeFileAtomically(stylePath(), m_good.substr(0, 100)));
    EXPECT_EQ(convert().status, 1);
}

TEST_F(StyConvTest, EveryHashNeedsADefine)
{
    std::vector<std::string> names = sampleStyleNames();
    names.erase(names.begin() + 3); // "Logo"
    names.erase(names.begin());     // "Main"
    ASSERT_TRUE(platform::removeFile(headerPath()));
    ASSERT_TRUE(writeStyleHeader(headerPath(), names, false));

    const ToolRun result = convert();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(std::count(result.errors.begin(), result.errors.end(), '\n'), 2) << result.errors;
    EXPECT_NE(result.errors.find("scene 1 (table entry at offset 16): name hash"),
              std::string::npos)
        << result.errors;
    EXPECT_NE(result.errors.find("scene 1, picture record at offset 148"), std::string::npos)
        << result.errors;
    EXPECT_EQ(styleBytes(), m_good);

    ASSERT_TRUE(platform::removeFile(headerPath()));
    EXPECT_EQ(convert().status, 1);
}

TEST_F(StyConvTest, PictureIdentifiersNameEntriesOfAFullResourceFile)
{
    writePictures(4); // the sample's identifiers are 10001 to 10004
    EXPECT_EQ(convert().status, 0);

    writePictures(3);
    const ToolRun result = convert();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.errors,
              stylePath() + ": scene 1, picture record at offset 148: picture identifier 10004 "
                            "names no entry of the picture resource file (3 entries)\n");
    EXPECT_EQ(styleBytes(), m_good);

    writePictures(1, 100); // a split pack holds only its own pictures
    EXPECT_EQ(convert().status, 0);

    ASSERT_TRUE(platform::writeFileAtomically(m_dir.filePath("app.res"), "RES?"));
    EXPECT_NE(convert().errors.find("app.res: "), std::string::npos);
}

TEST_F(StyConvTest, TheBuildsIdentifierBaseIsUsedInsteadOfAGuess)
{
    // The sample numbers from 10001: right for base 10000, four past the end for base 0,
    // which a guess from the identifiers alone would never notice.
    writePictures(4);
    ASSERT_EQ(::setenv("SKINSMITH_IDENTIFIER_BASE", "10000", 1), 0);
    EXPECT_EQ(convert().status, 0);
    ASSERT_EQ(::setenv("SKINSMITH_IDENTIFIER_BASE", "0", 1), 0);
    const ToolRun wrongBase = convert();
    EXPECT_EQ(wrongBase.status, 1);
    EXPECT_NE(wrongBase.errors.find("picture identifier 10001 names no entry"), std::string::npos)
        << wrongBase.errors;
    ASSERT_EQ(::setenv("SKINSMITH_IDENTIFIER_BASE", "ten", 1), 0);
    EXPECT_NE(convert().errors.find("SKINSMITH_IDENTIFIER_BASE is not a number"),
              std::string::npos);
    ::unsetenv("SKINSMITH_IDENTIFIER_BASE");
    EXPECT_EQ(styleBytes(), m_good);
}

TEST_F(StyConvTest, UsageAndHelp)
{
    EXPECT_EQ(run({"--help"}).status, 0);
    const ToolRun tooFew = run({stylePath(), headerPath()});
    EXPECT_EQ(tooFew.status, 2);
    EXPECT_NE(tooFew.errors.find("Usage: sty_conv"), std::string::npos);
    EXPECT_EQ(run({}).status, 2);
}
