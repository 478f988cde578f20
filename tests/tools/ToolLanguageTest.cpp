// The command-line programs speak the language of the locale or of --lang: the core's messages
// they print in English or in the Chinese source texts, their own messages in English.

#include "platform/ChildProcess.h"
#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

const std::string kBin = SKINSMITH_BIN_DIR;
const char kChinese[] = "ui文件格式不正确";
const char kEnglish[] = "The UI file is malformed";

class ToolLanguage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(platform::writeFileAtomically(m_bad, "<ui-rad><scene>"));
    }

    // Runs `program` from build/bin with only the locale variables in `locale` set (none of
    // LANGUAGE, LC_ALL, LC_MESSAGES and LANG otherwise); returns the exit status and keeps
    // what it printed.
    int run(const std::vector<std::string>& locale, const std::string& program,
            const std::vector<std::string>& arguments)
    {
        std::vector<std::string> argv{"/usr/bin/env"};
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
            argv.insert(argv.end(), {"-u", name});
        }
        argv.insert(argv.end(), locale.begin(), locale.end());
        argv.push_back(kBin + "/" + program);
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        platform::ChildProcess child;
        const std::string log = m_dir.filePath("output.txt");
        child.setOutputFile(log);
        if (!child.start(argv)) {
            ADD_FAILURE() << "cannot start " << program;
            return -1;
        }
        const int status = child.wait();
        m_output = platform::readFile(log).value_or("");
        return status;
    }

    bool printed(const std::string& text) const { return m_output.find(text) != std::string::npos; }

    platform::TemporaryDirectory m_dir{"tool-language-test"};
    const std::string m_bad = m_dir.filePath("bad.ui");
    std::string m_output;
};

} // namespace

TEST_F(ToolLanguage, CoreMessagesFollowTheLocale)
{
    // English locales, and the C locale, set or implied, also where it is the only one.
    for (const auto& locale : std::vector<std::vector<std::string>>{
             {"LANG=en_US.UTF-8"}, {"LANG=C"}, {"LC_ALL=C", "LANG=zh_CN.UTF-8"}, {}}) {
        EXPECT_EQ(run(locale, "skinsmith-cli", {"resave", m_bad}), 1);
        EXPECT_TRUE(printed(std::string("cannot load ") + m_bad + ": " + kEnglish)) << m_output;
        EXPECT_FALSE(printed(kChinese)) << m_output;
    }
    for (const auto& locale : std::vector<std::vector<std::string>>{
             {"LANG=zh_CN.UTF-8"}, {"LANGUAGE=zh_CN:en", "LANG=C"}, {"LC_MESSAGES=zh_TW"}}) {
        EXPECT_EQ(run(locale, "skinsmith-cli", {"resave", m_bad}), 1);
        EXPECT_TRUE(printed(std::string("cannot load ") + m_bad + ": " + kChinese)) << m_output;
        EXPECT_FALSE(printed(kEnglish)) << m_output;
    }
}

TEST_F(ToolLanguage, LangOptionOverridesTheLocaleBeforeOrAfterTheCommand)
{
    EXPECT_EQ(run({"LANG=zh_CN.UTF-8"}, "skinsmith-cli", {"--lang", "en", "resave", m_bad}), 1);
    EXPECT_TRUE(printed(kEnglish)) << m_output;
    EXPECT_EQ(run({"LANG=C"}, "skinsmith-cli", {"resave", m_bad, "--lang=zh"}), 1);
    EXPECT_TRUE(printed(kChinese)) << m_output;

    EXPECT_EQ(run({"LANG=C"}, "skinsmith-cli", {"--lang", "fr", "resave", m_bad}), 2);
    EXPECT_TRUE(printed("skinsmith-cli: unknown language 'fr' (zh or en)")) << m_output;
    EXPECT_EQ(run({"LANG=C"}, "skinsmith-cli", {"--help"}), 0);
    EXPECT_TRUE(printed("--lang zh|en")) << m_output;
}

TEST_F(ToolLanguage, ProgramsOwnMessagesStayEnglishInChinese)
{
    const std::vector<std::string> chinese{"LANG=zh_CN.UTF-8"};
    EXPECT_EQ(run(chinese, "sty_conv", {"--lang", "zh", "a", "b"}), 2);
    EXPECT_TRUE(printed("sty_conv: expected 5 arguments, got 2")) << m_output;
    EXPECT_EQ(run(chinese, "xls2txt", {m_dir.filePath("none.xls"), m_dir.filePath("out.txt")}), 1);
    EXPECT_TRUE(printed("xls2txt: cannot read")) << m_output;
    EXPECT_EQ(run(chinese, "resizeimage", {"a = 1", "--lang", "en"}), 2);
    EXPECT_TRUE(printed("resizeimage: ")) << m_output;
    EXPECT_EQ(run(chinese, "skinsmith-cli", {"resave"}), 2);
    EXPECT_TRUE(printed("skinsmith-cli resave: no project file given")) << m_output;
    for (const char* program : {"sty_conv", "xls2txt", "resizeimage", "resBuildApp"}) {
        EXPECT_EQ(run(chinese, program, {"--lang"}), 2) << program;
        EXPECT_TRUE(printed("--lang needs a language: zh or en")) << program << m_output;
    }
}

TEST_F(ToolLanguage, BatchBuildsSpeakTheLanguageOfTheBatch)
{
    // resBuildApp passes its language on to the skinsmith-cli it starts for each project.
    const std::string apps = m_dir.filePath("apps");
    std::filesystem::create_directories(apps + "/one");
    ASSERT_TRUE(platform::writeFileAtomically(apps + "/one/bad.ui", "<ui-rad><scene>"));
    EXPECT_EQ(run({"LANG=C"}, "resBuildApp", {"--lang", "zh", "-res", apps}), 1);
    EXPECT_TRUE(printed(kChinese)) << m_output;
    EXPECT_EQ(run({"LANG=zh_CN.UTF-8"}, "resBuildApp", {"-res", apps, "--lang", "en"}), 1);
    EXPECT_TRUE(printed(kEnglish)) << m_output;
    EXPECT_FALSE(printed(kChinese)) << m_output;
}
