// The UI resizer dialog without its widgets: defaults, checks, the overwrite question and the
// parameter text.

#include "editing/UiResizerDialogModel.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

using editing::UiResizerDialogModel;

TEST(UiResizerDialog, ChecksInOrderAndAsksBeforeOverwriting)
{
    platform::ScriptedInteraction script;
    platform::ScopedInteraction scope(script);
    platform::TemporaryDirectory dir;
    platform::createDirectories(dir.filePath("case/apps"));
    UiResizerDialogModel dialog(dir.filePath("case"));
    EXPECT_EQ(dir.filePath("case/apps"), dialog.sourceAppsDirectory);
    EXPECT_EQ(320, dialog.sourceWidth);
    EXPECT_EQ(240, dialog.sourceHeight);
    EXPECT_EQ(320, dialog.destinationWidth);
    EXPECT_EQ(240, dialog.destinationHeight);
    EXPECT_EQ("PIC", dialog.uprightFolder);
    EXPECT_EQ("PICH", dialog.sidewaysFolder);
    EXPECT_TRUE(dialog.destinationAppsDirectory.empty());
    EXPECT_TRUE(UiResizerDialogModel("").sourceAppsDirectory.empty());
    EXPECT_EQ("..\\resource", dialog.resourceDirectory);

    EXPECT_FALSE(dialog.accept());
    EXPECT_EQ("请填完所有路径及名字！", script.messages().back());
    dialog.destinationAppsDirectory = dir.filePath("other/apps");
    dialog.destinationWidth = 0;
    EXPECT_FALSE(dialog.accept());
    EXPECT_EQ("源和目的的宽高都不能为0！", script.messages().back());
    dialog.destinationWidth = 480;
    dialog.sourceAppsDirectory = dir.filePath("missing");
    EXPECT_FALSE(dialog.accept());
    EXPECT_EQ("src apps路径不存在！", script.messages().back());
    dialog.sourceAppsDirectory = dir.filePath("case/apps");
    dialog.resourceDirectory = "/abs";
    EXPECT_FALSE(dialog.accept());
    EXPECT_EQ("Res dir必须是相对路径！", script.messages().back());
    dialog.resourceDirectory = "..\\resource";
    EXPECT_TRUE(dialog.accept());
    EXPECT_TRUE(script.questions().empty());

    // The same resource directory in another letter case: asked, No keeps the dialog open.
    dialog.destinationAppsDirectory = dir.filePath("CASE/APPS");
    script.queueAnswer(platform::Answer::No);
    EXPECT_FALSE(dialog.accept());
    ASSERT_EQ(1u, script.questions().size());
    EXPECT_EQ("源与目的资源路径相同，源资源图片将会被覆盖，确定？", script.questions().back());
    script.queueAnswer(platform::Answer::Yes);
    EXPECT_TRUE(dialog.accept());
}

TEST(UiResizerDialog, ParameterTextIsOneArgument)
{
    UiResizerDialogModel dialog("");
    dialog.sourceAppsDirectory = "/s apps\"; rm x";
    dialog.destinationAppsDirectory = "/d";
    EXPECT_EQ("string = src_width = 320; src_height = 240; dst_width = 320; dst_height = 240;"
              "         src_apps_dir = /s apps\"; rm x; src_res_dir = ..\\resource; "
              "dst_apps_dir = /d;        upright_dir_name = PIC; sidelong_dir_name = PICH;",
              dialog.parameterText());
    const std::vector<std::string> argv = dialog.arguments();
    ASSERT_EQ(2u, argv.size());
    EXPECT_EQ(dialog.parameterText(), argv[1]);
}
