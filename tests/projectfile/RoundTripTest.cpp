// Load + save without a change gives the same bytes: the bundled example, a project built
// in memory, a file with a byte-order mark, and an older file, which is written once in the
// current form and is stable from then on.
#include "ProjectFileFixture.h"

#include "model/CCanvasSnapShotItem.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"
#include "platform/Path.h"

namespace {

const std::string kDemoDir = std::string(SKINSMITH_SOURCE_DIR) + "/examples/demo";

} // namespace

using RoundTrip = ProjectFileFixture;

TEST_F(RoundTrip, DemoProjectIsWrittenBackByteForByte)
{
    project = std::make_unique<APStyleProject>();
    ProjectFileReader reader(*project);
    reader.SetDefinitionDirectory(dir.filePath("defs"));
    ASSERT_EQ(reader.Load(kDemoDir + "/demo.ui"), 1) << reader.ErrorString();
    EXPECT_TRUE(ui.records().empty()); // no question, no message: every resource is there
    EXPECT_EQ(project->Modified(), 0);
    // The language names of the string table, in file order.
    const auto& languages = project->Strings().LanguageNames();
    EXPECT_EQ(languages[0], "English");
    EXPECT_EQ(languages[1], "简体中文");
    EXPECT_EQ(languages[2], "العربية");
    EXPECT_EQ(project->Strings().Records().at(0).textCount, 3u);
    ASSERT_EQ(project->Scenes().size(), 3u);
    EXPECT_EQ(project->IdCounter(), 46);

    // The demo keeps a hidden picture (visible 0) beside shown ones (0x10, 0x11): a save
    // reads every picture's header and must give each the byte it already has.
    EXPECT_EQ(Save(), *platform::readFile(kDemoDir + "/demo.ui"));
}

TEST_F(RoundTrip, ProjectBuiltInMemoryIsStableThroughSaveAndLoad)
{
    project = std::make_unique<APStyleProject>();
    APStyleProject& p = *project;
    p.InitNew();
    p.SetName("p");
    p.SetProjectDir(dir.path());
    p.SetCaseDir(dir.filePath("case"));
    p.SetSdkDir(dir.filePath("psp_rel"));
    p.SetResourceFile(dir.filePath("case/images/apps/p/style0/p.res"));
    p.SetStringDir(dir.filePath("case/images/apps/p"));
    p.SetPictureHeader(dir.filePath("p_pic.h"));
    p.SetStringHeader(dir.filePath("p_str.h"));
    p.SetStyleHeader(dir.filePath("p_sty.h"));
    p.SetStyleFile(dir.filePath("case/images/apps/p/p.sty"));
    p.Desktop() = DesktopSettings::Defaults(p.CaseDir(), "p");
    p.Strings().Append(1, "HELLO");
    APStyleProject::SetCurrent(&p);
    for (int s = 0; s < 2; ++s) {
        Snapshot* scene = p.AddScene();
        auto* group = static_cast<CCanvasSnapShotItem*>(scene->AddChild(SnapShotItem::kGroup, 0));
        auto* nested = static_cast<CCanvasSnapShotItem*>(group->AddChild(SnapShotItem::kGroup, 0));
        nested->AddChild(SnapShotItem::kPicture, 0);
        auto* text = static_cast<StringSnapShotItem*>(group->AddChild(SnapShotItem::kString, 0));
        text->TextStore().identifier = "HELLO";
        group->AddChild(SnapShotItem::kPicture, 1);
    }
    APStyleProject::SetCurrent(nullptr);

    const std::string saved = SaveAndReload();
    EXPECT_NE(saved.find("<property name=\"prj_case_path\" value=\".\\case\" />"),
              std::string::npos);
    EXPECT_NE(saved.find("<element class=\"picregion_resource\">"), std::string::npos);
    EXPECT_NE(saved.find("<property name=\"strid\" value=\"HELLO\" />"), std::string::npos);
    ASSERT_EQ(project->Scenes().size(), 2u);
    EXPECT_EQ(project->Scenes()[1]->Name(), "Scene01");
}

TEST_F(RoundTrip, ByteOrderMarkIsKept)
{
    const std::string text = "\xEF\xBB\xBF" + Project(Scene(0, ""));
    ASSERT_EQ(Load(text), 1);
    const std::string saved = SaveAndReload();
    EXPECT_EQ(saved.rfind("\xEF\xBB\xBF<?xml ", 0), 0u);

    // Without the mark none is written.
    ASSERT_EQ(Load(Project(Scene(0, ""))), 1);
    EXPECT_EQ(Save().rfind("<?xml ", 0), 0u);
}

TEST_F(RoundTrip, OlderFileIsWrittenInTheCurrentFormOnce)
{
    const std::string older =
        Project("<scene id=\"3\" name=\"Old\"><widget type=\"container_t\" id=\"4\" name=\"G\">"
                "<widget class=\"picture_t\" id=\"5\" name=\"P\">"
                "<layer level=\"0\" path=\".\\A.png\" /></widget>"
                "<widget class=\"string_t\" id=\"6\" name=\"T\">"
                "<property name=\"forground\" value=\"0x00ff0000\" /></widget>"
                "</widget></scene>",
                "ide-rad");
    ASSERT_EQ(Load(older), 1);
    EXPECT_EQ(project->Modified(), 1); // generic class names were corrected
    const std::string saved = SaveAndReload();
    // The attributes became properties in front; a direction added to an existing scene
    // goes right after its name.
    const std::string expectedScene = "    <scene>\r\n"
                                      "        <property name=\"name\" value=\"Old\" />\r\n"
                                      "        <property name=\"direction\" value=\"0\" />\r\n"
                                      "        <property name=\"id\" value=\"3\" />\r\n"
                                      "        <property name=\"key1\" value=\"0\" />\r\n";
    EXPECT_NE(saved.find(expectedScene), std::string::npos) << saved;
    EXPECT_NE(saved.find("<ui-rad>"), std::string::npos);
    EXPECT_EQ(saved.find("ide-rad"), std::string::npos);
    EXPECT_EQ(saved.find("widget"), std::string::npos);
    EXPECT_EQ(saved.find("<layer"), std::string::npos);
    EXPECT_EQ(saved.find(" id=\""), std::string::npos);
    EXPECT_NE(saved.find("<element class=\"picture_resource\">\r\n"
                         "                <property name=\"name\" value=\"P\" />\r\n"
                         "                <property name=\"id\" value=\"5\" />"),
              std::string::npos);
    EXPECT_NE(saved.find("<property name=\"0\" value=\".\\a.png\" />"), std::string::npos);
    EXPECT_NE(saved.find("<property name=\"foreground\" value=\"0x00ff0000\" />"),
              std::string::npos);
    // The comment of the current form follows the root.
    EXPECT_NE(saved.find("</ui-rad>\r\n<!--Zorvane IDE, Rapid Application Development-->\r\n"),
              std::string::npos);
}
