// Runs the built resBuildApp over apps directories of demo project copies in nested folders and
// compares what it writes with what skinsmith-cli build writes for the same project alone.

#include "platform/ChildProcess.h"
#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kBin = SKINSMITH_BIN_DIR;
const char kDemoApp[] = "case/images/apps/demo/";

class ResBuildApp : public ::testing::Test
{
protected:
    // Runs `program` from the build's bin folder; returns its exit status and keeps what it
    // printed (standard output and error together).
    int run(const std::string& program, const std::vector<std::string>& arguments)
    {
        std::vector<std::string> argv{kBin + "/" + program};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        platform::ChildProcess child;
        const std::string log = m_dir.filePath("output.txt");
        child.setOutputFile(log);
        if (!child.start(argv)) {
            ADD_FAILURE() << "cannot start " << argv.front();
            return -1;
        }
        const int status = child.wait();
        m_output = platform::readFile(log).value_or("");
        fs::remove(log);
        return status;
    }

    // A copy of the example project in `folder` (below the test's directory); returns its
    // project file.
    std::string copyDemo(const std::string& folder)
    {
        const fs::path to = m_dir.filePath(folder);
        fs::create_directories(to.parent_path());
        fs::copy(fs::path(SKINSMITH_SOURCE_DIR) / "examples/demo", to, fs::copy_options::recursive);
        return (to / "demo.ui").string();
    }

    // Every file below `root` with its bytes.
    static std::map<std::string, std::string> filesBelow(const std::string& root)
    {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            if (entry.is_regular_file()) {
                files[fs::relative(entry.path(), root).string()] =
                    platform::readFile(entry.path().string()).value_or("");
            }
        }
        return files;
    }

    std::string path(const std::string& name) const { return m_dir.filePath(name); }
    bool printed(const std::string& text) const { return m_output.find(text) != std::string::npos; }

    platform::TemporaryDirectory m_dir{"resbuildapp-test"};
    std::string m_output;
};

} // namespace

TEST_F(ResBuildApp, BuildsEveryProjectBelowTheAppsDirectoryAsTheCliDoes)
{
    copyDemo("apps/first");
    copyDemo("apps/group/second");
    // The third cannot be built: a picture it uses is gone.
    copyDemo("apps/group/deeper/broken");
    ASSERT_TRUE(fs::remove(path("apps/group/deeper/broken/") + kDemoApp + "bg/main_bg.png"));
    // An auto-save copy beside a project is no project of its own (this one would fail).
    const std::string autoSave = path("apps/first/demo_2024_01_05_09_03_07.ui");
    ASSERT_TRUE(platform::writeFileAtomically(autoSave, "<ui-rad><scene>"));
    // What the two good ones must come out as.
    const std::string reference = copyDemo("reference");
    ASSERT_EQ(0, run("skinsmith-cli", {"build", reference, "--no-cache"})) << m_output;

    // The builds run side by side and fill one picture cache together.
    EXPECT_EQ(1, run("resBuildApp", {"-res", "-sty", "-styhead", "-desktop", "-j", "2", "-cache",
                                     path("cache"), path("apps")}));
    EXPECT_TRUE(printed("ok      first/demo.ui\n")) << m_output;
    EXPECT_TRUE(printed("ok      group/second/demo.ui\n")) << m_output;
    EXPECT_TRUE(printed("FAILED  group/deeper/broken/demo.ui: ")) << m_output;
    EXPECT_EQ(1u, [&] {
        std::size_t count = 0;
        for (std::size_t at = m_output.find("FAILED"); at != std::string::npos;
             at = m_output.find("FAILED", at + 1)) {
            ++count;
        }
        return count;
    }()) << m_output;
    EXPECT_TRUE(printed("resBuildApp: 3 projects, 2 built, 1 failed (")) << m_output;
    EXPECT_TRUE(printed("skipped first/demo_2024_01_05_09_03_07.ui: an auto-save copy\n"))
        << m_output;
    fs::remove(autoSave);

    const std::map<std::string, std::string> expected = filesBelow(path("reference"));
    ASSERT_TRUE(expected.count(std::string(kDemoApp) + "style0/demo.res"));
    ASSERT_TRUE(expected.count(std::string(kDemoApp) + "demo.desktop"));
    for (const char* built : {"apps/first", "apps/group/second"}) {
        SCOPED_TRACE(built);
        const std::map<std::string, std::string> files = filesBelow(path(built));
        ASSERT_EQ(expected.size(), files.size());
        for (const auto& [name, bytes] : expected) {
            ASSERT_TRUE(files.count(name)) << name;
            EXPECT_TRUE(files.at(name) == bytes) << name << " differs";
        }
    }
    EXPECT_FALSE(fs::is_empty(path("cache")));
    // The broken one got none of the build's outputs.
    EXPECT_FALSE(fs::exists(path("apps/group/deeper/broken/") + kDemoApp + "style0/demo.res"));
}

TEST_F(ResBuildApp, SwitchesLimitTheOutputs)
{
    copyDemo("styles/one");
    copyDemo("desktops/one");
    copyDemo("smallest/one");
    const std::string reference = copyDemo("reference");
    const std::string app = std::string("/one/") + kDemoApp;

    // Style generation only: the style file and its header, nothing of the resource build.
    ASSERT_EQ(0, run("resBuildApp", {"-sty", path("styles")})) << m_output;
    EXPECT_TRUE(printed("resBuildApp: 1 project, 1 built, 0 failed (")) << m_output;
    EXPECT_TRUE(fs::exists(path("styles") + app + "demo.sty"));
    EXPECT_TRUE(fs::exists(path("styles/one/demo_sty.h")));
    EXPECT_FALSE(fs::exists(path("styles") + app + "style0/demo.res"));
    EXPECT_FALSE(fs::exists(path("styles") + app + "demo.English"));
    EXPECT_FALSE(fs::exists(path("styles") + app + "demo.desktop"));

    // The desktop entry only.
    ASSERT_EQ(0, run("resBuildApp", {"-desktop", path("desktops")})) << m_output;
    EXPECT_TRUE(fs::exists(path("desktops") + app + "demo.desktop"));
    EXPECT_FALSE(fs::exists(path("desktops") + app + "demo.sty"));
    EXPECT_FALSE(fs::exists(path("desktops/one/demo_sty.h")));
    EXPECT_FALSE(fs::exists(path("desktops") + app + "style0/demo.res"));

    // -minsize builds as the smallest-size build does.
    ASSERT_EQ(0, run("skinsmith-cli", {"build", reference, "--quality", "small"})) << m_output;
    ASSERT_EQ(0, run("resBuildApp", {"-res", "-minsize", path("smallest")})) << m_output;
    EXPECT_TRUE(platform::readFile(path("smallest") + app + "style0/demo.res") ==
                platform::readFile(path("reference/") + kDemoApp + "style0/demo.res"));
}

TEST_F(ResBuildApp, UsageAndEmptyAppsDirectories)
{
    EXPECT_EQ(0, run("resBuildApp", {"--help"}));
    EXPECT_TRUE(printed("Usage: resBuildApp")) << m_output;
    EXPECT_EQ(2, run("resBuildApp", {path("")}));
    EXPECT_TRUE(printed("nothing to build")) << m_output;
    EXPECT_EQ(2, run("resBuildApp", {"-res"}));
    EXPECT_EQ(2, run("resBuildApp", {"-res", "-fast", path("")}));
    EXPECT_EQ(2, run("resBuildApp", {"-res", "-j", "0", path("")}));
    EXPECT_EQ(2, run("resBuildApp", {"-res", path("a"), path("b")}));
    EXPECT_EQ(2, run("resBuildApp", {"-res", "-cache", path("c"), "-nocache", path("")}));
    EXPECT_EQ(2, run("resBuildApp", {"-res", "-cache"}));

    // Nothing to build is a failure, and so is an apps directory that is not there.
    fs::create_directories(path("apps/empty"));
    EXPECT_EQ(1, run("resBuildApp", {"-res", path("apps")}));
    EXPECT_TRUE(printed("no project files")) << m_output;
    EXPECT_EQ(1, run("resBuildApp", {"-res", path("missing")}));
    EXPECT_TRUE(printed("is no directory")) << m_output;
}
