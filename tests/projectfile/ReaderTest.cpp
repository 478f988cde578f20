// What the reader takes from a project file: values and their number forms, the older
// spellings it brings up to date, and how it fails.
#include "ProjectFileFixture.h"

#include "model/CCanvasSnapShotItem.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"
#include "platform/Path.h"

#include <tinyxml.h>

namespace {

const std::string kPicture = "<element class=\"picture_resource\"><property name=\"name\" "
                             "value=\"P\" /><property name=\"id\" value=\"9\" />";

CCanvasSnapShotItem& TopGroup(APStyleProject& project, std::size_t scene = 0)
{
    return static_cast<CCanvasSnapShotItem&>(*project.Scenes().at(scene)->Elements().at(0));
}

template <typename Kind>
Kind& Child(CCanvasSnapShotItem& group, std::size_t index)
{
    return dynamic_cast<Kind&>(*group.ChildList().at(index));
}

} // namespace

using Reader = ProjectFileFixture;

TEST_F(Reader, NumbersColoursKeysAndScroll)
{
    const std::string group =
        "<property name=\"x\" value=\"0x1g2\" /><property name=\"y\" value=\"-3\" />"
        "<property name=\"background\" value=\"0x00ff0000\" />";
    const std::string strings =
        "<element class=\"string_resource\"><property name=\"id\" value=\"3\" />"
        "<property name=\"scroll\" value=\"0x1\" /><property name=\"direction\" value=\"0\" />"
        "</element><element class=\"string_resource\"><property name=\"id\" value=\"4\" />"
        "<property name=\"scroll\" value=\"true\" /><property name=\"direction\" value=\"-1\" />"
        "</element>";
    const std::string scene = "<scene><property name=\"id\" value=\"0\" />"
                              "<property name=\"key1\" value=\"17\" />"
                              "<property name=\"key2\" value=\"16\" />"
                              "<property name=\"key0\" value=\"5\" />"
                              "<element class=\"resgroup_resource\"><property name=\"id\" "
                              "value=\"1\" />" +
                              group + strings + "</element></scene>";
    ASSERT_EQ(Load(Project(scene)), 1);
    Snapshot& s = *project->Scenes()[0];
    EXPECT_EQ(s.Record().keys[0], 0); // above 16: no key
    EXPECT_EQ(s.Record().keys[1], 16);
    EXPECT_EQ(s.Record().keys[2], 0); // missing: added with 0

    CCanvasSnapShotItem& g = TopGroup(*project);
    // Packed fields are compared by value: a reference to one may be misaligned.
    const GroupInfo block = g.Group();
    EXPECT_EQ(int{block.x}, 0x12);
    EXPECT_EQ(int{block.y}, -3);
    EXPECT_EQ(std::uint32_t{block.background}, 0x000000FFu);
    EXPECT_EQ(int{block.visible}, 1); // missing: added with 1

    const StringItemInfo scrolling = Child<StringSnapShotItem>(g, 0).StringInfo();
    EXPECT_EQ(int{scrolling.textScroll}, 1);
    EXPECT_EQ(int{scrolling.scrollSign}, 1); // 0 is taken as +1 and marks the project modified
    EXPECT_EQ(project->Modified(), 1);
    const StringItemInfo still = Child<StringSnapShotItem>(g, 1).StringInfo();
    EXPECT_EQ(int{still.textScroll}, 0);
    EXPECT_EQ(int{still.scrollSign}, -1);
    EXPECT_EQ(project->IdCounter(), 4);

    const std::string saved = Save();
    EXPECT_NE(saved.find("<property name=\"background\" value=\"0x00ff0000\" />"),
              std::string::npos);
    EXPECT_NE(saved.find("<property name=\"x\" value=\"0x0012\" />"), std::string::npos);
    EXPECT_NE(saved.find("<property name=\"y\" value=\"0xfffd\" />"), std::string::npos);
    EXPECT_NE(saved.find("<property name=\"key1\" value=\"0\" />"), std::string::npos);
    EXPECT_EQ(saved.find("key0"), std::string::npos);
    EXPECT_NE(saved.find("<property name=\"scroll\" value=\"0x1\" />"), std::string::npos);
}

TEST_F(Reader, SettingsAndDerivedPaths)
{
    const std::string properties =
        "<property name=\"prj_res_file\" value=\".\\x.res\" />"
        "<property name=\"prj_sty_file\" value=\".sty\" />" // too short: the default stays
        "<property name=\"prj_res_head_file\" value=\"$CASE\\h\\pic.h\" />"
        "<property name=\"prj_build_res_mode\" value=\"0x7\" />"
        "<property name=\"desktop_file_exec\" value=\"run\" />";
    ASSERT_EQ(Load(Project(properties)), 1);
    const APStyleProject& p = *project;
    EXPECT_EQ(p.Name(), "p");
    EXPECT_EQ(p.CaseDir(), dir.filePath("case"));
    EXPECT_EQ(p.SdkDir(), dir.filePath("psp_rel"));
    EXPECT_EQ(p.ResourceFile(), dir.filePath("case/x.res"));
    EXPECT_EQ(p.StyleFile(), dir.filePath("case/images/apps/p/p.sty"));
    EXPECT_EQ(p.PictureHeader(), dir.filePath("case/h/pic.h"));
    EXPECT_EQ(p.StringHeader(), dir.filePath("p_str.h"));
    EXPECT_EQ(p.StringDir(), dir.filePath("case/images/apps/p"));
    EXPECT_EQ(p.BuildResMode(), 1);
    EXPECT_EQ(p.BuildResType(), 0);
    EXPECT_EQ(p.Desktop().exec, "run");
    EXPECT_EQ(p.Desktop().name, "p");
    EXPECT_EQ(p.Desktop().path, dir.filePath("case/images/apps/p/p.desktop"));
    EXPECT_EQ(p.HeaderWords()[0], 0x18u);
    EXPECT_EQ(p.HeaderWords()[1], 0u);
    ASSERT_EQ(sink.count(platform::kMsgResizeSurface), 1);
    EXPECT_EQ(sink.received().back().first, 320);
    EXPECT_EQ(sink.received().back().second, 240);
}

TEST_F(Reader, FramesFromLayerElementOrOlderLayerChildren)
{
    const std::string region =
        "<element class=\"picregion_resource\"><property name=\"id\" value=\"3\" />"
        "<property name=\"PNG_A8\" value=\"0x0008\" /><element class=\"layer\">"
        "<property name=\"1\" value=\".\\B.png\" /><property name=\"0\" value=\"$CASE\\a.png\" />"
        "<property name=\"5\" value=\".\\skipped.png\" /></element></element>";
    const std::string older = "<element class=\"picture_resource\"><property name=\"id\" "
                              "value=\"4\" /><layer level=\"0\" path=\".\\c.png\" /></element>";
    const std::string resources =
        "<resource><picture value=\".\\b.png\" LayerID=\"4\" /></resource>";
    ASSERT_EQ(Load(Project(Scene(0, region + older) + resources)), 1);
    EXPECT_EQ(project->Modified(), 1); // the "$CASE" path was made relative

    auto& pic = Child<PicSnapshotItem>(TopGroup(*project), 0);
    EXPECT_EQ(pic.IsSingle(), 0);
    ASSERT_EQ(pic.Frames().size(), 3u);
    EXPECT_EQ(int{pic.PicInfo().frameCount}, 3);
    EXPECT_EQ(pic.Frames()[0].path, ".\\a.png");
    EXPECT_EQ(pic.Frames()[0].id, -1);
    EXPECT_EQ(pic.Frames()[1].path, ".\\b.png");
    EXPECT_EQ(pic.Frames()[1].id, 1);
    EXPECT_EQ(pic.Frames()[1].name, "B");
    EXPECT_EQ(pic.Frames()[1].alphaFormat, 8);
    EXPECT_EQ(pic.Frames()[2].path, ""); // index 5 is not below the count
    EXPECT_EQ(Child<PicSnapshotItem>(TopGroup(*project), 1).Frames().at(0).path, ".\\c.png");

    const std::string saved = Save();
    EXPECT_NE(saved.find("<property name=\"0\" value=\".\\a.png\" />\r\n"
                         "                    <property name=\"1\" value=\".\\b.png\" />\r\n"
                         "                    <property name=\"2\" value=\"\" />"),
              std::string::npos);
    EXPECT_NE(saved.find("<picture value=\".\\b.png\" LayerID=\"4\" />"), std::string::npos);
}

TEST_F(Reader, GenericAndCustomClassNames)
{
    WriteFile("defs/widgetdef.xml", "<widgetdefs><widgetdef class=\"pic\" type=\"1\" />"
                                    "<widgetdef class=\"text\" type=\"3\" /></widgetdefs>");
    const std::string children =
        "<element class=\"PICTURE_T\"><property name=\"id\" value=\"3\" /></element>"
        "<element class=\"text\"><property name=\"id\" value=\"4\" /></element>"
        "<element class=\"picture_resource\"><property name=\"id\" value=\"5\" /></element>"
        "<element><property name=\"id\" value=\"6\" /></element>";
    ASSERT_EQ(Load(Project(Scene(0, children))), 1);
    EXPECT_EQ(project->Modified(), 1);
    CCanvasSnapShotItem& g = TopGroup(*project);
    ASSERT_EQ(g.ChildList().size(), 3u); // the node without a class is not read
    EXPECT_NO_THROW(Child<PicSnapshotItem>(g, 0));
    EXPECT_NO_THROW(Child<StringSnapShotItem>(g, 1));
    EXPECT_NO_THROW(Child<CCanvasSnapShotItem>(g, 2)); // a name not in the table: a group

    const std::string saved = Save();
    EXPECT_NE(saved.find("<element class=\"pic\">"), std::string::npos);
    EXPECT_NE(saved.find("<element class=\"text\">"), std::string::npos);
    // No entry of type 4: groups are written with the fallback name.
    EXPECT_NE(saved.find("<element class=\"resgroup_resource\">"), std::string::npos);
    EXPECT_NE(saved.find("<element>\r\n"), std::string::npos); // left as it was
}

TEST_F(Reader, MalformedFilesFail)
{
    for (const std::string& text : {std::string(), std::string("<ui-rad><scene>"),
                                    std::string("<other />"), std::string("just text")}) {
        ui.clear();
        EXPECT_EQ(Load(text), 0) << text;
        ASSERT_EQ(ui.records().size(), 1u) << text;
        EXPECT_EQ(ui.records()[0].text, "ui文件格式不正确");
        EXPECT_EQ(ui.records()[0].caption, "错误");
    }
}

TEST_F(Reader, MissingIdentifiers)
{
    EXPECT_EQ(Load(Project("<scene><property name=\"name\" value=\"S\" /></scene>")), 0);
    ASSERT_EQ(ui.records().size(), 1u);
    EXPECT_EQ(ui.records()[0].text,
              "无法读取场景ID！\n场景必须有ID号，而且此ID号在该应用中必须唯一!");
    EXPECT_EQ(ui.records()[0].caption, "文件格式错误");

    ui.clear();
    EXPECT_EQ(Load(Project("<scene><property name=\"id\" value=\"0\" />"
                           "<element class=\"resgroup_resource\" /></scene>")),
              0);
    EXPECT_EQ(ui.messages().at(0).rfind("无法读取容器ID！", 0), 0u);

    // A child without an identifier is left out; the rest loads.
    ui.clear();
    ASSERT_EQ(
        Load(Project(Scene(0, "<element class=\"string_resource\" />" + kPicture + "</element>"))),
        1);
    EXPECT_EQ(ui.messages().at(0).rfind("无法读取字符串控件ID！", 0), 0u);
    ASSERT_EQ(TopGroup(*project).ChildList().size(), 1u);
    EXPECT_EQ(TopGroup(*project).ChildList()[0]->IdCopy(), 9u);
}

TEST_F(Reader, MissingCaseDirectoryIsAskedForAgain)
{
    const std::string text = Project("");
    platform::removeRecursively(dir.filePath("case"));
    EXPECT_EQ(Load(text), 0);
    const std::string missing = dir.filePath("case");
    ASSERT_EQ(ui.records().size(), 2u);
    EXPECT_EQ(ui.records()[0].kind, "folder");
    EXPECT_EQ(ui.records()[0].text, "case目录 " + missing + " 不存在，请重新选择");
    EXPECT_EQ(ui.records()[1].text, "无法找到case目录" + missing);

    ui.clear();
    platform::createDirectories(dir.filePath("other"));
    ui.queuePath(dir.filePath("other"));
    ASSERT_EQ(Load(text), 1);
    EXPECT_EQ(project->CaseDir(), dir.filePath("other"));
    EXPECT_EQ(project->Modified(), 1);

    // An SDK path that names nothing below the case directory is taken from the project
    // directory.
    platform::createDirectories(dir.filePath("case"));
    std::string fromProject = text;
    fromProject.replace(fromProject.find("..\\psp_rel"), 10, ".\\psp_rel");
    ASSERT_EQ(Load(fromProject), 1);
    EXPECT_EQ(project->SdkDir(), dir.filePath("psp_rel"));

    ui.clear();
    platform::removeRecursively(dir.filePath("psp_rel"));
    EXPECT_EQ(Load(text), 0);
    // The message names the last place looked at: the path from the project directory.
    EXPECT_EQ(ui.messages().back(),
              "无法找到psp_rel目录" + platform::canonicalPath(dir.filePath("../psp_rel")));
}

TEST_F(Reader, LocksReachTheSubtreeWhileEveryGroupKeepsItsFlag)
{
    const auto group = [](int id, int editable, const std::string& inner) {
        return "<element class=\"resgroup_resource\"><property name=\"id\" value=\"" +
               std::to_string(id) + "\" /><property name=\"editable\" value=\"" +
               std::to_string(editable) + "\" />" + inner + "</element>";
    };
    const std::string tree =
        group(2, 0, group(3, 1, group(4, 1, kPicture + "</element>"))) + group(5, 1, "");
    ASSERT_EQ(Load(Project(Scene(0, tree))), 1);
    auto& locked = Child<CCanvasSnapShotItem>(TopGroup(*project), 0);
    auto& child = Child<CCanvasSnapShotItem>(locked, 0);
    auto& grandchild = Child<CCanvasSnapShotItem>(child, 0);
    EXPECT_EQ(locked.EditableFlag(), 0u);
    EXPECT_EQ(child.EditableFlag(), 1u);
    EXPECT_EQ(grandchild.EditableFlag(), 1u);
    EXPECT_FALSE(static_cast<Graph&>(child).IsEditable());
    EXPECT_FALSE(static_cast<Graph&>(grandchild).IsEditable());
    EXPECT_FALSE(static_cast<Graph&>(Child<PicSnapshotItem>(grandchild, 0)).IsEditable());
    EXPECT_TRUE(
        static_cast<Graph&>(Child<CCanvasSnapShotItem>(TopGroup(*project), 1)).IsEditable());

    const std::string saved = Save();
    std::size_t at = 0;
    for (const char* flag : {"1", "0", "1", "1", "1"}) {
        const std::string property = "<property name=\"editable\" value=\"";
        at = saved.find(property, at);
        ASSERT_NE(at, std::string::npos);
        at += property.size();
        EXPECT_EQ(saved.substr(at, 1), flag);
    }
}
