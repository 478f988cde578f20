// Runs skinsmith-cli style and desktop on a copy of the example project.

#include "generate/StyleFileReader.h"
#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class SkinsmithCliStyle : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::error_code error;
        std::filesystem::copy(std::string(SKINSMITH_SOURCE_DIR) + "/examples/demo",
                              m_dir.filePath("demo"), std::filesystem::copy_options::recursive,
                              error);
        ASSERT_FALSE(error) << error.message();
    }

    std::string demo(const std::string& name) const { return m_dir.filePath("demo/" + name); }
    std::string app(const std::string& name) const { return demo("case/images/apps/demo/" + name); }

    // Runs skinsmith-cli with `args` (each quoted); returns its exit status and keeps what it
    // printed on standard error and standard output.
    int run(const std::vector<std::string>& args)
    {
        std::string command = "'" + std::string(SKINSMITH_BIN_DIR) + "/skinsmith-cli'";
        for (const std::string& arg : args) {
            command += " '" + arg + "'";
        }
        const std::string out = m_dir.filePath("stdout.txt");
        const std::string err = m_dir.filePath("stderr.txt");
        command += " >'" + out + "' 2>'" + err + "'";
        const int status = std::system(command.c_str());
        m_stdout = platform::readFile(out).value_or("");
        m_stderr = platform::readFile(err).value_or("");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    platform::TemporaryDirectory m_dir{"cli-style"};
    std::string m_stdout;
    std::string m_stderr;
};

TEST_F(SkinsmithCliStyle, StyleWritesTheStyleFileAndHeader)
{
    ASSERT_EQ(run({"style", demo("demo.ui")}), 0) << m_stderr;
    const auto bytes = platform::readFile(app("demo.sty"));
    ASSERT_TRUE(bytes);
    generate::StyleFileReader reader;
    const auto content = reader.read(*bytes);
    ASSERT_TRUE(content) << reader.error();
    EXPECT_EQ(content->scenes.size(), 3u);
    EXPECT_NE(platform::readFile(demo("demo_sty.h")).value_or("").find("#define  SUNANIM    0x"),
              std::string::npos);
}

TEST_F(SkinsmithCliStyle, StyleReportsANameClashAndWritesNoStyleFile)
{
    std::string project = platform::readFile(demo("demo.ui")).value_or("");
    const std::size_t at = project.find("value=\"WeatherScene\"");
    ASSERT_NE(at, std::string::npos);
    project.replace(at, 20, "value=\"mainscene\"");
    ASSERT_TRUE(platform::writeFileAtomically(demo("demo.ui"), project));

    EXPECT_EQ(run({"style", demo("demo.ui")}), 1);
    EXPECT_NE(m_stderr.find("无法保存sty.h文件，存在相同名字的场景：mainscene"), std::string::npos);
    EXPECT_FALSE(platform::pathExists(app("demo.sty")));
}

TEST_F(SkinsmithCliStyle, DesktopWritesTheEntryFileAndSaysSo)
{
    ASSERT_EQ(run({"desktop", demo("demo.ui")}), 0) << m_stderr;
    EXPECT_NE(m_stderr.find("生成.desktop文件成功！"), std::string::npos);
    const std::string entry = platform::readFile(app("demo.desktop")).value_or("");
    EXPECT_EQ(entry.rfind("\xEF\xBB\xBF[Desktop Entry]\r\nComment=Clock and weather demo\r\n", 0),
              0u);
    EXPECT_NE(entry.find("\r\nExec=demo.app\r\nIcon-id=0\r\nIcon=0\r\nName-id=0\r\nName=Clock\r\n"),
              std::string::npos);

    std::string project = platform::readFile(demo("demo.ui")).value_or("");
    const std::string on = "\"desktop_file_create\" value=\"0x1\"";
    ASSERT_NE(project.find(on), std::string::npos);
    project.replace(project.find(on), on.size(), "\"desktop_file_create\" value=\"0x0\"");
    ASSERT_TRUE(platform::writeFileAtomically(demo("demo.ui"), project));
    ASSERT_TRUE(platform::removeFile(app("demo.desktop")));
    EXPECT_EQ(run({"desktop", demo("demo.ui")}), 1);
    EXPECT_FALSE(platform::pathExists(app("demo.desktop")));
}

TEST_F(SkinsmithCliStyle, UsageAndLoadErrors)
{
    EXPECT_EQ(run({"style", "--help"}), 0);
    EXPECT_EQ(m_stdout.rfind("Usage: skinsmith-cli style PROJECT.ui", 0), 0u);
    EXPECT_EQ(run({"desktop"}), 2);
    EXPECT_EQ(run({"style", demo("demo.ui"), "other.ui"}), 2);
    EXPECT_EQ(run({"style", "-x", demo("demo.ui")}), 2);
    EXPECT_EQ(run({"desktop", m_dir.filePath("missing.ui")}), 1);
    EXPECT_NE(m_stderr.find("cannot load"), std::string::npos);
}

} // namespace
