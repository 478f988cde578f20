#include "platform/ChildProcess.h"
#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <thread>

using namespace platform;

namespace {

// Polls `done` for up to five seconds.
template <typename Condition>
bool eventually(Condition done)
{
    for (int i = 0; i < 500; ++i) {
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

} // namespace

TEST(ChildProcess, ExitStatusesComeBack)
{
    EXPECT_EQ(runProcess({"/bin/true"}), 0);
    EXPECT_EQ(runProcess({"/bin/false"}), 1);
    EXPECT_EQ(runProcess({"/bin/sh", "-c", "exit 3"}), 3);
    EXPECT_EQ(runProcess({"true"}), 0); // found in PATH
    EXPECT_EQ(runProcess({"/bin/sh", "-c", "kill -9 $$"}), -1);

    ChildProcess child;
    ASSERT_TRUE(child.start({"/bin/sh", "-c", "exit 7"}));
    EXPECT_EQ(child.wait(), 7);
    EXPECT_EQ(child.wait(), 7);
}

TEST(ChildProcess, ArgumentsArriveVerbatimWithoutAShell)
{
    TemporaryDirectory dir;
    const std::string out = dir.filePath("out.txt");
    const std::string tricky = "a b;$(touch x) *\"'\\ 图片";
    EXPECT_EQ(runProcess({"/bin/sh", "-c", "printf %s \"$1\" > \"$2\"", "sh", tricky, out}), 0);
    EXPECT_EQ(readFile(out), std::optional<std::string>(tricky));
    EXPECT_FALSE(pathExists(dir.filePath("x")));
}

TEST(ChildProcess, ExtraVariablesReachTheChildOnly)
{
    ASSERT_EQ(::setenv("SKINSMITH_CHILD_TEST", "ours", 1), 0);
    ChildProcess child;
    child.setVariable("SKINSMITH_CHILD_TEST", "child's");
    child.setVariable("SKINSMITH_CHILD_EXTRA", "x y");
    ASSERT_TRUE(child.start({"/bin/sh", "-c",
                             "test \"$SKINSMITH_CHILD_TEST\" = \"child's\" && "
                             "test \"$SKINSMITH_CHILD_EXTRA\" = 'x y' && test -n \"$PATH\""}));
    EXPECT_EQ(child.wait(), 0);
    EXPECT_STREQ(std::getenv("SKINSMITH_CHILD_TEST"), "ours");
    EXPECT_EQ(std::getenv("SKINSMITH_CHILD_EXTRA"), nullptr);
    ::unsetenv("SKINSMITH_CHILD_TEST");
}

TEST(ChildProcess, RunsInTheWorkingDirectory)
{
    TemporaryDirectory dir;
    EXPECT_EQ(runProcess({"/bin/sh", "-c", "pwd -P > here.txt"}, dir.path()), 0);
    char resolved[4096];
    ASSERT_TRUE(::realpath(dir.path().c_str(), resolved));
    EXPECT_EQ(readFile(dir.filePath("here.txt")),
              std::optional<std::string>(resolved + std::string("\n")));
}

TEST(ChildProcess, FailuresToStartAreReported)
{
    TemporaryDirectory dir;
    ChildProcess child;
    EXPECT_FALSE(child.start({dir.filePath("no-such-tool")}));
    EXPECT_EQ(child.startError(), ENOENT);
    EXPECT_EQ(child.wait(), -1);
    EXPECT_FALSE(child.start({"no-such-tool-in-path-either"}));
    EXPECT_FALSE(child.start({"/bin/true"}, dir.filePath("missing-dir")));
    EXPECT_EQ(child.startError(), ENOENT);
    EXPECT_FALSE(child.start({}));
    EXPECT_EQ(runProcess({dir.filePath("no-such-tool")}), -1);
    EXPECT_FALSE(startDetached({dir.filePath("no-such-tool")}));
}

TEST(ChildProcess, DetachedChildrenRunOnAndAreReaped)
{
    TemporaryDirectory dir;
    const std::string marker = dir.filePath("done");
    ASSERT_TRUE(startDetached({"/bin/sh", "-c", "echo done > \"$1\"", "sh", marker}));
    EXPECT_TRUE(
        eventually([&] { return readFile(marker) == std::optional<std::string>("done\n"); }));

    ChildProcess child;
    ASSERT_TRUE(child.start({"/bin/true"}));
    const pid_t pid = child.pid();
    child.detach();
    // A zombie still answers kill(pid, 0); a reaped child does not.
    EXPECT_TRUE(eventually([pid] { return ::kill(pid, 0) != 0 && errno == ESRCH; }));
}
