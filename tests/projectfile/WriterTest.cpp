// How a save updates the retained document: new nodes and where their properties go,
// removed nodes, nodes the writer does not know, duplicate scene identifiers, the move and
// renumber edits, the picture format byte and failed writes.
#include "ProjectFileFixture.h"

#include "model/CCanvasSnapShotItem.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"
#include "projectfile/StandardProjectFileIo.h"
#include "support/PngBytes.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kDemoPictures =
    std::string(SKINSMITH_SOURCE_DIR) + "/examples/demo/case/images/apps/demo/";

CCanvasSnapShotItem& TopGroup(APStyleProject& project, std::size_t scene)
{
    return static_cast<CCanvasSnapShotItem&>(*project.Scenes().at(scene)->Elements().at(0));
}

std::size_t Count(const std::string& text, const std::string& what)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

std::string Picture(int id, int visible, const std::string& path)
{
    return "<element class=\"picture_resource\"><property name=\"id\" value=\"" +
           std::to_string(id) + "\" /><property name=\"visible\" value=\"" +
           std::to_string(visible) + "\" /><element class=\"layer\"><property name=\"0\" value=\"" +
           path + "\" /></element></element>";
}

} // namespace

using Writer = ProjectFileFixture;

TEST_F(Writer, NewNodesGoAfterExistingOnesInTheFormatsOrder)
{
    const std::string text =
        Project("<resource><string value=\"HI\" /></resource><!--kept-->" +
                Scene(0, "<note keep=\"1\" />", "A") +
                "<resource><txt value=\".\\t.txt\" /></resource>"
                "<scene extra=\"x\"><property name=\"id\" value=\"10\" /></scene>");
    ASSERT_EQ(Load(text), 1);
    APStyleProject::SetCurrent(project.get());
    Snapshot* added = project->AddScene();
    added->AddChild(SnapShotItem::kGroup, 0);
    // Placed between the two loaded scenes, it is still written after both.
    std::rotate(project->Scenes().begin() + 1, project->Scenes().end() - 1,
                project->Scenes().end());
    auto* text1 =
        static_cast<StringSnapShotItem*>(TopGroup(*project, 0).AddChild(SnapShotItem::kString, 0));
    text1->TextStore().identifier = "HI";
    APStyleProject::SetCurrent(nullptr);

    const std::string saved = Save();
    const std::size_t first = saved.find("<property name=\"id\" value=\"0\" />");
    const std::size_t second = saved.find("<scene extra=\"x\">");
    const std::size_t third = saved.find("<property name=\"name\" value=\"Scene11\" />");
    const std::size_t resource = saved.find("<resource>");
    ASSERT_NE(third, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
    EXPECT_LT(third, resource);
    EXPECT_EQ(Count(saved, "<resource>"), 1u); // both sections in one, the last child
    EXPECT_LT(saved.find("<string value=\"HI\" />"), saved.find("</resource>"));
    EXPECT_LT(saved.find("<txt value=\".\\t.txt\" />"), saved.find("<string value"));
    EXPECT_NE(saved.find("</resource>\r\n</ui-rad>"), std::string::npos);
    EXPECT_NE(saved.find("<!--kept-->"), std::string::npos);
    // A new element: appended to its group's node, its properties in the order of the format.
    EXPECT_NE(saved.find("<property name=\"transparency\" value=\"0x0000\" />\r\n"
                         "            <element class=\"string_resource\">\r\n"
                         "                <property name=\"name\" value=\"String13\" />\r\n"
                         "                <property name=\"id\" value=\"13\" />\r\n"
                         "                <property name=\"x\" value=\"0x0000\" />"),
              std::string::npos)
        << saved;
    EXPECT_NE(saved.find("<note keep=\"1\" />"), std::string::npos);
    // Properties missing from a loaded scene: the keys before its elements (the reader),
    // the name after the last property, the direction right after the name.
    EXPECT_NE(saved.find("<property name=\"key16\" value=\"0\" />\r\n"
                         "        <property name=\"name\" value=\"\" />\r\n"
                         "        <property name=\"direction\" value=\"0\" />\r\n"
                         "    </scene>"),
              std::string::npos);
    EXPECT_NE(saved.find("<property name=\"strid\" value=\"HI\" />"), std::string::npos);
}

TEST_F(Writer, DeletedScenesAndElementsLoseTheirNodes)
{
    const std::string children = Picture(3, 1, ".\\a.png") + Picture(4, 1, ".\\b.png");
    ASSERT_EQ(Load(Project(Scene(0, children) + Scene(10, "") + Scene(20, ""))), 1);
    project->Scenes()[1]->SetDeleted(1);
    TopGroup(*project, 0).ChildList()[0]->SetDeleted(1);
    project->Scenes()[2]->Elements()[0]->SetDeleted(1);
    std::string saved = Save();
    EXPECT_EQ(Count(saved, "<scene>"), 2u);
    EXPECT_EQ(saved.find("value=\"10\""), std::string::npos);
    EXPECT_EQ(saved.find("value=\".\\a.png\""), std::string::npos);
    EXPECT_NE(saved.find("value=\".\\b.png\""), std::string::npos);
    EXPECT_EQ(saved.find("value=\"21\""), std::string::npos);

    // Undoing the deletions brings each node back in its old place, not at the end.
    TopGroup(*project, 0).ChildList()[0]->SetDeleted(0);
    project->Scenes()[1]->SetDeleted(0);
    saved = Save();
    EXPECT_LT(saved.find("value=\".\\a.png\""), saved.find("value=\".\\b.png\""));
    EXPECT_LT(saved.find("value=\"10\""), saved.find("value=\"20\""));
    EXPECT_EQ(Count(saved, "<scene>"), 3u);
}

TEST_F(Writer, SceneRepeatingAnIdentifierGetsANewOneAndANewNode)
{
    // Different names: the second scene's own node goes, and it is written anew at the end.
    const auto scene = [](const std::string& name, int direction) {
        return "<scene><property name=\"name\" value=\"" + name +
               "\" /><property name=\"id\" value=\"5\" /><property name=\"direction\" value=\"" +
               std::to_string(direction) + "\" /></scene>";
    };
    ASSERT_EQ(Load(Project(scene("A", 1) + scene("B", 2) + Scene(7, ""))), 1);
    std::string saved = Save();
    EXPECT_EQ(project->Scenes()[1]->GetId(), 9u);
    EXPECT_EQ(Count(saved, "<scene>"), 3u);
    EXPECT_LT(saved.find("value=\"A\""), saved.find("value=\"8\""));
    EXPECT_LT(saved.find("value=\"8\""), saved.find("value=\"B\""));
    EXPECT_NE(saved.find("<property name=\"name\" value=\"B\" />\r\n"
                         "        <property name=\"id\" value=\"9\" />"),
              std::string::npos);

    // Same names: the earlier scene keeps its node and its place.
    ASSERT_EQ(Load(Project(scene("A", 1) + scene("A", 2) + Scene(7, ""))), 1);
    saved = Save();
    EXPECT_EQ(Count(saved, "<scene>"), 3u);
    const std::size_t kept = saved.find("<property name=\"direction\" value=\"1\" />");
    ASSERT_NE(kept, std::string::npos);
    EXPECT_LT(kept, saved.find("value=\"8\""));
    EXPECT_GT(saved.find("<property name=\"direction\" value=\"2\" />"), saved.find("value=\"8\""));
}

TEST_F(Writer, SwapAndRenumberEditTheDocument)
{
    const std::string inner =
        "<element class=\"resgroup_resource\"><property name=\"id\" value=\"3\" />" +
        Picture(4, 1, ".\\a.png") + Picture(5, 1, ".\\b.png") + "</element>";
    ASSERT_EQ(Load(Project(Scene(0, inner) + Scene(10, ""))), 1);
    projectfile::InstallProjectFileIo();
    APStyleProject& p = *project;

    EXPECT_EQ(p.SwapInDocument(0, 10), 0);
    EXPECT_EQ(p.SwapInDocument(5, 4), 0);
    EXPECT_EQ(p.SwapInDocument(4, 4), 0);
    EXPECT_EQ(p.SwapInDocument(99, 4), -1);
    EXPECT_EQ(p.SwapInDocument(4, 3), -2); // not a sibling
    EXPECT_EQ(p.SwapInDocument(0, 3), -2); // a scene has only scenes as siblings
    p.RenumberInDocument({{4, 40}, {4, 41}, {10, 100}, {1, 1}});

    TiXmlPrinter printer;
    p.Document().Accept(&printer);
    const std::string text = printer.CStr();
    EXPECT_LT(text.find("value=\"100\""), text.find("value=\"0\""));
    EXPECT_LT(text.find("value=\".\\b.png\""), text.find("value=\".\\a.png\""));
    EXPECT_NE(text.find("<property name=\"id\" value=\"40\" />"), std::string::npos);
    EXPECT_EQ(text.find("value=\"41\""), std::string::npos);
    // Frame properties are not nodes with identifiers.
    EXPECT_NE(text.find("<property name=\"0\" value=\".\\a.png\" />"), std::string::npos);
}

TEST_F(Writer, OnlyShownPicturesTakeTheFormatByte)
{
    const std::string images = "case/images/apps/p/";
    ASSERT_TRUE(
        platform::copyFile(kDemoPictures + "anim/sun_0.png", dir.filePath(images + "a.png")));
    ASSERT_TRUE(
        platform::copyFile(kDemoPictures + "bg/main_bg.png", dir.filePath(images + "o.png")));
    const std::string a = ".\\images\\apps\\p\\a.png";
    const std::string o = ".\\images\\apps\\p\\o.png";
    const std::string children = Picture(3, 1, a) + Picture(4, 1, o) + Picture(5, 0, a) +
                                 Picture(6, 0x10, ".\\missing.png") + Picture(7, 0x11, o);
    ASSERT_EQ(Load(Project(Scene(0, children))), 1);
    const std::string saved = Save();
    std::vector<std::string> bytes;
    for (std::size_t at = saved.find("name=\"visible\" value=\""); at != std::string::npos;
         at = saved.find("name=\"visible\" value=\"", at + 1)) {
        bytes.push_back(saved.substr(at + 22, 6));
    }
    // The group, then: alpha, opaque, hidden, no file, opaque again.
    EXPECT_EQ(bytes, (std::vector<std::string>{"0x0001", "0x0011", "0x0010", "0x0000", "0x0010",
                                               "0x0010"}));

    ProjectFileWriter writer(*project);
    writer.SetSizePicturesFromFiles(true);
    writer.UpdateDocument();
    const PicItemInfo sized =
        static_cast<PicSnapshotItem&>(*TopGroup(*project, 0).ChildList()[1]).PicInfo();
    EXPECT_EQ(int{sized.width}, 320);
    EXPECT_EQ(int{sized.height}, 240);
}

// The firmware draws a picture shown with 0x10 opaque: a grey or colour PNG whose tRNS chunk
// makes a colour clear has alpha like a palette or an alpha channel, and is stored with 0x11.
TEST_F(Writer, TransparentColourOfAPictureGivesItTheAlphaFormatByte)
{
    using testsupport::PngBytes;
    const std::string images = dir.filePath("case/images/apps/p/");
    const std::string grey(4, '\x40');
    PngBytes(2, 2, 0, grey).add("tRNS", std::string("\0\x40", 2)).write(images + "g.png");
    PngBytes(2, 2, 0, grey).write(images + "o.png");
    PngBytes(2, 2, 2, grey + grey + grey)
        .add("tRNS", std::string("\0\x40\0\x40\0\x40", 6))
        .write(images + "c.png");
    const std::string children = Picture(3, 1, ".\\images\\apps\\p\\g.png") +
                                 Picture(4, 1, ".\\images\\apps\\p\\o.png") +
                                 Picture(5, 1, ".\\images\\apps\\p\\c.png");
    ASSERT_EQ(Load(Project(Scene(0, children))), 1);
    const std::string saved = Save();
    std::vector<std::string> bytes;
    for (std::size_t at = saved.find("name=\"visible\" value=\""); at != std::string::npos;
         at = saved.find("name=\"visible\" value=\"", at + 1)) {
        bytes.push_back(saved.substr(at + 22, 6));
    }
    EXPECT_EQ(bytes, (std::vector<std::string>{"0x0001", "0x0011", "0x0010", "0x0011"}));
}

TEST_F(Writer, FailedWriteIsReportedAndLeavesTheFileAsItWas)
{
    ASSERT_EQ(Load(Project(Scene(0, ""))), 1);
    WriteFile("blocker", "a file, not a directory");
    ProjectFileWriter writer(*project);
    EXPECT_EQ(writer.Save(dir.filePath("blocker/p.ui")), 0);
    EXPECT_FALSE(writer.ErrorString().empty());

    // A read-only project file is replaced.
    const std::string before = ReadFile();
    ASSERT_EQ(chmod(Path().c_str(), 0444), 0);
    project->SetName("renamed");
    EXPECT_EQ(writer.Save(Path()), 1);
    EXPECT_NE(ReadFile().find("value=\"renamed\""), std::string::npos);

    if (geteuid() != 0) {
        // Where nothing can be written, the old file stays whole.
        const std::string saved = ReadFile();
        ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
        project->SetName("again");
        EXPECT_EQ(writer.Save(Path()), 0);
        chmod(dir.path().c_str(), 0755);
        EXPECT_EQ(ReadFile(), saved);
    }
}

TEST_F(Writer, SaveIfModifiedWritesOnlyAModifiedProject)
{
    ASSERT_EQ(Load(Project(Scene(0, ""))), 1);
    projectfile::InstallProjectFileIo();
    const std::string before = ReadFile();
    project->SetName("changed");
    EXPECT_EQ(project->SaveIfModified(), 1);
    EXPECT_EQ(ReadFile(), before);
    project->SetModified(1);
    EXPECT_EQ(project->SaveIfModifiedAs(Path("as.ui")), 1);
    EXPECT_EQ(ReadFile(), before);
    EXPECT_NE(ReadFile("as.ui").find("value=\"changed\""), std::string::npos);
    EXPECT_EQ(project->SaveIfModified(), 1);
    EXPECT_NE(ReadFile().find("value=\"changed\""), std::string::npos);
    EXPECT_EQ(project->Modified(), 1);
}

TEST_F(Writer, LayerElementFollowsTheFrames)
{
    const std::string marked = "<element class=\"picregion_resource\"><property name=\"id\" "
                               "value=\"3\" /><element class=\"layer\" mark=\"1\"><property "
                               "name=\"0\" value=\".\\a.png\" /></element></element>";
    ASSERT_EQ(Load(Project(Scene(0, marked + Picture(4, 1, ".\\b.png")))), 1);
    auto& region = static_cast<PicSnapshotItem&>(*TopGroup(*project, 0).ChildList()[0]);
    PicFrame frame = region.Frames()[0];
    frame.path = ".\\c.png";
    region.AppendFrame(frame);
    auto& single = static_cast<PicSnapshotItem&>(*TopGroup(*project, 0).ChildList()[1]);
    single.Frames()[0].path = ".\\d.png";

    const std::string saved = Save();
    EXPECT_EQ(saved.find("mark="), std::string::npos); // a fresh layer element
    EXPECT_NE(saved.find("<property name=\"0\" value=\".\\a.png\" />\r\n"
                         "                    <property name=\"1\" value=\".\\c.png\" />\r\n"
                         "                </element>"),
              std::string::npos);
    EXPECT_NE(saved.find("<property name=\"0\" value=\".\\d.png\" />"), std::string::npos);
    EXPECT_EQ(saved.find("b.png\" />"), std::string::npos);
    EXPECT_EQ(Count(saved, "<element class=\"layer\">"), 2u);
}

TEST_F(Writer, ElementsSharingAnIdentifierKeepTheirOwnNodes)
{
    const auto text = [](const std::string& name) {
        return "<element class=\"string_resource\"><property name=\"name\" value=\"" + name +
               "\" /><property name=\"id\" value=\"3\" /></element>";
    };
    ASSERT_EQ(Load(Project(Scene(0, text("First") + text("Second")))), 1);
    auto& second = static_cast<StringSnapShotItem&>(*TopGroup(*project, 0).ChildList()[1]);
    second.TextStore().identifier = "CHANGED";
    const std::string saved = Save();
    EXPECT_EQ(Count(saved, "value=\"First\""), 1u);
    EXPECT_EQ(Count(saved, "value=\"Second\""), 1u);
    EXPECT_LT(saved.find("<property name=\"strid\" value=\"\" />"),
              saved.find("<property name=\"strid\" value=\"CHANGED\" />"));
}

TEST_F(Writer, DeletedObjectsDoNotTakeTheNodesOfLiveOnesWithTheirIdentifier)
{
    const auto text = [](int id, const std::string& name) {
        return "<element class=\"string_resource\"><property name=\"name\" value=\"" + name +
               "\" /><property name=\"id\" value=\"" + std::to_string(id) + "\" /></element>";
    };
    ASSERT_EQ(Load(Project(Scene(0, text(3, "A") + text(4, "B")) + Scene(10, "") + Scene(20, ""))),
              1);
    projectfile::InstallProjectFileIo();
    // A renumbering that skips deleted objects gives the live ones their identifiers.
    TopGroup(*project, 0).ChildList()[0]->SetDeleted(1);
    TopGroup(*project, 0).ChildList()[1]->SetId(3);
    project->Scenes()[1]->SetDeleted(1);
    project->Scenes()[2]->SetId(10);
    project->RenumberInDocument({{4, 3}, {20, 10}});

    std::string saved = Save();
    EXPECT_EQ(Count(saved, "<scene>"), 2u);
    EXPECT_EQ(project->Scenes()[2]->GetId(), 10u); // not taken for a duplicate
    EXPECT_EQ(saved.find("value=\"A\""), std::string::npos);
    EXPECT_EQ(Count(saved, "value=\"B\""), 1u);

    // Once the deleted nodes are gone, the live ones keep theirs.
    ASSERT_EQ(Load(Project(Scene(0, text(3, "A") + text(4, "B")))), 1);
    TopGroup(*project, 0).ChildList()[0]->SetDeleted(1);
    project->UpdateDocument();
    TopGroup(*project, 0).ChildList()[1]->SetId(3);
    project->RenumberInDocument({{4, 3}});
    saved = Save();
    EXPECT_EQ(Count(saved, "value=\"B\""), 1u);
    EXPECT_LT(saved.find("value=\"B\""), saved.find("<property name=\"strid\""));
}
