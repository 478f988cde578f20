// Scaling a project to another screen size: the element scaler on a document tree, the copy
// written by ProjectScaler and the scaling dialog's OK.

#include "DemoWorkspace.h"

#include "editing/ElementScaler.h"
#include "editing/PrjResizeDialogModel.h"
#include "editing/ProjectScaler.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <filesystem>

using editing::ElementScaler;

namespace {

const char kScene[] = R"(<ui-rad>
    <property name="prj_screen_width" value="0x140" />
    <scene>
        <property name="name" value="Main" />
        <element class="resgroup_resource">
            <property name="name" value="A" />
            <property name="x" value="0x0010" />
            <property name="width" value="0x0140" />
            <property name="height" value="0x00f0" />
            <element class="picture_resource"><property name="x" value="0x0010" /><property name="y" value="0x0010" /><property name="width" value="0x0020" /></element>
            <element class="picture_resource"><property name="x" value="0x0020" /><property name="y" value="0x0020" /></element>
            <element class="resgroup_resource">
                <property name="width" value="0x0010" />
                <element class="picture_resource"><property name="x" value="0x0040" /><property name="y" value="0x00f0" /></element>
            </element>
        </element>
        <element class="resgroup_resource">
            <property name="name" value="B" />
            <element class="picture_resource"><property name="x" value="0x0010" /><property name="y" value="0x0010" /></element>
            <element class="picture_resource"><property name="x" value="0x0100" /><property name="y" value="0x0080" /></element>
            <element class="resgroup_resource"><property name="height" value="0x0010" /></element>
            <element class="picregion_resource"><property name="x" value="0x0010" /><property name="y" value="0x0010" /><property name="width" value="0x0030" /></element>
            <element class="picture_resource"><property name="x" value="zz" /><property name="y" value="0x0001" /></element>
            <element class="string_resource"><property name="x" value="0x0008" /><property name="height" value="0x0014" /></element>
        </element>
    </scene>
</ui-rad>)";

// The "value" of property `name` of the element reached by the child indexes `path` below the
// scene.
std::string valueAt(TiXmlElement& root, std::initializer_list<int> path, const char* name)
{
    TiXmlElement* at = root.FirstChildElement("scene");
    for (int index : path) {
        at = at->FirstChildElement("element");
        for (int i = 0; i < index; ++i) {
            at = at->NextSiblingElement("element");
        }
    }
    for (TiXmlElement* p = at->FirstChildElement("property"); p; p = p->NextSiblingElement()) {
        if (std::string(p->Attribute("name")) == name) {
            return p->Attribute("value");
        }
    }
    return "<none>";
}

} // namespace

TEST(ElementScaler, ScalesEveryElementOnceIn320x240To480x272)
{
    TiXmlDocument document;
    document.Parse(kScene);
    ASSERT_FALSE(document.Error());
    TiXmlElement& root = *document.RootElement();
    const ElementScaler scaler(480.0f / 320.0f, 272.0f / 240.0f);
    EXPECT_EQ(12, scaler.scaleScenes(root));

    // Group A: its size scaled, its own x kept.
    EXPECT_EQ("0x01e0", valueAt(root, {0}, "width"));
    EXPECT_EQ("0x0110", valueAt(root, {0}, "height"));
    EXPECT_EQ("0x0010", valueAt(root, {0}, "x"));
    // Pictures move; their size stays.
    EXPECT_EQ("0x0018", valueAt(root, {0, 0}, "x"));
    EXPECT_EQ("0x0012", valueAt(root, {0, 0}, "y"));
    EXPECT_EQ("0x0020", valueAt(root, {0, 0}, "width"));
    EXPECT_EQ("0x0030", valueAt(root, {0, 1}, "x"));
    EXPECT_EQ("0x0024", valueAt(root, {0, 1}, "y"));
    EXPECT_EQ("0x0018", valueAt(root, {0, 2}, "width"));
    EXPECT_EQ("0x0060", valueAt(root, {0, 2, 0}, "x"));
    EXPECT_EQ("0x0110", valueAt(root, {0, 2, 0}, "y"));
    // The second top-level element is scaled once as well.
    EXPECT_EQ("0x0018", valueAt(root, {1, 0}, "x"));
    EXPECT_EQ("0x0012", valueAt(root, {1, 0}, "y"));
    EXPECT_EQ("0x0180", valueAt(root, {1, 1}, "x"));
    EXPECT_EQ("0x0091", valueAt(root, {1, 1}, "y"));
    EXPECT_EQ("0x0012", valueAt(root, {1, 2}, "height"));
    // A region after a group is placed like a picture, not sized like the group.
    EXPECT_EQ("0x0018", valueAt(root, {1, 3}, "x"));
    EXPECT_EQ("0x0012", valueAt(root, {1, 3}, "y"));
    EXPECT_EQ("0x0030", valueAt(root, {1, 3}, "width"));
    EXPECT_EQ("0x0000", valueAt(root, {1, 4}, "x")); // no number
    EXPECT_EQ("0x0001", valueAt(root, {1, 4}, "y"));
    EXPECT_EQ("0x000c", valueAt(root, {1, 5}, "x"));
    EXPECT_EQ("0x0014", valueAt(root, {1, 5}, "height"));
}

TEST(ElementScaler, SinglePrecisionProductTruncated)
{
    constexpr auto size = ElementScaler::FieldType::Size;
    constexpr auto position = ElementScaler::FieldType::Position;
    // 272/240 in single precision times 240 rounds to exactly 272; in double it stays below.
    EXPECT_EQ("0x0110", ElementScaler::scaledValue("0xf0", 272.0f / 240.0f, size));
    EXPECT_EQ("0x0000", ElementScaler::scaledValue("0x0001", 0.5f, position));
    EXPECT_EQ("0x0000", ElementScaler::scaledValue(nullptr, 2.0f, size));
}

TEST(ElementScaler, PositionsAreSignedAndFieldsKeepTheirRange)
{
    constexpr auto size = ElementScaler::FieldType::Size;
    constexpr auto position = ElementScaler::FieldType::Position;
    // x = -16, as the writer stores it, moves to -24 (truncated toward zero: -1.5 gives -1).
    EXPECT_EQ("0xffe8", ElementScaler::scaledValue("0xfff0", 1.5f, position));
    EXPECT_EQ("0xffff", ElementScaler::scaledValue("0xffff", 1.5f, position));
    // A width of 0xfff0 is no negative number, and does not wrap when it outgrows 16 bits.
    EXPECT_EQ("0xffff", ElementScaler::scaledValue("0xfff0", 1.5f, size));
    EXPECT_EQ("0x7fff", ElementScaler::scaledValue("0x6000", 2.0f, position));
    EXPECT_EQ("0x8000", ElementScaler::scaledValue("0xc000", 4.0f, position));
    // Only the low 16 bits count, as when the project is read; no scale overflows the int.
    EXPECT_EQ("0x2345", ElementScaler::scaledValue("0x12345", 1.0f, size));
    EXPECT_EQ("0xffff", ElementScaler::scaledValue("0xffff", 1e30f, size));
    EXPECT_EQ("0x0000", ElementScaler::scaledValue("0x0010", -1.0f, size));
}

class ProjectScale : public ::testing::Test
{
protected:
    std::string target(const std::string& name) const { return demo.dir.filePath(name); }
    DemoWorkspace demo;
};

TEST_F(ProjectScale, DialogScalesACopyAndLeavesTheOpenProject)
{
    ASSERT_TRUE(demo.Loaded()) << demo.error;
    APStyleProject& project = *demo.project;
    const std::string before = demo.Print();
    editing::PrjResizeDialogModel dialog(project);
    EXPECT_EQ("320", dialog.currentWidthText());
    EXPECT_EQ("240", dialog.newHeightText);
    dialog.newWidthText = "480";
    dialog.newHeightText = "272";
    demo.ui.queuePath(target("scaled.ui"));
    ASSERT_TRUE(dialog.accept());
    EXPECT_FLOAT_EQ(1.5f, dialog.scaleX());
    EXPECT_EQ(480, project.ScreenWidth());
    EXPECT_EQ(1, project.Modified());

    TiXmlDocument scaled(target("scaled.ui").c_str());
    ASSERT_TRUE(scaled.LoadFile());
    TiXmlElement& root = *scaled.RootElement();
    EXPECT_EQ("0x01e0", valueAt(root, {0}, "width"));
    EXPECT_EQ("0x0110", valueAt(root, {0}, "height"));
    // The open project's document keeps its values; only the screen size differs.
    std::string now = demo.Print();
    EXPECT_NE(now, before);
    EXPECT_NE(std::string::npos, now.find(R"(name="width" value="0x0140")"));
    EXPECT_EQ(demo.sourcePath, project.ProjectFilePath());
    EXPECT_EQ(demo.sourcePath, project.Document().Value());
}

TEST_F(ProjectScale, CancelledOrFailedSaveLeavesTheOpenProjectAsItWas)
{
    ASSERT_TRUE(demo.Loaded()) << demo.error;
    const std::string before = demo.Print();
    editing::PrjResizeDialogModel dialog(*demo.project);
    dialog.newWidthText = "480";
    demo.ui.queueCancel();
    EXPECT_TRUE(dialog.accept());
    EXPECT_EQ(320, demo.project->ScreenWidth());
    EXPECT_EQ(240, demo.project->ScreenHeight());
    EXPECT_EQ(0, demo.project->Modified());
    EXPECT_EQ(before, demo.Print());

    // Sizes that are 0, no number or beyond an int are refused with a message, unchanged.
    for (const char* refused : {"0", "-320", "480px", "", "99999999999"}) {
        dialog.newWidthText = refused;
        EXPECT_FALSE(dialog.accept()) << refused;
        EXPECT_EQ("宽高都不能为0！", demo.ui.messages().back());
        EXPECT_EQ(320, demo.project->ScreenWidth()) << refused;
    }

    // A target that cannot be written is reported, and the size goes back too.
    dialog.newWidthText = " 400 ";
    demo.ui.queuePath(target("no-such-folder/scaled.ui"));
    EXPECT_TRUE(dialog.accept());
    EXPECT_EQ("无法写入文件：" + target("no-such-folder/scaled.ui"), demo.ui.messages().back());
    EXPECT_EQ(320, demo.project->ScreenWidth());
}

TEST_F(ProjectScale, RefusesToWriteOverItsOwnFileInAnyLetterCase)
{
    ASSERT_TRUE(demo.Loaded()) << demo.error;
    APStyleProject& project = *demo.project;
    const std::string own = project.ProjectFilePath();
    const std::string bytes = platform::readFile(own).value_or("");
    std::string upper = own;
    upper.replace(upper.size() - 7, 7, "DEMO.UI");
    ASSERT_NE(upper, own);
    editing::ProjectScaler scaler(project, 2.0f, 2.0f);
    EXPECT_FALSE(scaler.writeTo(own));
    EXPECT_FALSE(scaler.writeTo(upper));
    EXPECT_FALSE(scaler.writeTo(std::filesystem::path(own).parent_path().string() + "/./demo.ui"));
    EXPECT_EQ(bytes, platform::readFile(own).value_or(""));
    EXPECT_FALSE(std::filesystem::exists(upper));
    EXPECT_TRUE(scaler.writeTo(target("other.ui")));
    EXPECT_TRUE(editing::ProjectScaler::isSameFile(target("A.ui"), target("a.ui")));
    EXPECT_FALSE(editing::ProjectScaler::isSameFile(target("a.ui"), target("b.ui")));
}
