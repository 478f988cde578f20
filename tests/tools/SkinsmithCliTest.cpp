// Runs the built skinsmith-cli on copies of the demo project and checks exit statuses and
// what it writes.
#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

const std::string kDemoDir = std::string(SKINSMITH_SOURCE_DIR) + "/examples/demo";

class SkinsmithCli : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        fs::copy(kDemoDir, m_dir.filePath("demo"), fs::copy_options::recursive);
    }

    // Runs `program` (build/bin/skinsmith-cli unless given) with `arguments` (quoted
    // already). Returns the exit status; standard output and error are kept.
    int Run(const std::string& arguments, std::string program = {})
    {
        if (program.empty()) {
            program = std::string(SKINSMITH_BIN_DIR) + "/skinsmith-cli";
        }
        const std::string command = "'" + program + "' " + arguments + " >'" +
                                    m_dir.filePath("out.txt") + "' 2>'" +
                                    m_dir.filePath("err.txt") + "'";
        const int status = std::system(command.c_str());
        m_stdout = platform::readFile(m_dir.filePath("out.txt")).value_or("");
        m_stderr = platform::readFile(m_dir.filePath("err.txt")).value_or("");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Demo(const std::string& name = "demo.ui") const
    {
        return m_dir.filePath("demo/" + name);
    }

    platform::TemporaryDirectory m_dir{"skinsmith-cli-test"};
    std::string m_stdout;
    std::string m_stderr;
};

} // namespace

TEST_F(SkinsmithCli, ResaveWritesTheDemoBackUnchanged)
{
    const std::string original = *platform::readFile(Demo());
    EXPECT_EQ(Run("resave '" + Demo() + "'"), 0) << m_stderr;
    EXPECT_EQ(platform::readFile(Demo()), original);
    EXPECT_EQ(Run("resave '" + Demo() + "' -o '" + Demo("copy.ui") + "'"), 0) << m_stderr;
    EXPECT_EQ(platform::readFile(Demo("copy.ui")), original);
}

TEST_F(SkinsmithCli, ResaveExitStatuses)
{
    EXPECT_EQ(Run("resave"), 2);
    EXPECT_EQ(Run("resave '" + Demo() + "' --bogus"), 2);
    EXPECT_EQ(Run("resave '" + Demo() + "' -o"), 2);
    EXPECT_EQ(Run("resave a.ui b.ui"), 2);
    EXPECT_EQ(Run("resave --help"), 0);
    EXPECT_NE(m_stdout.find("Usage: skinsmith-cli resave"), std::string::npos);

    ASSERT_TRUE(platform::writeFileAtomically(Demo("bad.ui"), "<ui-rad><scene>"));
    EXPECT_EQ(Run("resave '" + Demo("bad.ui") + "'"), 1);
    EXPECT_NE(m_stderr.find("ui文件格式不正确"), std::string::npos);

    // Unattended, the folder chooser is cancelled: a missing case directory fails the load
    // and nothing is written.
    const std::string before = *platform::readFile(Demo());
    fs::rename(Demo("case"), Demo("moved"));
    EXPECT_EQ(Run("resave '" + Demo() + "'"), 1);
    EXPECT_NE(m_stderr.find("无法找到case目录"), std::string::npos);
    EXPECT_EQ(platform::readFile(Demo()), before);
}

TEST_F(SkinsmithCli, ACopiedProgramReadsTheDefinitionFilesBesideIt)
{
    const std::string bin = m_dir.filePath("bin");
    fs::create_directories(bin);
    fs::copy_file(std::string(SKINSMITH_BIN_DIR) + "/skinsmith-cli", bin + "/skinsmith-cli");
    ASSERT_TRUE(platform::writeFileAtomically(
        bin + "/widgetdef.xml", "<widgetdefs><widgetdef class=\"image\" type=\"1\" />"
                                "<widgetdef class=\"picture_resource\" type=\"1\" />"
                                "<widgetdef class=\"picregion_resource\" type=\"2\" />"
                                "<widgetdef class=\"string_resource\" type=\"3\" />"
                                "<widgetdef class=\"resgroup_resource\" type=\"4\" />"
                                "</widgetdefs>"));
    EXPECT_EQ(Run("resave '" + Demo() + "'", bin + "/skinsmith-cli"), 0) << m_stderr;
    // The old name still reads as a picture; the first name of the type is written.
    const std::string saved = *platform::readFile(Demo());
    EXPECT_NE(saved.find("<element class=\"image\">"), std::string::npos);
    EXPECT_EQ(saved.find("picture_resource"), std::string::npos);
}

TEST_F(SkinsmithCli, InfoPrintsTheTreeAndTheRegistries)
{
    ASSERT_EQ(Run("info '" + Demo() + "'"), 0) << m_stderr;
    EXPECT_NE(m_stdout.find("  screen_width: 320\n"), std::string::npos);
    EXPECT_NE(m_stdout.find("- kind: region; id: 9; name: SunAnim; x: 240; y: 8; width: 48; "
                            "height: 48; visible: 0x11"),
              std::string::npos);
    EXPECT_NE(m_stdout.find("- index: 2; picture: 8; path: .\\images\\apps\\demo\\anim\\sun_2.png"),
              std::string::npos);
    EXPECT_NE(m_stdout.find("strid: TEMP; string: 4;"), std::string::npos);
    EXPECT_NE(m_stdout.find("editable: 0; background: 0x00000000; opaque: 1; transparency: 128"),
              std::string::npos);
    EXPECT_NE(m_stdout.find("- number: 4; name: IC_BATTERY; path: "
                            ".\\images\\apps\\demo\\icons\\ic_battery.bmp; layer: 4; missing: 0"),
              std::string::npos);

    ASSERT_EQ(Run("info --json '" + Demo() + "'"), 0);
    EXPECT_EQ(m_stdout.rfind("{\n  \"project\": {\n    \"name\": \"demo\",", 0), 0u);
    EXPECT_NE(m_stdout.find("\"path\": \".\\\\images\\\\apps\\\\demo\\\\anim\\\\sun_0.png\""),
              std::string::npos);
    EXPECT_EQ(std::count(m_stdout.begin(), m_stdout.end(), '{'),
              std::count(m_stdout.begin(), m_stdout.end(), '}'));

    EXPECT_EQ(Run("info"), 2);
    EXPECT_EQ(Run("info '" + Demo() + "' --xml"), 2);
    EXPECT_EQ(Run("info '" + Demo("none.ui") + "'"), 1);
    EXPECT_EQ(Run("info -h"), 0);
    EXPECT_NE(m_stdout.find("--json"), std::string::npos);
}

TEST_F(SkinsmithCli, ScaleWritesACopyAndNeverOverItsInput)
{
    const std::string original = *platform::readFile(Demo());
    // The project itself, in another letter case, or through another path: refused, untouched.
    for (const std::string& same :
         {Demo(), Demo("DEMO.UI"), m_dir.filePath("demo/../demo/./demo.ui")}) {
        EXPECT_EQ(1, Run("scale '" + Demo() + "' --to 480x272 -o '" + same + "'")) << same;
        EXPECT_NE(std::string::npos, m_stderr.find("is the project itself")) << m_stderr;
        EXPECT_EQ(original, platform::readFile(Demo()).value_or(""));
    }
    EXPECT_FALSE(fs::exists(Demo("DEMO.UI")));

    EXPECT_EQ(0, Run("scale '" + Demo() + "' --to 480x272 -o '" + Demo("scaled.ui") + "'"))
        << m_stderr;
    EXPECT_EQ(original, platform::readFile(Demo()).value_or(""));
    const std::string scaled = platform::readFile(Demo("scaled.ui")).value_or("");
    EXPECT_NE(std::string::npos, scaled.find(R"(name="prj_screen_width" value="0x1e0")"))
        << scaled.substr(0, 2000);
    EXPECT_NE(std::string::npos, scaled.find(R"(name="width" value="0x01e0")"));

    EXPECT_EQ(2, Run("scale '" + Demo() + "' --to 0x272 -o '" + Demo("zero.ui") + "'"));
    EXPECT_FALSE(fs::exists(Demo("zero.ui")));
}

TEST_F(SkinsmithCli, CheckReportsTheDemosTooHighTipAndGatesOnIt)
{
    EXPECT_EQ(Run("check '" + Demo() + "'"), 1) << m_stderr;
    EXPECT_NE(m_stdout.find("overflow   SettingsScene/TipsMarquee  [English]"), std::string::npos)
        << m_stdout;
    EXPECT_NE(m_stdout.find("4 px too high"), std::string::npos);
    EXPECT_NE(m_stdout.find("font       Arabic: Noto Sans Arabic"), std::string::npos);
    EXPECT_EQ(Run("check '" + Demo() + "' --json"), 1);
    EXPECT_EQ(m_stdout.front(), '{');
    EXPECT_NE(m_stdout.find("\"overHeight\": 4"), std::string::npos);
    EXPECT_EQ(Run("check '" + Demo() + "' --languages English --font /no/such.ttf"), 1);
    EXPECT_NE(m_stderr.find("cannot open the font /no/such.ttf"), std::string::npos);
    EXPECT_EQ(Run("check '" + Demo() + "' --languages Klingon"), 1);
    EXPECT_NE(m_stderr.find("the project has: English"), std::string::npos);
    EXPECT_EQ(Run("check"), 2);
    EXPECT_EQ(Run("check '" + Demo() + "' --font"), 2);
}

TEST_F(SkinsmithCli, CheckKeepsTheProjectsMeasuringFontAndChecksPseudoLanguages)
{
    const std::string kept = Demo("demo.ui.textcheck");
    const std::string font = Demo("device.ttf");
    fs::copy_file("/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf", font);

    // A font that cannot be opened is refused and never kept.
    EXPECT_EQ(Run("check '" + Demo() + "' --set-font /no/such.ttf"), 1);
    EXPECT_FALSE(fs::exists(kept));

    // Kept beside the project, relative to its folder, and used by later checks.
    Run("check '" + Demo() + "' --set-font '" + font + "'");
    EXPECT_EQ(platform::readFile(kept).value_or(""),
              "{\n  \"font\": \"device.ttf\",\n  \"version\": 1\n}\n");
    Run("check '" + Demo() + "'");
    EXPECT_NE(m_stdout.find("font       Arabic: Noto Sans (" + font + ")"), std::string::npos)
        << m_stdout;
    EXPECT_EQ(Run("check '" + Demo() + "' --font x.ttf --default-font"), 2);
    Run("check '" + Demo() + "' --default-font");
    EXPECT_FALSE(fs::exists(kept));
    EXPECT_NE(m_stdout.find("font       Arabic: Noto Sans Arabic"), std::string::npos);

    // A damaged setting is an error, not a silent change of font.
    platform::writeFileAtomically(kept, "{\"version\": 1, \"font\": 3}");
    EXPECT_EQ(Run("check '" + Demo() + "'"), 1);
    EXPECT_NE(m_stderr.find("demo.ui.textcheck: the font is not a file name"), std::string::npos)
        << m_stderr;
    fs::remove(kept);

    // The accented pseudo-language is longer: the demo's tip needs more room than in English.
    const auto neededWidth = [](const std::string& json) {
        const std::size_t at = json.find("\"neededWidth\": ");
        return at == std::string::npos ? -1 : std::atoi(json.c_str() + at + 15);
    };
    Run("check '" + Demo() + "' --languages English --json");
    const int english = neededWidth(m_stdout);
    EXPECT_EQ(Run("check '" + Demo() + "' --pseudo qps-ploc --json"), 1);
    EXPECT_GT(neededWidth(m_stdout), english * 13 / 10) << m_stdout;
    EXPECT_GT(english, 0);
    EXPECT_NE(m_stdout.find("\"language\": \"qps-ploc\""), std::string::npos);
    EXPECT_EQ(Run("check '" + Demo() + "' --pseudo klingon"), 2);
}
