// Runs skinsmith-cli strings export and diff on a copy of the example project.

#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class SkinsmithCliStrings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::error_code error;
        std::filesystem::copy(std::string(SKINSMITH_SOURCE_DIR) + "/examples/demo",
                              m_dir.filePath("demo"), std::filesystem::copy_options::recursive,
                              error);
        ASSERT_FALSE(error) << error.message();
        m_original = platform::readFile(project()).value_or("");
        ASSERT_FALSE(m_original.empty());
    }

    std::string project() const { return m_dir.filePath("demo/demo.ui"); }
    std::string file(const std::string& name) const { return m_dir.filePath(name); }

    int run(const std::vector<std::string>& args)
    {
        std::string command = "'" + std::string(SKINSMITH_BIN_DIR) + "/skinsmith-cli' strings";
        for (const std::string& arg : args) {
            command += " '" + arg + "'";
        }
        const std::string out = file("stdout.txt");
        const std::string err = file("stderr.txt");
        command += " >'" + out + "' 2>'" + err + "'";
        const int status = std::system(command.c_str());
        m_stdout = platform::readFile(out).value_or("");
        m_stderr = platform::readFile(err).value_or("");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    bool says(const std::string& text) const { return m_stdout.find(text) != std::string::npos; }

    platform::TemporaryDirectory m_dir{"cli-strings"};
    std::string m_original;
    std::string m_stdout;
    std::string m_stderr;
};

} // namespace

TEST_F(SkinsmithCliStrings, ExportThenDiffFindsNothingAndTouchesNoFile)
{
    for (const std::string name : {"demo.xlsx", "demo.csv"}) {
        ASSERT_EQ(run({"export", project(), file(name)}), 0) << m_stderr;
        ASSERT_EQ(run({"diff", project(), file(name)}), 0) << m_stdout << m_stderr;
        EXPECT_TRUE(says("nothing would be lost")) << m_stdout;
        ASSERT_EQ(run({"diff", project(), file(name), "--json"}), 0) << m_stderr;
        EXPECT_TRUE(says("\"loses_something\": 0")) << m_stdout;
    }
    const std::string csv = platform::readFile(file("demo.csv")).value_or("");
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBFResID,English,", 0), 0u) << csv.substr(0, 80);
    EXPECT_NE(csv.find("APPNAME,Clock,时钟,الساعة,\"width 120 px, font 16 px\"\r\n"),
              std::string::npos);
    EXPECT_EQ(platform::readFile(project()), m_original);
}

TEST_F(SkinsmithCliStrings, ExportChoosesLanguagesAndMissingTexts)
{
    ASSERT_EQ(run({"export", project(), file("zh.csv"), "--languages", "简体中文"}), 0) << m_stderr;
    const std::string zh = platform::readFile(file("zh.csv")).value_or("");
    EXPECT_EQ(zh.rfind("\xEF\xBB\xBFResID,简体中文,Check\r\n[RESLAN],简体中文,\r\n", 0), 0u) << zh;
    // The demo translates every string: nothing is missing.
    ASSERT_EQ(run({"export", project(), file("missing.csv"), "--missing-only"}), 0);
    const std::string missing = platform::readFile(file("missing.csv")).value_or("");
    EXPECT_EQ(std::count(missing.begin(), missing.end(), '\n'), 2) << missing;

    EXPECT_EQ(run({"export", project(), file("x.csv"), "--languages", "Klingon"}), 2);
    EXPECT_NE(m_stderr.find("English"), std::string::npos) << m_stderr;
    EXPECT_EQ(run({"export", project(), file("x.ods")}), 2);
    EXPECT_EQ(run({"export", project()}), 2);
    EXPECT_EQ(run({"frobnicate", project()}), 2);
    EXPECT_EQ(run({"diff", project(), file("zh.csv"), "--languages", "x"}), 2);
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_TRUE(says("strings diff PROJECT.ui FILE"));
    EXPECT_FALSE(platform::isFile(file("x.csv")));
}

TEST_F(SkinsmithCliStrings, DiffOfALossyOrDamagedFileExitsOneAndChangesNothing)
{
    // Only the Chinese column came back, with one name twice.
    ASSERT_EQ(run({"export", project(), file("zh.csv"), "--languages", "简体中文"}), 0);
    std::string zh = platform::readFile(file("zh.csv")).value_or("");
    zh += "APPNAME,应用,\r\n";
    ASSERT_TRUE(platform::writeFileAtomically(file("zh.csv"), zh));
    const std::string before = zh;
    EXPECT_EQ(run({"diff", project(), file("zh.csv")}), 1) << m_stderr;
    EXPECT_TRUE(says("APPNAME becomes APPNAME0")) << m_stdout;
    EXPECT_TRUE(says("texts that become empty or N/A")) << m_stdout;
    EXPECT_TRUE(says("something would be lost"));
    EXPECT_EQ(platform::readFile(file("zh.csv")), before);

    ASSERT_TRUE(platform::writeFileAtomically(file("bad.xlsx"), "PK\x03\x04truncated"));
    EXPECT_EQ(run({"diff", project(), file("bad.xlsx"), "--json"}), 1);
    EXPECT_NE(m_stderr.find("bad.xlsx"), std::string::npos) << m_stderr;
    EXPECT_EQ(run({"diff", project(), file("absent.csv")}), 1);
    EXPECT_EQ(platform::readFile(project()), m_original);
}

TEST_F(SkinsmithCliStrings, PseudoAddsAnAccentedAndAMirroredLanguage)
{
    ASSERT_EQ(run({"pseudo", project(), file("pseudo.csv"), "--expand", "40"}), 0) << m_stderr;
    const std::string csv = platform::readFile(file("pseudo.csv")).value_or("");
    EXPECT_NE(csv.find(",qps-ploc,qps-plocm,Check\r\n"), std::string::npos) << csv.substr(0, 200);
    // "Clock": five letters, two more characters.
    EXPECT_NE(csv.find("APPNAME,Clock,时钟,الساعة,[Çļöçķ ~],\u202EClock\u202C,"), std::string::npos)
        << csv.substr(0, 400);
    // The pseudo file reads back as a string file: only the two new languages differ.
    ASSERT_EQ(run({"diff", project(), file("pseudo.csv")}), 0) << m_stdout << m_stderr;
    EXPECT_EQ(platform::readFile(project()), m_original);
    EXPECT_EQ(run({"pseudo", project(), file("p.csv"), "--expand", "lots"}), 2);
    EXPECT_EQ(run({"pseudo", project(), file("p.csv"), "--missing-only"}), 2);
    EXPECT_FALSE(platform::isFile(file("p.csv")));
}
