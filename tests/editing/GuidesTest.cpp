#include "DemoWorkspace.h"

#include "editing/EditorOptions.h"
#include "editing/GuidesFile.h"
#include "editing/ProjectDocument.h"
#include "editing/SurfaceChangeHandler.h"
#include "model/Snapshot.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>

using editing::GuidesFile;

TEST(GuidesFileTest, PrintsAndParsesBackAndRefusesWhatIsNotAGuidesFile)
{
    const editing::GuidesByScene scenes = {
        {"主界面", {{true, 10}, {false, -4}, {true, 320}}},
        {"empty", {}},
    };
    const GuidesFile::Reading back = GuidesFile::Parse(GuidesFile::Print(scenes));
    EXPECT_TRUE(back.problem.empty());
    // Vertical lines first, then horizontal ones; a scene without guides is not kept.
    EXPECT_EQ(back.scenes,
              (editing::GuidesByScene{{"主界面", {{true, 10}, {true, 320}, {false, -4}}}}));

    for (const char* damaged : {
             "",
             "[1,2]",
             "{\"version\":2,\"scenes\":{}}",
             "{\"version\":1}",
             "{\"version\":1,\"scenes\":{\"a\":{\"vertical\":[1.5]}}}",
             "{\"version\":1,\"scenes\":{\"a\":{\"vertical\":\"12\"}}}",
             "{\"version\":1,\"scenes\":{\"a\":{\"horizontal\":[99999999999]}}}",
             "{\"version\":1,\"scenes\":{\"a\":[]}}",
             "{\"version\":1,\"scenes\":{\"a\":{",
         }) {
        const GuidesFile::Reading reading = GuidesFile::Parse(damaged);
        EXPECT_FALSE(reading.problem.empty()) << damaged;
        EXPECT_TRUE(reading.scenes.empty()) << damaged;
    }
}

namespace {

class GuidesTest : public ::testing::Test
{
protected:
    GuidesTest()
    {
        demo.editor.CreateEditor(nullptr, {0, 0, 320, 240},
                                 editing::SurfaceChangeHandler::Callback(demo.ws));
        demo.ws.CloseProject(demo.project);
        std::filesystem::copy(std::filesystem::path(demo.sourcePath).parent_path(),
                              demo.dir.filePath("copy"), std::filesystem::copy_options::recursive);
    }

    std::string ProjectPath() const { return demo.dir.filePath("copy/demo.ui"); }
    Snapshot& Scene(std::size_t index) { return *demo.ws.CurrentProject()->Scenes().at(index); }
    void Show(std::size_t index)
    {
        demo.ws.Panel().ShowScene(*demo.ws.CurrentProject(), Scene(index), nullptr);
    }
    // A guide pulled out of a ruler and let go at `position`.
    void Pull(bool vertical, int position)
    {
        demo.editor.Surface().StartUserGuide(vertical, 0);
        demo.editor.Surface().DragTo(position, position, true);
        demo.editor.Surface().Release();
    }

    DemoWorkspace demo;
    editing::EditorOptions options{demo.dir.filePath("SkinSmith.ini")};
    editing::ProjectDocument document{demo.ws, options};
};

} // namespace

TEST_F(GuidesTest, GuidesStayWithTheirSceneInAFileBesideTheProjectWhoseBytesNeverChange)
{
    const std::string projectBytes = platform::readFile(ProjectPath()).value();
    ASSERT_EQ(document.Open(ProjectPath()), editing::ProjectDocument::OpenResult::Opened);
    ASSERT_GE(demo.ws.CurrentProject()->Scenes().size(), 2u);
    Show(0);
    EXPECT_TRUE(demo.editor.Guides().empty());
    Pull(true, 40);
    Pull(false, 25);
    const std::string guidesPath = ProjectPath() + ".guides";
    const GuidesFile::Reading written = GuidesFile::Read(guidesPath);
    ASSERT_TRUE(written.problem.empty());
    EXPECT_EQ(written.scenes.at(Scene(0).Name()),
              (std::vector<GuideLine>{{true, 40}, {false, 25}}));
    EXPECT_FALSE(demo.ws.CurrentProject()->Modified());

    // Another scene has its own guides; coming back brings the first ones back.
    Show(1);
    EXPECT_TRUE(demo.editor.Guides().empty());
    Show(0);
    EXPECT_EQ(demo.editor.Guides().size(), 2u);

    // A save under a new name takes them along; the project file itself never holds them.
    const std::string other = demo.dir.filePath("copy/renamed.ui");
    ASSERT_TRUE(document.SaveAs(other));
    EXPECT_TRUE(platform::isFile(other + ".guides"));
    EXPECT_EQ(platform::readFile(ProjectPath()).value(), projectBytes);
    EXPECT_EQ(platform::readFile(other).value().find("guide"), std::string::npos);

    // Opened again, the project finds them; removing the last one removes the file.
    ASSERT_TRUE(document.CloseAll());
    ASSERT_EQ(document.Open(other), editing::ProjectDocument::OpenResult::Opened);
    Show(0);
    ASSERT_EQ(demo.editor.Guides().size(), 2u);
    demo.editor.Surface().Press(40, 200);
    demo.editor.Surface().RemoveDraggedGuide();
    demo.editor.Surface().Press(300, 25);
    demo.editor.Surface().RemoveDraggedGuide();
    EXPECT_TRUE(demo.editor.Guides().empty());
    EXPECT_FALSE(platform::pathExists(other + ".guides"));
}

TEST_F(GuidesTest, ADamagedGuidesFileIsIgnoredWithANoteAndReplacedOnlyByNewGuides)
{
    const std::string guidesPath = ProjectPath() + ".guides";
    ASSERT_TRUE(platform::writeFileAtomically(guidesPath, "{\"version\":1,\"scenes\":"));
    demo.sink.clear();
    ASSERT_EQ(document.Open(ProjectPath()), editing::ProjectDocument::OpenResult::Opened);
    const bool noted = std::any_of(demo.sink.batches().begin(), demo.sink.batches().end(),
                                   [](const editing::ChangeSet& batch) {
                                       const editing::Change* note =
                                           batch.Last(editing::ChangeKind::StatusNote);
                                       return note && note->text.find("参考线") == 0;
                                   });
    EXPECT_TRUE(noted);
    Show(0);
    EXPECT_TRUE(demo.editor.Guides().empty());
    // Saving the project leaves the damaged file alone.
    demo.ws.CurrentProject()->SetModified(1);
    ASSERT_TRUE(document.SaveCurrent());
    EXPECT_EQ(platform::readFile(guidesPath).value(), "{\"version\":1,\"scenes\":");
    Pull(true, 12);
    EXPECT_EQ(GuidesFile::Read(guidesPath).scenes.at(Scene(0).Name()),
              (std::vector<GuideLine>{{true, 12}}));
}
