#include "TestItems.h"
#include "model/APStyleProject.h"
#include "platform/MainWindowSink.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

TEST(APStyleProject, NewProjectDefaults)
{
    APStyleProject project;
    EXPECT_EQ(project.Name(), "Application");
    EXPECT_EQ(project.ProjectKind(), 1);
    EXPECT_EQ(project.ScreenWidth(), 320);
    EXPECT_EQ(project.ScreenHeight(), 240);
    EXPECT_EQ(project.IdCounter(), -1);
    EXPECT_EQ(project.HistoryCursor(), -1);
    EXPECT_EQ(project.BuildResType(), 1);
    EXPECT_EQ(project.Desktop().exec, "Application.app");
    EXPECT_EQ(project.Desktop().execDir, "/mnt/diska/apps/");
    ASSERT_EQ(project.PropertyCount(), 22);
    EXPECT_STREQ(project.PropertyTable()[21].label, "name strId");
    EXPECT_EQ(project.FindProjectProperty(0), 0);
    EXPECT_EQ(project.FindProjectProperty(7), 5);
    EXPECT_EQ(project.FindProjectProperty(24), 21);
    EXPECT_EQ(project.FindProjectProperty(5), -1);

    project.InitNew();
    EXPECT_EQ(project.HeaderWords()[0], 0x184E4942u);
}

TEST(APStyleProject, AddSceneNamesAfterTheLargestSceneId)
{
    APStyleProject project;
    project.InitNew();
    Snapshot* first = project.AddScene();
    EXPECT_EQ(first->GetId(), 0u);
    EXPECT_EQ(first->Name(), "Scene00");
    EXPECT_EQ(project.CurrentScene(), first);
    for (int key = 1; key <= 16; ++key) {
        EXPECT_EQ(first->Record().keys[key - 1], key);
    }
    EXPECT_EQ(first->Record().key0, 0);

    EXPECT_EQ(project.NextId(), 1); // a resource group takes 1
    Snapshot* second = project.AddScene();
    EXPECT_EQ(second->GetId(), 2u);
    EXPECT_EQ(second->Name(), "Scene01");

    // A deleted scene keeps its place and its number.
    second->SetDeleted(1);
    Snapshot* third = project.AddScene();
    EXPECT_EQ(third->GetId(), 3u);
    EXPECT_EQ(third->Name(), "Scene03");
    EXPECT_EQ(project.Scenes().size(), 3u);
}

TEST(APStyleProject, ScreenSizeFollowsTheSceneDirection)
{
    platform::RecordingMainWindowSink sink;
    APStyleProject project;
    Snapshot* scene = project.AddScene();
    project.NotifyScreenSize(*scene);
    scene->Record().direction = 3;
    project.NotifyScreenSize(*scene);
    const auto& sent = sink.received();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].message, platform::kMsgResizeSurface);
    EXPECT_EQ(sent[0].first, 320);
    EXPECT_EQ(sent[0].second, 240);
    EXPECT_EQ(sent[1].first, 240);
    EXPECT_EQ(sent[1].second, 320);
}

TEST(APStyleProject, IdentifierCounterNeverGoesDown)
{
    APStyleProject project;
    project.RaiseIdCounter(41);
    project.RaiseIdCounter(5);
    EXPECT_EQ(project.IdCounter(), 41);
    EXPECT_EQ(project.NextId(), 42);
    project.ResetIdCounter();
    EXPECT_EQ(project.NextId(), 0);
}

TEST(APStyleProject, ClearingScenesForgetsTheCurrentScene)
{
    APStyleProject project;
    project.AddScene();
    project.Strings().Append(1, "STR_OK");
    project.TextFiles().push_back(".\\a.txt");
    project.History().push_back(nullptr);
    project.SetHistoryCursor(0);
    project.Reset();
    EXPECT_EQ(project.CurrentScene(), nullptr);
    EXPECT_TRUE(project.Scenes().empty());
    EXPECT_TRUE(project.Strings().Empty());
    EXPECT_TRUE(project.TextFiles().empty());
    EXPECT_TRUE(project.History().empty());
    EXPECT_EQ(project.HistoryCursor(), -1);
}

TEST(APStyleProject, CurrentProjectIsForgottenWhenDestroyed)
{
    {
        APStyleProject project;
        APStyleProject::SetCurrent(&project);
        EXPECT_EQ(APStyleProject::Current(), &project);
    }
    EXPECT_EQ(APStyleProject::Current(), nullptr);
}

TEST(APStyleProject, FindChildSkipsDeletedChildrenAndIgnoresCase)
{
    TestGroup group;
    static_cast<SnapShotItem*>(group.Add("Title"))->SetDeleted(1);
    group.Add("title");
    group.Add("N86IP3V");
    EXPECT_EQ(APStyleProject::FindChildByName("TITLE", &group), 1);
    EXPECT_EQ(APStyleProject::FindChildByName("Other", &group), -1);
    EXPECT_EQ(APStyleProject::FindChildByName("title", nullptr), -1);
    EXPECT_EQ(APStyleProject::FindChildByHash("n8stp4e", &group), 2);
    EXPECT_EQ(APStyleProject::FindChildByHash("TITLE", &group), 1);
    EXPECT_EQ(APStyleProject::FindChildByHash("x", nullptr), -1);
    TestItem leaf;
    EXPECT_EQ(APStyleProject::FindChildByName("x", &leaf), -1);
}

TEST(APStyleProject, ResolvePathAgainstCaseAndProjectDirectories)
{
    APStyleProject project;
    project.SetCaseDir("/sdk/case");
    project.SetProjectDir("/work/ui");
    EXPECT_EQ(project.ResolvePath("", false), "");
    EXPECT_EQ(project.ResolvePath("/abs/x.png", true), "/abs/x.png");
    EXPECT_EQ(project.ResolvePath("$CASE\\images\\a.png", false), "/sdk/case/images/a.png");
    EXPECT_EQ(project.ResolvePath("$CASE\\images\\a.png", true), "/sdk/case/images/a.png");
    EXPECT_EQ(project.ResolvePath(".\\images\\a.png", false), "/sdk/case/images/a.png");
    EXPECT_EQ(project.ResolvePath(".\\images\\a.png", true), "/work/ui/images/a.png");
    EXPECT_EQ(project.ResolvePath("..\\other\\.\\b.png", false), "/sdk/other/b.png");
}

TEST(APStyleProject, ResolvePathFindsFilesWhoseCaseDiffers)
{
    platform::TemporaryDirectory dir;
    ASSERT_TRUE(dir.isValid());
    std::filesystem::create_directories(dir.filePath("Images"));
    std::ofstream(dir.filePath("Images/Logo.PNG")) << "x";
    APStyleProject project;
    project.SetCaseDir(dir.path());
    EXPECT_EQ(project.ResolvePath(".\\images\\logo.png", false), dir.filePath("Images/Logo.PNG"));
}

TEST(APStyleProject, MakeRelativePathGivesTheStoredForm)
{
    APStyleProject project;
    project.SetCaseDir("/sdk/case");
    project.SetProjectDir("/work/ui");
    EXPECT_EQ(project.MakeRelativePath(".\\already\\rel.png", false), ".\\already\\rel.png");
    EXPECT_EQ(project.MakeRelativePath("$CASE\\a.png", true), "$CASE\\a.png");
    EXPECT_EQ(project.MakeRelativePath("/sdk/case/a.png", false), ".\\a.png");
    EXPECT_EQ(project.MakeRelativePath("/sdk/case/img/./a.png", false), ".\\img\\a.png");
    EXPECT_EQ(project.MakeRelativePath("/sdk/res/a.png", false), "..\\res\\a.png");
    EXPECT_EQ(project.MakeRelativePath("/work/ui/Case", true), ".\\Case");
    // Resolving the stored form leads back to the file.
    EXPECT_EQ(project.ResolvePath(project.MakeRelativePath("/sdk/res/a.png", false), false),
              "/sdk/res/a.png");
}
