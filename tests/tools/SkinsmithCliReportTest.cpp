// skinsmith-cli report over copies of the example project.

#include "components/PackingTestPictures.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace {

class SkinsmithCliReport : public ::testing::Test
{
protected:
    int run(const std::vector<std::string>& arguments)
    {
        std::string command = "'" + std::string(SKINSMITH_BIN_DIR) + "/skinsmith-cli'";
        for (const std::string& a : arguments) {
            command += " '" + a + "'";
        }
        const std::string out = m_dir.file("stdout.txt");
        const std::string err = m_dir.file("stderr.txt");
        const int status = std::system((command + " >'" + out + "' 2>'" + err + "'").c_str());
        m_stdout = text(out);
        m_stderr = text(err);
        fs::remove(out);
        fs::remove(err);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static std::string text(const std::string& path)
    {
        const std::vector<std::uint8_t> bytes = packingtest::readBytes(path);
        return {bytes.begin(), bytes.end()};
    }

    std::string copyDemo()
    {
        const fs::path to = m_dir.file("demo");
        fs::copy(fs::path(SKINSMITH_SOURCE_DIR) / "examples/demo", to, fs::copy_options::recursive);
        return (to / "demo.ui").string();
    }

    std::map<std::string, std::vector<std::uint8_t>> filesBelow(const fs::path& root)
    {
        std::map<std::string, std::vector<std::uint8_t>> files;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            if (entry.is_regular_file()) {
                files[entry.path().string()] = packingtest::readBytes(entry.path().string());
            }
        }
        return files;
    }

    packingtest::TempDir m_dir;
    std::string m_stdout;
    std::string m_stderr;
};

TEST_F(SkinsmithCliReport, UsageErrors)
{
    EXPECT_EQ(0, run({"report", "--help"}));
    EXPECT_NE(std::string::npos, m_stdout.find("--what-if")) << m_stdout;
    EXPECT_EQ(2, run({"report"}));
    EXPECT_EQ(2, run({"report", "x.ui", "--json", "--html", "r.html"}));
    EXPECT_EQ(2, run({"report", "x.ui", "--what-if", "RGB555"}));
    EXPECT_EQ(2, run({"report", "x.ui", "--what-if", "RGB565,zip"}));
    EXPECT_EQ(2, run({"report", "x.ui", "--html"}));
    EXPECT_EQ(2, run({"report", "x.ui", "y.ui"}));
    EXPECT_EQ(1, run({"report", m_dir.file("missing.ui")}));
    EXPECT_NE(std::string::npos, m_stderr.find("No such file or directory")) << m_stderr;
}

TEST_F(SkinsmithCliReport, ScratchBuildTouchesNothingOfTheProject)
{
    const std::string project = copyDemo();
    const auto before = filesBelow(m_dir.file("demo"));
    ASSERT_EQ(0, run({"report", project, "--json", "--what-if", "argb8888,none"})) << m_stderr;
    EXPECT_EQ(before, filesBelow(m_dir.file("demo")));
    EXPECT_NE(std::string::npos, m_stderr.find("building into a scratch folder")) << m_stderr;
    EXPECT_NE(std::string::npos, m_stdout.find("\"scratch_build\": true")) << m_stdout;
    EXPECT_NE(std::string::npos, m_stdout.find("(scratch)/pictures/demo.res")) << m_stdout;
    // The background, 320 x 240, in ARGB8888.
    EXPECT_NE(std::string::npos, m_stdout.find("\"name\": \"MAIN_BG\", \"bytes\": 307200"))
        << m_stdout;
}

TEST_F(SkinsmithCliReport, ReadsTheBuildItFollows)
{
    const std::string project = copyDemo();
    ASSERT_EQ(0, run({"build", project, "--format", "RGB565", "--compress"})) << m_stderr;
    ASSERT_EQ(0, run({"report", project})) << m_stderr;
    EXPECT_EQ("", m_stderr);
    const std::string res = m_dir.file("demo") + "/case/images/apps/demo/style0/demo.res";
    EXPECT_NE(std::string::npos, m_stdout.find("Picture file " + res + ": " +
                                               std::to_string(fs::file_size(res)) + " bytes"))
        << m_stdout;
    EXPECT_NE(std::string::npos, m_stdout.find("LZ4")) << m_stdout;

    const std::string html = m_dir.file("report.html");
    ASSERT_EQ(0, run({"report", project, "--html", html})) << m_stderr;
    EXPECT_EQ("", m_stdout);
    const std::string page = text(html);
    EXPECT_NE(std::string::npos, page.find("<svg")) << page;
    EXPECT_EQ(std::string::npos, page.find("<script")) << page;
    EXPECT_EQ(std::string::npos, page.find("<link")) << page;

    EXPECT_EQ(1, run({"report", project, "--html", m_dir.file("no/such/folder/r.html")}));
    EXPECT_NE(std::string::npos, m_stderr.find("cannot write")) << m_stderr;
}

} // namespace
