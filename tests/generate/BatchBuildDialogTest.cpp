// The batch build dialog without its widgets: its opening state, the command line and the
// start failures.

#include "generate/BatchBuildDialogModel.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using generate::BatchBuildDialogModel;

TEST(BatchBuildDialog, OpeningSwitchesGiveTheCommandLine)
{
    platform::TemporaryDirectory dir;
    EXPECT_EQ("", BatchBuildDialogModel(dir.path()).appsDirectory); // no apps folder yet
    platform::createDirectories(dir.filePath("apps"));
    BatchBuildDialogModel dialog(dir.path());
    EXPECT_EQ(dir.filePath("apps"), dialog.appsDirectory);
    const std::vector<std::string> expected{BatchBuildDialogModel::builderPath(),
                                            "-res",
                                            "-sty",
                                            "-styhead",
                                            "-desktop",
                                            dir.filePath("apps")};
    EXPECT_EQ(expected, dialog.arguments());
    EXPECT_EQ(platform::programDirectory() + "resBuildApp", expected.front());

    dialog.resHeader = true;
    dialog.styleFile = false;
    dialog.desktopFile = false;
    dialog.bestQuality = false;
    dialog.appsDirectory = "/a dir/with \"quotes\"; rm -rf x";
    const std::vector<std::string> other{BatchBuildDialogModel::builderPath(), "-res", "-styhead",
                                         "-minsize", dialog.appsDirectory};
    EXPECT_EQ(other, dialog.arguments());
}

TEST(BatchBuildDialog, EmptyPathStaysAndStartFailuresAreShown)
{
    platform::ScriptedInteraction script;
    platform::ScopedInteraction scope(script);
    platform::TemporaryDirectory dir;
    BatchBuildDialogModel dialog("");
    EXPECT_EQ(BatchBuildDialogModel::Result::StayOpen, dialog.build());
    ASSERT_EQ(1u, script.messages().size());
    EXPECT_EQ("请指定路径!", script.messages().back());

    // A builder folder without the builder, then one whose builder is no program.
    platform::overrideProgramDirectory(dir.path());
    dialog.appsDirectory = dir.path();
    EXPECT_EQ(BatchBuildDialogModel::Result::Close, dialog.build());
    EXPECT_EQ("找不到resBuildApp.exe！", script.messages().back());
    platform::writeFileAtomically(dir.filePath("resBuildApp"), "\x01\x02 not a program");
    ::chmod(dir.filePath("resBuildApp").c_str(), 0755);
    EXPECT_EQ(BatchBuildDialogModel::Result::Close, dialog.build());
    EXPECT_EQ("resBuildApp.exe格式错误！", script.messages().back());
    platform::overrideProgramDirectory("");

    script.queuePath("/chosen/apps");
    EXPECT_TRUE(dialog.browse());
    EXPECT_EQ("/chosen/apps", dialog.appsDirectory);
    EXPECT_EQ("请选择apps路径", script.records().back().text);
}

TEST(BatchBuildDialog, BuilderCheckBeforeTheStart)
{
    platform::TemporaryDirectory dir;
    const std::string builder = dir.filePath("resBuildApp");
    EXPECT_EQ("找不到resBuildApp.exe！", BatchBuildDialogModel::builderProblem(builder));
    // Compiled programs and scripts start; other files, folders and files that may not be run
    // do not.
    EXPECT_EQ(
        "", BatchBuildDialogModel::builderProblem(platform::programDirectory() + "test_generate"));
    ASSERT_TRUE(platform::writeFileAtomically(builder, "#!/bin/sh\nexit 0\n"));
    ::chmod(builder.c_str(), 0755);
    EXPECT_EQ("", BatchBuildDialogModel::builderProblem(builder));
    ::chmod(builder.c_str(), 0644);
    EXPECT_EQ("resBuildApp.exe格式错误！", BatchBuildDialogModel::builderProblem(builder));
    for (const char* bytes : {"", "#", "MZ\x90\x00 a program for another system"}) {
        ASSERT_TRUE(platform::writeFileAtomically(builder, bytes));
        ::chmod(builder.c_str(), 0755);
        EXPECT_EQ("resBuildApp.exe格式错误！", BatchBuildDialogModel::builderProblem(builder))
            << bytes;
    }
    platform::removeFile(builder);
    platform::createDirectories(builder);
    EXPECT_EQ("resBuildApp.exe格式错误！", BatchBuildDialogModel::builderProblem(builder));
}
