// Every program prints the version of the project() line in CMakeLists.txt, the one place it is
// set, and still prints its usage for --help.

#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cctype>
#include <cstdlib>
#include <regex>
#include <string>

namespace {

std::string cmakeVersion()
{
    const std::string lists =
        platform::readFile(std::string(SKINSMITH_SOURCE_DIR) + "/CMakeLists.txt").value_or("");
    std::smatch match;
    std::regex_search(lists, match, std::regex(R"(project\(SkinSmith VERSION ([0-9.]+))"));
    return match.size() > 1 ? match[1].str() : "";
}

struct Output
{
    int status = -1;
    std::string out;
    std::string err;
};

Output run(const std::string& program, const std::string& argument)
{
    platform::TemporaryDirectory dir("version-test");
    const std::string command = "'" + std::string(SKINSMITH_BIN_DIR) + "/" + program + "' " +
                                argument + " >'" + dir.filePath("out") + "' 2>'" +
                                dir.filePath("err") + "' </dev/null";
    Output output;
    const int status = std::system(command.c_str());
    output.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    output.out = platform::readFile(dir.filePath("out")).value_or("");
    output.err = platform::readFile(dir.filePath("err")).value_or("");
    return output;
}

class ProgramVersion : public ::testing::TestWithParam<const char*>
{
};

} // namespace

TEST_P(ProgramVersion, PrintsTheVersionOfCMakeListsAndKeepsItsHelp)
{
    const std::string program = GetParam();
    if (!platform::pathExists(std::string(SKINSMITH_BIN_DIR) + "/" + program)) {
        GTEST_SKIP() << program << " is not built (no Qt)";
    }
    const std::string version = cmakeVersion();
    ASSERT_FALSE(version.empty());

    const Output asked = run(program, "--version");
    EXPECT_EQ(asked.status, 0);
    EXPECT_EQ(asked.out, program + " " + version + "\n");
    EXPECT_EQ(asked.err, "");

    const Output help = run(program, "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("--version"), std::string::npos) << help.out;
}

INSTANTIATE_TEST_SUITE_P(EveryProgram, ProgramVersion,
                         ::testing::Values("skinsmith", "skinsmith-cli", "resBuildApp", "xls2txt",
                                           "sty_conv", "resizeimage"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });
