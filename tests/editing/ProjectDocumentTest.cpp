#include "DemoWorkspace.h"

#include "editing/AutoSavePath.h"
#include "editing/EditorOptions.h"
#include "editing/ProjectDocument.h"
#include "editing/RootGroup.h"
#include "model/APStyleProject.h"
#include "model/Snapshot.h"
#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>

using editing::NewProjectRequest;
using editing::ProjectDocument;
using platform::Answer;

namespace {

// A workspace with the demo project open through the document, plus two more copies of it, so
// that several projects can be modified, saved and closed.
class ProjectDocumentTest : public ::testing::Test
{
protected:
    ProjectDocumentTest()
    {
        demo.ws.CloseProject(demo.project);
        for (const char* name : {"one", "two", "three"}) {
            std::filesystem::copy(std::filesystem::path(demo.sourcePath).parent_path(),
                                  demo.dir.filePath(name),
                                  std::filesystem::copy_options::recursive);
        }
        document.SetTitleSink([this](const std::string& title) { titles.push_back(title); });
    }

    APStyleProject* OpenCopy(const char* name)
    {
        EXPECT_EQ(document.Open(PathOf(name)), ProjectDocument::OpenResult::Opened);
        return demo.ws.CurrentProject();
    }
    std::string PathOf(const char* name)
    {
        return demo.dir.filePath(std::string(name) + "/demo.ui");
    }

    DemoWorkspace demo;
    editing::EditorOptions options{demo.dir.filePath("SkinSmith.ini")};
    ProjectDocument document{demo.ws, options};
    std::vector<std::string> titles;
};

TEST(NewProjectRequestTest, ChecksFieldsInOrderAndComposesTheSettings)
{
    NewProjectRequest request;
    EXPECT_EQ(request.Problem(), "工程名不能为空");
    request.name = "demo";
    EXPECT_EQ(request.Problem(), "保存路径不能为空");
    request.saveDir = "/d/work";
    EXPECT_EQ(request.Problem(), "Case目录不能为空");
    request.caseDir = "/d/sdk/case/";
    EXPECT_EQ(request.Problem(), "");

    APStyleProject project;
    editing::ApplyNewProjectSettings(project, request);
    EXPECT_EQ(project.ProjectFilePath(), "/d/work/demo.ui");
    EXPECT_EQ(project.CaseDir(), "/d/sdk/case");
    EXPECT_EQ(project.SdkDir(), "/d/sdk/psp_rel");
    EXPECT_EQ(project.ResourceFile(), "/d/sdk/case/images/apps/demo/style0/demo.res");
    EXPECT_EQ(project.StyleFile(), "/d/sdk/case/images/apps/demo/demo.sty");
    EXPECT_EQ(project.StringDir(), "/d/sdk/case/images/apps/demo/");
    EXPECT_EQ(project.PictureHeader(), "/d/work/demo_pic.h");
    EXPECT_EQ(project.ProjectKind(), 1);
    EXPECT_EQ(project.ScreenWidth(), 320);
    EXPECT_EQ(project.ScreenHeight(), 240);
}

TEST(AutoSavePathTest, StampsTheFileNameOnly)
{
    const platform::LocalTime time{2024, 1, 5, 9, 3, 7};
    EXPECT_EQ(editing::AutoSaveCopyPath("/w/demo.ui", time), "/w/demo_2024_01_05_09_03_07.ui");
    EXPECT_EQ(editing::AutoSaveCopyPath("/w/v1.2/demo", time), "/w/v1.2/demo_2024_01_05_09_03_07");
}

TEST_F(ProjectDocumentTest, NewProjectIsWrittenLoadedBackAndRefusedTwice)
{
    NewProjectRequest request{demo.dir.filePath("made"), "fresh", demo.dir.filePath("case")};
    std::filesystem::create_directories(request.saveDir);
    EXPECT_EQ(document.CheckNewProject(request), ProjectDocument::NewProjectCheck::ShowAgain);
    EXPECT_EQ(demo.ui.messages().back(), "无法找到case目录" + request.caseDir);
    std::filesystem::create_directories(request.caseDir);
    // The load asks for the SDK directory beside the case directory when it is missing.
    demo.ui.queuePath(demo.dir.filePath("sdk"));
    EXPECT_EQ(document.CheckNewProject(request), ProjectDocument::NewProjectCheck::Proceed);
    APStyleProject* project = document.NewProject(request);
    ASSERT_NE(project, nullptr) << (demo.ui.messages().empty() ? "" : demo.ui.messages().back());
    EXPECT_TRUE(platform::isFile(request.ProjectFilePath()));
    EXPECT_EQ(project->Modified(), 0);
    ASSERT_EQ(project->Scenes().size(), 1u);
    ASSERT_NE(editing::RootGroupOf(*project->Scenes()[0]), nullptr);
    EXPECT_EQ(editing::RootGroupOf(*project->Scenes()[0])->Name(), "window");
    EXPECT_EQ(titles.back(), request.ProjectFilePath());

    // Open with another letter case: refused with the message, the dialog comes back.
    NewProjectRequest again = request;
    again.name = "FRESH";
    EXPECT_EQ(document.CheckNewProject(again), ProjectDocument::NewProjectCheck::ShowAgain);
    EXPECT_EQ(demo.ui.messages().back(), "相同路径名字的UI工程已经打开，请选择不同名字或路径！");

    // An existing file that is not open: the overwrite question; No shows the dialog again.
    document.CloseCurrent();
    demo.ui.queueAnswer(Answer::No);
    EXPECT_EQ(document.CheckNewProject(request), ProjectDocument::NewProjectCheck::ShowAgain);
    EXPECT_EQ(demo.ui.questions().back(), "相同路径名字的UI工程已经存在，覆盖？");
    demo.ui.queueAnswer(Answer::Yes);
    EXPECT_EQ(document.CheckNewProject(request), ProjectDocument::NewProjectCheck::Proceed);
}

TEST_F(ProjectDocumentTest, AnOpenedProjectShowsItsFirstScene)
{
    APStyleProject* project = OpenCopy("one");
    ASSERT_NE(project, nullptr);
    Snapshot* first = project->Scenes().front().get();
    EXPECT_EQ(demo.ws.Selection().Scene(), first);
    EXPECT_EQ(demo.ws.Grid().Shown(), editing::PropertyGrid::Page::Scene);
    EXPECT_EQ(demo.ws.Grid().Scene(), first);
}

TEST_F(ProjectDocumentTest, OpeningTheSameFileInAnotherCaseSelectsIt)
{
    APStyleProject* first = OpenCopy("one");
    OpenCopy("two");
    std::string upper = PathOf("one");
    upper.replace(upper.size() - 7, 7, "DEMO.UI");
    EXPECT_EQ(document.Open(upper), ProjectDocument::OpenResult::AlreadyOpen);
    EXPECT_EQ(demo.ws.Projects().size(), 2u);
    EXPECT_EQ(demo.ws.CurrentProject(), first);
    EXPECT_EQ(document.Open(demo.dir.filePath("none.ui")), ProjectDocument::OpenResult::Failed);
    EXPECT_EQ(demo.ws.CurrentProject(), first);
}

TEST_F(ProjectDocumentTest, CancelDuringCloseAllClosesNothingAndKeepsEveryFlag)
{
    for (const char* name : {"one", "two", "three"}) {
        OpenCopy(name)->SetModified(1);
    }
    demo.ui.queueAnswer(Answer::No);
    demo.ui.queueAnswer(Answer::Cancel);
    EXPECT_FALSE(document.CloseAll());
    ASSERT_EQ(demo.ws.Projects().size(), 3u);
    for (APStyleProject* project : demo.ws.Projects()) {
        EXPECT_EQ(project->Modified(), 1) << project->ProjectFilePath();
    }

    // Asked again: Yes, No, No closes all; the one answered Yes is written.
    const auto before = platform::readFile(PathOf("one"));
    demo.ui.queueAnswer(Answer::Yes);
    demo.ui.queueAnswer(Answer::No);
    demo.ui.queueAnswer(Answer::No);
    EXPECT_TRUE(document.CloseAll());
    EXPECT_TRUE(demo.ws.Projects().empty());
    EXPECT_EQ(titles.back(), "SkinSmith");
    EXPECT_EQ(demo.ui.questions().size(), 5u);
    EXPECT_TRUE(before.has_value());
}

TEST_F(ProjectDocumentTest, FailedSaveIsReportedAndKeepsTheProjectModified)
{
    APStyleProject* project = OpenCopy("one");
    document.SetModifiedFlag(true);
    const std::string vanished = demo.dir.filePath("gone/demo.ui");
    EXPECT_FALSE(document.SaveAs(vanished));
    EXPECT_EQ(project->Modified(), 1);
    EXPECT_EQ(project->ProjectFilePath(), PathOf("one"));
    ASSERT_FALSE(demo.ui.messages().empty());
    EXPECT_NE(demo.ui.messages().back().find(vanished), std::string::npos);

    // Its own folder removed under it: the save fails too, and says so.
    std::filesystem::remove_all(demo.dir.filePath("one"));
    EXPECT_FALSE(document.SaveCurrent());
    EXPECT_EQ(project->Modified(), 1);
    EXPECT_EQ(titles.back(), PathOf("one") + " *");
}

TEST_F(ProjectDocumentTest, AutoSaveWritesStampedCopiesOfChangedProjectsOnly)
{
    APStyleProject* clean = OpenCopy("one");
    APStyleProject* changed = OpenCopy("two");
    changed->SetModified(1);
    const auto original = platform::readFile(PathOf("two"));
    const platform::LocalTime time{2024, 1, 5, 9, 3, 7};

    EXPECT_EQ(document.AutoSave(time), 1);
    EXPECT_TRUE(platform::isFile(demo.dir.filePath("two/demo_2024_01_05_09_03_07.ui")));
    EXPECT_FALSE(platform::isFile(demo.dir.filePath("one/demo_2024_01_05_09_03_07.ui")));
    EXPECT_EQ(platform::readFile(PathOf("two")), original);
    EXPECT_EQ(changed->Modified(), 1);
    EXPECT_EQ(clean->Modified(), 0);
    // Nothing changed since: no second copy.
    EXPECT_EQ(document.AutoSave({2024, 1, 5, 9, 3, 37}), 0);

    // A copy that cannot be written is reported once, not on every tick.
    clean->SetModified(1);
    std::filesystem::remove_all(demo.dir.filePath("one"));
    const std::size_t shown = demo.ui.messages().size();
    document.AutoSave({2024, 1, 5, 9, 4, 7});
    document.AutoSave({2024, 1, 5, 9, 4, 37});
    EXPECT_EQ(demo.ui.messages().size(), shown + 1);

    document.SetAutoSave(false);
    changed->History().clear();
    EXPECT_EQ(document.AutoSave({2024, 1, 5, 9, 5, 7}), 0);
}

TEST_F(ProjectDocumentTest, AutoSaveKeepsTheNewestCopiesOnly)
{
    APStyleProject* project = OpenCopy("one");
    const std::string unrelated = demo.dir.filePath("one/demo_notes.ui");
    ASSERT_TRUE(platform::writeFileAtomically(unrelated, "notes"));
    // 12 changed states, a minute apart; the settings keep 10 by default.
    for (int minute = 0; minute < 12; ++minute) {
        project->SetModified(1);
        project->History().clear();
        project->SetHistoryCursor(minute % 2 == 0 ? -1 : -2);
        ASSERT_EQ(document.AutoSave({2024, 1, 5, 9, minute, 0}), 1) << minute;
    }
    const auto copy = [this](int minute) {
        return demo.dir.filePath("one/" +
                                 editing::AutoSaveCopyPath("demo.ui", {2024, 1, 5, 9, minute, 0}));
    };
    EXPECT_FALSE(platform::isFile(copy(0)));
    EXPECT_FALSE(platform::isFile(copy(1)));
    for (int minute = 2; minute < 12; ++minute) {
        EXPECT_TRUE(platform::isFile(copy(minute))) << minute;
    }
    EXPECT_TRUE(platform::isFile(PathOf("one")));
    EXPECT_TRUE(platform::isFile(unrelated));

    // AUTOSAVE_KEEP=0 keeps every copy.
    ASSERT_TRUE(platform::writeFileAtomically(demo.dir.filePath("SkinSmith.ini"),
                                              "[CONFIG]\nAUTOSAVE_KEEP=0\n"));
    options.Read();
    project->SetHistoryCursor(-1);
    ASSERT_EQ(document.AutoSave({2024, 1, 5, 10, 0, 0}), 1);
    EXPECT_TRUE(platform::isFile(copy(2)));
}

} // namespace
