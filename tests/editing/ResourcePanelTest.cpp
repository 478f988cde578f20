// The resource panel's logic: lists and columns, adds, removals, clears and the
// double-click assignment with its size rule and undo.
#include "EditingFixture.h"

#include "editing/ResourcePanel.h"
#include "editing/UndoHistory.h"
#include "model/PicSnapshotItem.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"
#include "platform/TemporaryDirectory.h"

#include <stb/stb_image_write.h>

#include <filesystem>
#include <fstream>
#include <vector>

using namespace editing;

namespace {

class CountingObserver : public ResourcePanelObserver
{
public:
    void onPanelReset() override { ++resets; }
    void onRowsAppended(int first, int count) override { appended.push_back({first, count}); }
    int resets = 0;
    std::vector<std::pair<int, int>> appended;
};

class ResourcePanelTest : public EditingFixture
{
protected:
    ResourcePanelTest()
    {
        project->SetCaseDir(dir.path());
        panel.SetObserver(&observer);
    }

    std::string Png(const std::string& name, int width, int height)
    {
        const std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width * height * 3), 9);
        const std::string path = dir.filePath(name);
        EXPECT_NE(stbi_write_png(path.c_str(), width, height, 3, pixels.data(), width * 3), 0);
        return path;
    }
    std::string Stored(const std::string& name)
    {
        return project->StoredPicturePath(dir.filePath(name));
    }
    std::string Text(const std::string& name, const std::string& body)
    {
        const std::string path = dir.filePath(name);
        std::ofstream(path, std::ios::binary) << body;
        return path;
    }

    platform::TemporaryDirectory dir{"res-panel"};
    ResourcePanel panel{ws};
    CountingObserver observer;
};

TEST_F(ResourcePanelTest, AddFilesSortsByExtensionAndShowsRowsOnlyOfTheShownList)
{
    ui.queuePath(Png("logo.png", 4, 2) + "\n" + Text("menu.txt", "name=IDS_OK\nstring=OK\n") +
                 "\n" + Text("notes.doc", "x"));
    panel.Run(ResourcePanel::kCmdAddFiles);

    EXPECT_EQ(ui.records().back().kind, "files");
    EXPECT_EQ(ui.records().back().text, ResourcePanel::kAddFilesTitle);
    ASSERT_EQ(project->Pictures().Size(), 1u);
    EXPECT_EQ(project->Strings().Size(), 1u);
    ASSERT_EQ(panel.Columns(), (std::vector<std::string>{"ID", "Value", "Path"}));
    ASSERT_EQ(panel.RowCount(), 1);
    EXPECT_EQ(panel.CellText(0, 0), "LOGO");
    EXPECT_EQ(panel.CellText(0, 1), "1");
    EXPECT_EQ(panel.CellText(0, 2), Stored("logo.png"));
    EXPECT_EQ(panel.RowToSelect(), 0);
    EXPECT_EQ(observer.appended, (std::vector<std::pair<int, int>>{{0, 1}}));
    EXPECT_EQ(project->Modified(), 1);
    EXPECT_EQ(panel.PictureSize(0), std::make_pair(4, 2));
}

TEST_F(ResourcePanelTest, AddFilesTakesCsvAndXlsxAsStringTables)
{
    platform::overrideProgramDirectory(SKINSMITH_BIN_DIR);
    ui.queuePath(Text("texts.CSV", "ResID,English,Deutsch\r\n[RESLAN],en,de\r\nIDS_OK,OK,Gut\r\n"
                                   "IDS_NO,No,Nein\r\n"));
    panel.Run(ResourcePanel::kCmdAddFiles);
    platform::overrideProgramDirectory({});
    ASSERT_EQ(project->Strings().Size(), 2u);
    EXPECT_EQ(project->Strings().Records()[1].wideTexts[1], u"Nein");
    EXPECT_EQ(project->Strings().NamedLanguages(), (std::vector<std::string>{"en", "de"}));
    EXPECT_EQ(project->TextFiles().size(), 1u);
}

TEST_F(ResourcePanelTest, ASpreadsheetThatWouldLoseStringsIsShownFirstAndAppliedAsOneStep)
{
    platform::overrideProgramDirectory(SKINSMITH_BIN_DIR);
    panel.AddFiles({Text("v1.csv", "ResID,English\r\nIDS_OK,OK\r\nIDS_NO,No\r\n")});
    ASSERT_EQ(project->Strings().Size(), 2u);
    const std::string lossy = Text("v2.csv", "ResID,English\r\nIDS_OK,Okay\r\nIDS_OK,again\r\n");

    // Unattended, a file that would lose something is not applied.
    panel.AddFiles({lossy});
    ASSERT_EQ(ui.records().back().kind, "question");
    const std::string report = ui.records().back().text;
    EXPECT_NE(report.find("IDS_NO"), std::string::npos) << report;
    EXPECT_NE(report.find("IDS_OK becomes IDS_OK0"), std::string::npos) << report;
    EXPECT_NE(report.find(ResourcePanel::kApplyStringFileQuestion), std::string::npos);
    EXPECT_EQ(project->Strings().Records()[1].identifier, "IDS_NO");
    EXPECT_EQ(project->TextFiles().size(), 1u);

    ui.queueAnswer(platform::Answer::Yes);
    panel.AddFiles({lossy});
    ASSERT_EQ(project->Strings().Size(), 2u);
    EXPECT_EQ(project->Strings().Records()[1].identifier, "IDS_OK0");
    EXPECT_EQ(project->TextFiles().size(), 2u);

    const int resets = observer.resets;
    ASSERT_TRUE(Undo(*project));
    EXPECT_GT(observer.resets, resets);
    EXPECT_EQ(project->Strings().Records()[1].identifier, "IDS_NO");
    EXPECT_EQ(project->Strings().Records()[0].wideTexts[0], u"OK");
    EXPECT_EQ(project->Strings().Find("IDS_NO"), 1);
    EXPECT_EQ(project->TextFiles().size(), 1u);
    ASSERT_TRUE(Redo(*project));
    EXPECT_EQ(project->Strings().Records()[0].wideTexts[0], u"Okay");
    EXPECT_EQ(project->Strings().Find("IDS_NO"), -1);

    // A damaged file asks nothing and changes nothing.
    const std::size_t questions = ui.records().size();
    panel.AddFiles({Text("v3.csv", "ResID,English\r\nIDS_X,\"open\r\n")});
    platform::overrideProgramDirectory({});
    EXPECT_EQ(project->Strings().Records()[0].wideTexts[0], u"Okay");
    EXPECT_EQ(project->TextFiles().size(), 2u);
    for (std::size_t i = questions; i < ui.records().size(); ++i) {
        EXPECT_NE(ui.records()[i].kind, "question");
    }
}

TEST_F(ResourcePanelTest, RefreshingStringsShowsWhatTheFilesChangedAndAsks)
{
    platform::overrideProgramDirectory(SKINSMITH_BIN_DIR);
    const std::string csv = Text("v1.csv", "ResID,English\r\nIDS_OK,OK\r\nIDS_NO,No\r\n");
    panel.AddFiles({csv});
    AddString(Root(scene1));
    Click(Root(scene1)->ChildList().back().get());
    ASSERT_EQ(panel.ShownList(), Workspace::kStringList);

    // Nothing changed on disk: no question.
    std::size_t records = ui.records().size();
    panel.Run(ResourcePanel::kCmdRefresh);
    for (std::size_t i = records; i < ui.records().size(); ++i) {
        EXPECT_NE(ui.records()[i].kind, "question");
    }

    Text("v1.csv", "ResID,English\r\nIDS_OK,Okay\r\nIDS_NO,\r\n");
    panel.Run(ResourcePanel::kCmdRefresh); // loses a text: unattended, no
    ASSERT_EQ(ui.records().back().kind, "question");
    EXPECT_NE(ui.records().back().text.find("read again"), std::string::npos);
    EXPECT_NE(ui.records().back().text.find("IDS_NO [English]: \"No\" -> \"\""), std::string::npos)
        << ui.records().back().text;
    EXPECT_EQ(project->Strings().Records()[0].wideTexts[0], u"OK");

    ui.queueAnswer(platform::Answer::Yes);
    panel.Run(ResourcePanel::kCmdRefresh);
    platform::overrideProgramDirectory({});
    EXPECT_EQ(project->Strings().Records()[0].wideTexts[0], u"Okay");
    ASSERT_TRUE(Undo(*project));
    EXPECT_EQ(project->Strings().Records()[0].wideTexts[0], u"OK");
    EXPECT_EQ(project->Strings().Records()[1].wideTexts[0], u"No");
}

TEST_F(ResourcePanelTest, ClosingTheLastProjectEmptiesThePanel)
{
    panel.AddFiles({Png("a.png", 2, 2)});
    const int resets = observer.resets;
    ws.CloseProject(project);
    EXPECT_GT(observer.resets, resets);
    EXPECT_EQ(panel.RowCount(), 0);
    EXPECT_EQ(panel.CellText(0, 0), "");
    EXPECT_FALSE(panel.CanRun(ResourcePanel::kCmdAddFiles));
}

TEST_F(ResourcePanelTest, StringListHasOneColumnPerNamedLanguage)
{
    project->Strings().LanguageNames()[0] = "English";
    project->Strings().LanguageNames()[1] = "Русский";
    StringRecord& record = project->Strings().Append(7, "IDS_HELLO");
    record.texts[0] = "Hello";
    record.texts[1] = "Привет";
    AddString(Root(scene1));
    Click(Root(scene1)->ChildList().back().get());
    ASSERT_EQ(panel.ShownList(), Workspace::kStringList);
    EXPECT_GT(observer.resets, 0);
    EXPECT_EQ(panel.Columns(), (std::vector<std::string>{"ID", "Value", "English", "Русский"}));
    EXPECT_EQ(panel.CellText(0, 0), "IDS_HELLO");
    EXPECT_EQ(panel.CellText(0, 1), "7");
    EXPECT_EQ(panel.CellText(0, 3), "Привет");
    EXPECT_EQ(panel.CellText(0, 4), "");
}

TEST_F(ResourcePanelTest, ClearQuestionsChangeNothingOnNo)
{
    panel.AddFiles({Png("a.png", 2, 2), Png("b.png", 2, 2)});
    project->Strings().Append(1, "IDS_A");
    ui.queueAnswer(platform::Answer::No);
    EXPECT_FALSE(panel.ClearList());
    EXPECT_EQ(ui.questions().back(), ResourcePanel::kClearListQuestion);
    EXPECT_EQ(panel.RowCount(), 2);

    ui.queueAnswer(platform::Answer::Yes);
    EXPECT_TRUE(panel.ClearList());
    EXPECT_EQ(panel.RowCount(), 0);
    EXPECT_EQ(project->Strings().Size(), 1u); // only the shown list

    panel.AddFiles({dir.filePath("a.png")});
    ui.queueAnswer(platform::Answer::Yes);
    EXPECT_TRUE(panel.ClearAllLists());
    EXPECT_EQ(ui.questions().back(), ResourcePanel::kClearAllQuestion);
    EXPECT_TRUE(project->Pictures().Empty());
    EXPECT_TRUE(project->Strings().Empty());
}

TEST_F(ResourcePanelTest, DeleteKeepsOrderAndCounterFollowsTheLastRemaining)
{
    panel.AddFiles({Png("a.png", 2, 2), Png("b.png", 2, 2), Png("c.png", 2, 2)});
    panel.DeleteRows({2, 0});
    ASSERT_EQ(panel.RowCount(), 1);
    EXPECT_EQ(panel.CellText(0, 0), "B");
    EXPECT_EQ(project->Pictures().LastNumber(), 2u);
    EXPECT_EQ(project->Pictures().Find(Stored("b.png")), 0);
    EXPECT_EQ(project->Pictures().Find(Stored("a.png")), -1);
    // The freed path can be added again.
    panel.AddFiles({dir.filePath("a.png")});
    EXPECT_EQ(panel.CellText(1, 1), "3");
}

TEST_F(ResourcePanelTest, RefreshMarksMissingPicturesAndDoubleClickRefusesThem)
{
    panel.AddFiles({Png("a.png", 2, 2), Png("gone.png", 2, 2)});
    std::filesystem::remove(dir.filePath("gone.png"));
    panel.Refresh();
    EXPECT_FALSE(panel.IsMissing(0));
    EXPECT_TRUE(panel.IsMissing(1));

    PicSnapshotItem* region = AddRegion(Root(scene1), 1);
    Click(region);
    const std::size_t history = project->History().size();
    EXPECT_FALSE(panel.Assign(1));
    EXPECT_EQ(ui.messages().back(), ResourcePanel::kMissingPictureMessage);
    EXPECT_EQ(project->History().size(), history);
}

TEST_F(ResourcePanelTest, DoubleClickChecksTheOtherFrameSizeAndUndoRestoresTheFrame)
{
    panel.AddFiles({Png("big.png", 120, 60), Png("small.png", 100, 50), Png("same.png", 120, 60)});
    PicSnapshotItem* region = AddRegion(Root(scene1), 2);
    region->Frames()[1].path = Stored("big.png");
    region->SetCurrentFrameIndex(0);
    Click(region);
    const PicFrame before = region->Frames()[0];

    EXPECT_FALSE(panel.Assign(1));
    EXPECT_EQ(ui.messages().back(), "请选择的宽--120 高--60的图片");
    EXPECT_EQ(region->Frames()[0], before);

    ASSERT_TRUE(panel.Assign(2));
    EXPECT_EQ(region->Frames()[0].path, Stored("same.png"));
    EXPECT_EQ(region->Frames()[0].id, 3);
    EXPECT_EQ(region->Frames()[0].name, "SAME");
    ASSERT_TRUE(Undo(*project));
    EXPECT_EQ(region->Frames()[0], before);
    ASSERT_TRUE(Redo(*project));
    EXPECT_EQ(region->Frames()[0].path, Stored("same.png"));
}

TEST_F(ResourcePanelTest, DoubleClickGivesAStringElementTheRecordWithUndo)
{
    StringRecord& record = project->Strings().Append(5, "IDS_TITLE");
    record.texts[0] = "Title";
    record.textCount = 1;
    StringSnapShotItem* text = AddString(Root(scene1));
    Click(text);
    const std::string before = text->TextStore().identifier;
    ASSERT_TRUE(panel.Assign(0));
    EXPECT_EQ(text->TextStore().identifier, "IDS_TITLE");
    EXPECT_EQ(text->TextStore().texts[0], "Title");
    ASSERT_TRUE(Undo(*project));
    EXPECT_EQ(text->TextStore().identifier, before);
}

TEST_F(ResourcePanelTest, ResourceDirectoriesLeaveAPictureListAndItsListing)
{
    platform::createDirectories(dir.filePath("resource/day/icons"));
    platform::createDirectories(dir.filePath("resource/night"));
    Png("resource/day/icons/b.png", 2, 2);
    Png("resource/day/a.bmp.png", 2, 2);
    Png("resource/night/n.png", 2, 2);
    panel.UpdateFromResourceDirs(ResourcePanel::kCmdUpdatePictures, {"day"});
    ASSERT_EQ(project->Pictures().Size(), 2u);
    EXPECT_EQ(project->Pictures().At(0).path, Stored("resource/day/a.bmp.png"));
    EXPECT_EQ(project->Pictures().At(1).path, Stored("resource/day/icons/b.png"));
    std::ifstream listing(dir.filePath("resource/res.prc"));
    std::string first;
    std::getline(listing, first);
    EXPECT_EQ(first, "1\t" + Stored("resource/day/a.bmp.png"));
}

TEST_F(ResourcePanelTest, CopiedStringRowsGiveTheTextOfOneLanguageALine)
{
    StringRegistry& strings = project->Strings();
    strings.LanguageNames()[0] = "English";
    strings.LanguageNames()[1] = "中文";
    StringRecord& ok = strings.Append(1, "IDS_OK");
    ok.texts[0] = "OK";
    ok.texts[1] = "确定";
    StringRecord& no = strings.Append(2, "IDS_NO");
    no.texts[0] = "No";
    no.texts[1] = "否";
    EXPECT_EQ(panel.StringTextOfRows({0}, 3), ""); // the picture list is shown
    Click(AddString(Root(scene1)));
    ASSERT_EQ(panel.ShownList(), Workspace::kStringList);
    ASSERT_EQ(panel.Columns().size(), 4u);

    EXPECT_EQ(panel.StringTextOfRows({0, 1}, 3), "确定\n否");
    // Not a language column (the name, the id, past the end): the first language.
    EXPECT_EQ(panel.StringTextOfRows({1}, 0), "No");
    EXPECT_EQ(panel.StringTextOfRows({1}, 9), "No");
    EXPECT_EQ(panel.StringTextOfRows({-1, 1, 7}, 2), "No");
    EXPECT_EQ(panel.StringTextOfRows({}, 2), "");
}

TEST_F(ResourcePanelTest, ResourceDirectoriesOnlyFromFoldersOfTheResourceFolder)
{
    platform::createDirectories(dir.filePath("resource/day"));
    platform::createDirectories(dir.filePath("resource/b-night"));
    platform::createDirectories(dir.filePath("elsewhere"));
    Png("resource/day/a.png", 2, 2);
    Png("elsewhere/x.png", 2, 2);
    Text("resource/loose.png", "not a folder");
    EXPECT_EQ(panel.ResourceSubDirectories(), (std::vector<std::string>{"b-night", "day"}));
    panel.AddFiles({Png("kept.png", 2, 2)});
    ASSERT_EQ(project->Pictures().Size(), 1u);

    // Nothing chosen, or only names that are not folders of the resource folder: the list
    // stays and no listing is written.
    for (const std::vector<std::string>& names : std::vector<std::vector<std::string>>{
             {}, {"../elsewhere"}, {"missing"}, {"loose.png"}, {""}}) {
        panel.UpdateFromResourceDirs(ResourcePanel::kCmdUpdatePictures, names);
        ASSERT_EQ(project->Pictures().Size(), 1u);
        EXPECT_EQ(project->Pictures().At(0).path, Stored("kept.png"));
    }
    EXPECT_FALSE(std::filesystem::exists(dir.filePath("resource/res.prc")));

    // A folder named twice is read once.
    panel.UpdateFromResourceDirs(ResourcePanel::kCmdUpdatePictures, {"day", "../elsewhere", "day"});
    ASSERT_EQ(project->Pictures().Size(), 1u);
    EXPECT_EQ(project->Pictures().At(0).path, Stored("resource/day/a.png"));
    EXPECT_TRUE(std::filesystem::exists(dir.filePath("resource/res.prc")));
}

TEST_F(ResourcePanelTest, ResourceDirectoriesOfAProjectWithoutResourceFolder)
{
    EXPECT_EQ(panel.ResourceDirectory(), (std::filesystem::path(dir.path()) / "resource").string());
    EXPECT_TRUE(panel.ResourceSubDirectories().empty());
}

} // namespace
