#include "StyleSamples.h"

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

TEST_F(StyConvTest, UsageAndHelp)
{
    EXPECT_EQ(run({"--help"}).status, 0);
    const ToolRun tooFew = run({stylePath(), headerPath()});
    EXPECT_EQ(tooFew.status, 2);
    EXPECT_NE(tooFew.errors.find("Usage: sty_conv"), std::string::npos);
    EXPECT_EQ(run({}).status, 2);
}
