// The property grid's change notifications, its in-place edit state and its buttons.
#include "EditingFixture.h"

#include "editing/CommandIds.h"
#include "editing/GridButtons.h"
#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"

#include <stb/stb_image_write.h>

#include <vector>

using namespace editing;

namespace {

struct RecordingGridObserver : PropertyGridObserver
{
    void GridReset() override { ++resets; }
    void GridRowChanged(int row) override { changed.push_back(row); }
    int resets = 0;
    std::vector<int> changed;
};

bool WritePicture(const std::string& path, int width, int height)
{
    const std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width * height * 3), 0x40);
    return stbi_write_png(path.c_str(), width, height, 3, pixels.data(), width * 3) != 0;
}

class GridButtonsTest : public EditingFixture
{
protected:
    GridButtonsTest()
    {
        project->SetCaseDir(dir.path());
        platform::createDirectories(dir.filePath("resource"));
        ws.Grid().AddObserver(&observer);
    }
    ~GridButtonsTest() override { ws.Grid().RemoveObserver(&observer); }

    int Row(const std::string& label) { return ws.Grid().FindRow(label); }
    const GridRow& Cell(const std::string& label)
    {
        return ws.Grid().Rows()[static_cast<std::size_t>(Row(label))];
    }

    platform::TemporaryDirectory dir{"grid-buttons"};
    RecordingGridObserver observer;
};

} // namespace

TEST_F(GridButtonsTest, ObserverHearsResetsAndOnlyTheRowsThatChanged)
{
    StringSnapShotItem* text = AddString(Root(scene1));
    observer.resets = 0;
    Click(text);
    EXPECT_GE(observer.resets, 1);
    const int resets = observer.resets;
    ASSERT_TRUE(ws.Grid().Commit(*project, ws.Tree(), Row("y"), 1, "7"));
    EXPECT_EQ(observer.changed, std::vector<int>{Row("y")});
    EXPECT_EQ(observer.resets, resets);

    // Undo of the shown element changes its row back, without a reset.
    observer.changed.clear();
    Run(cmd::kUndo);
    EXPECT_EQ(observer.resets, resets);
    EXPECT_EQ(observer.changed, std::vector<int>{Row("y")});
    EXPECT_EQ(Cell("y").value, "0");

    ws.Grid().Clear();
    EXPECT_TRUE(ws.Grid().Rows().empty());
}

TEST_F(GridButtonsTest, EditStateCommitsOnceAndMovesBetweenRows)
{
    Click(scene1);
    PropertyGrid& grid = ws.Grid();
    EXPECT_EQ(grid.BeginEdit(Row("Resource Num"), 1), 0u);
    EXPECT_FALSE(grid.Editing());
    EXPECT_FALSE(grid.EndEdit(*project, ws.Tree(), "3"));

    ASSERT_EQ(grid.BeginEdit(Row("x"), 1), PropertyGrid::kCellEdit);
    EXPECT_EQ(grid.EditNeighbour(-1), Row("Name"));
    EXPECT_EQ(grid.EditNeighbour(1), Row("y"));
    ASSERT_TRUE(grid.EndEdit(*project, ws.Tree(), "4"));
    EXPECT_FALSE(grid.Editing());
    EXPECT_EQ(project->History().size(), 1u);
    EXPECT_EQ(Root(scene1)->Group().x, 4);

    ASSERT_EQ(grid.BeginEdit(0, 1), PropertyGrid::kCellEdit);
    EXPECT_EQ(grid.EditNeighbour(-1), -1);
    const int last = static_cast<int>(grid.Rows().size()) - 1;
    ASSERT_EQ(grid.BeginEdit(last, 1), PropertyGrid::kCellDropList);
    EXPECT_EQ(grid.EditNeighbour(1), -1);
    // A new page ends the edit without committing it.
    ws.ShowSettings(project);
    EXPECT_FALSE(grid.Editing());
    EXPECT_EQ(project->History().size(), 1u);
}

TEST_F(GridButtonsTest, PathButtonChecksThePictureAndFrameSizeThenRecordsTheFrame)
{
    ASSERT_TRUE(WritePicture(dir.filePath("resource/a.png"), 6, 4));
    ASSERT_TRUE(WritePicture(dir.filePath("resource/b.png"), 6, 4));
    ASSERT_TRUE(WritePicture(dir.filePath("resource/big.png"), 8, 8));
    ASSERT_TRUE(platform::writeFileAtomically(dir.filePath("resource/bad.png"), "no picture"));
    project->AddPicture(dir.filePath("resource/a.png"), 0);
    PicSnapshotItem* region = AddRegion(Root(scene1), 2);
    region->Frames()[0].path = "resource\\a.png";
    region->Frames()[0].id = 1;
    region->SetCurrentFrameIndex(1);
    Click(region);
    const int path = Row("Path");
    ASSERT_TRUE(gridbutton::Available(ws.Grid(), path));
    const int refreshes = ws.ResourceRefreshCount();

    ui.queueCancel();
    EXPECT_FALSE(gridbutton::Press(ws, path));
    ui.queuePath(dir.filePath("resource/bad.png"));
    EXPECT_FALSE(gridbutton::Press(ws, path));
    ui.queuePath(dir.filePath("resource/big.png"));
    EXPECT_FALSE(gridbutton::Press(ws, path));
    EXPECT_EQ(ui.messages(),
              (std::vector<std::string>{"无效文件路径!", "请选择的宽--6 高--4的图片"}));
    EXPECT_TRUE(project->History().empty());
    EXPECT_EQ(project->Pictures().Size(), 1u);

    ui.queuePath(dir.filePath("resource/b.png"));
    ASSERT_TRUE(gridbutton::Press(ws, path));
    ASSERT_EQ(project->Pictures().Size(), 2u);
    EXPECT_EQ(ws.ResourceRefreshCount(), refreshes + 1);
    EXPECT_EQ(region->Frames()[1].path, ".\\resource\\b.png");
    EXPECT_EQ(region->Frames()[1].id, 2);
    EXPECT_EQ(region->Frames()[1].name, "B");
    EXPECT_EQ(Cell("Path").value, ".\\resource\\b.png");
    EXPECT_EQ(project->History().size(), 1u);

    Run(cmd::kUndo);
    EXPECT_EQ(region->Frames()[1].path, "");
    EXPECT_EQ(region->Frames()[0].path, "resource\\a.png");
}

TEST_F(GridButtonsTest, StringIdButtonsWaitForTheStringSelection)
{
    project->Strings().Append(1, "IDS_HELLO");
    project->Strings().SetFirstNumber(1);
    project->Strings().SetLastNumber(1);
    StringSnapShotItem* text = AddString(Root(scene1));
    Click(text);
    const int row = Row("StringID");
    EXPECT_FALSE(gridbutton::Available(ws.Grid(), row));
    EXPECT_FALSE(gridbutton::Press(ws, row));

    int opened = 0;
    ws.Grid().SetStringChooser([&opened](const StringRegistry& strings) {
        ++opened;
        return std::optional<StringRecord>(strings.Records().front());
    });
    ASSERT_TRUE(gridbutton::Available(ws.Grid(), row));
    ASSERT_TRUE(gridbutton::Press(ws, row));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(text->TextStore().identifier, "IDS_HELLO");
    EXPECT_EQ(int{text->StringInfo().stringId}, 1);
    EXPECT_EQ(Cell("StringID").value, "IDS_HELLO");
    EXPECT_EQ(project->History().size(), 1u);
    Run(cmd::kUndo);
    EXPECT_EQ(text->TextStore().identifier, "");

    // The project's "name strId" takes the chosen identifier.
    ws.ShowSettings(project);
    project->SetModified(0);
    ASSERT_TRUE(gridbutton::Press(ws, Row("name strId")));
    EXPECT_EQ(project->Desktop().nameStringId, "IDS_HELLO");
    EXPECT_EQ(project->Modified(), 1);
}

TEST_F(GridButtonsTest, ProjectPathButtonsStoreTheChosenPathOrNothing)
{
    ws.ShowSettings(project);
    project->SetModified(0);
    const std::string before = project->ResourceFile();
    ui.queueCancel();
    EXPECT_FALSE(gridbutton::Press(ws, Row("Pic Res Path")));
    EXPECT_EQ(project->ResourceFile(), before);
    EXPECT_EQ(project->Modified(), 0);

    ui.queuePath(dir.filePath("out/../build/app.res"));
    ASSERT_TRUE(gridbutton::Press(ws, Row("Pic Res Path")));
    EXPECT_EQ(project->ResourceFile(), dir.filePath("build/app.res"));
    EXPECT_EQ(Cell("Pic Res Path").value, ".\\build\\app.res");
    EXPECT_EQ(project->Modified(), 1);

    ui.queuePath(dir.filePath("strings"));
    ASSERT_TRUE(gridbutton::Press(ws, Row("Str Res Dir")));
    EXPECT_EQ(project->StringDir(), dir.filePath("strings"));
    EXPECT_TRUE(project->History().empty());
    // Read-only value cells without a button have nothing to press.
    EXPECT_FALSE(gridbutton::Press(ws, Row("Name")));
}

TEST_F(GridButtonsTest, CaseDirAsksOnlyForAnotherFolderAndNoLeavesTheProject)
{
    ws.ShowSettings(project);
    project->SetModified(0);
    ui.queuePath(dir.path() + "/");
    EXPECT_FALSE(gridbutton::Press(ws, Row("Case Dir")));
    EXPECT_TRUE(ui.questions().empty());

    ui.queuePath(dir.filePath("other"));
    ui.queueAnswer(platform::Answer::No);
    EXPECT_FALSE(gridbutton::Press(ws, Row("Case Dir")));
    EXPECT_EQ(ui.questions(), std::vector<std::string>{"确定修改case目录（重新打开当前工程）？"});
    EXPECT_EQ(project->CaseDir(), dir.path());
    EXPECT_EQ(project->Modified(), 0);

    // A project that was never saved takes the folder without reopening.
    ui.queuePath(dir.filePath("other"));
    ui.queueAnswer(platform::Answer::Yes);
    ASSERT_TRUE(gridbutton::Press(ws, Row("Case Dir")));
    EXPECT_EQ(project->CaseDir(), dir.filePath("other"));
    EXPECT_EQ(ws.Projects().size(), 1u);
}

// Colour rows give their colour for the swatch beside the value; the colour button still
// chooses it, for an element and for a scene's background (its root group's).
TEST_F(GridButtonsTest, ColourRowsGiveTheirColour)
{
    StringSnapShotItem* text = AddString(Root(scene1));
    Click(text);
    const int foreground = Row("Foreground Color");
    ASSERT_GE(foreground, 0);
    EXPECT_EQ(ws.Grid().RowColour(foreground), std::optional<std::uint32_t>(0));
    EXPECT_FALSE(ws.Grid().RowColour(Row("x")).has_value());
    ui.queueColour(0x00336699);
    ASSERT_TRUE(ws.Grid().PressColourButton(*project, ws.Tree(), foreground));
    EXPECT_EQ(ws.Grid().RowColour(foreground), std::optional<std::uint32_t>(0x00336699));

    Click(scene1);
    const int background = Row("Background Color");
    ASSERT_GE(background, 0);
    EXPECT_EQ(ws.Grid().RowColour(background), std::optional<std::uint32_t>(0x00C8C8C8));
    EXPECT_FALSE(ws.Grid().RowColour(Row("Name")).has_value());
}
