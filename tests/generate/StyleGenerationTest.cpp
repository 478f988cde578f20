// Style generation over projects built in memory: name checks, used lists and identifiers,
// layer ids, picture sizes, character sets, and what the style file and header get.
#include "StyleProjectFixture.h"

#include "generate/LittleEndianReader.h"
#include "model/NameHash.h"
#include "platform/FileSystem.h"
#include "projectfile/SettingsAccessor.h"

#include <gtest/gtest.h>

using namespace generate;

namespace {

template <typename Record>
const Record& memberAt(const std::vector<StyleMember>& members, std::size_t index)
{
    return std::get<Record>(members.at(index).record);
}

class StyleGenerationTest : public StyleProjectFixture
{
};

TEST_F(StyleGenerationTest, NamesMustDifferAmongScenesAndWithinEachGroup)
{
    addStringResource("HELLO");
    CCanvasSnapShotItem* root = rootOf(addScene("Main"));
    CCanvasSnapShotItem* left = addGroup(root, "Left");
    addString(left, "Label", "HELLO");
    addString(addGroup(root, "Right"), "Label", "HELLO");
    ASSERT_TRUE(generate());
    const std::string header = readText(project.StyleHeader());
    EXPECT_NE(header.find("#define  LABEL    0x"), std::string::npos);
    EXPECT_EQ(header.find("LABEL"), header.rfind("LABEL"));
    const std::string previous = readText(project.StyleFile());

    StringSnapShotItem* twin = addString(left, "label", "HELLO");
    EXPECT_FALSE(generate());
    EXPECT_EQ(ui.messages().back(), "无法保存sty.h文件，资源组Left下存在相同的资源命名：label");
    twin->SetDeleted(1); // a deleted sibling no longer holds its name

    Snapshot* twinScene = addScene("MAIN");
    ui.clear();
    EXPECT_FALSE(generate(false));
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(generator.error(), "无法保存sty.h文件，存在相同名字的场景：MAIN");
    EXPECT_EQ(readText(project.StyleFile()), previous);

    twinScene->SetDeleted(1);
    EXPECT_TRUE(generate());
}

TEST_F(StyleGenerationTest, RecordTreesCarryTheirSizesAsNextSiblingOffsets)
{
    const std::string a = addPictureFile("a.bmp");
    addStringResource("TITLE");
    CCanvasSnapShotItem* panel = addGroup(rootOf(addScene("Main")), "Panel");
    addPicture(panel, "Anim", {a, a, a}, false);
    addString(panel, "Title", "TITLE");
    addString(rootOf(addScene("Setup")), "Hint", "TITLE");

    ASSERT_TRUE(generate());
    const std::string bytes = readText(project.StyleFile());
    const LittleEndianReader in(bytes);
    const std::size_t panelAt = 16 + 2 * 12 + 41;
    const std::size_t animAt = panelAt + 37;
    ASSERT_TRUE(in.has(0, animAt + 30 + 37));
    EXPECT_EQ(in.u32(panelAt + 5), 0u); // the panel is its group's last member
    EXPECT_EQ(in.u8(animAt), 1);
    EXPECT_EQ(in.u32(animAt + 5), 30u); // 20 + 4 + 3 x 2, a sibling follows
    EXPECT_EQ(in.u32(animAt + 30 + 5), 0u);
    EXPECT_EQ(in.u32(16 + 12 + 8), 41u + 37u); // a container holding a single string
}

TEST_F(StyleGenerationTest, HeaderCountsTheScenesWrittenNotThoseLastSaved)
{
    // The document still holds the two scenes of the last save.
    TiXmlElement root("ui-rad");
    root.InsertEndChild(TiXmlElement("scene"));
    root.InsertEndChild(TiXmlElement("scene"));
    project.Document().InsertEndChild(root);
    addScene("A");
    addScene("B")->SetDeleted(1);
    addScene("C");
    addScene("D");

    ASSERT_TRUE(generate());
    EXPECT_EQ(project.HeaderWords()[1], 3u);
    EXPECT_EQ(project.HeaderWords()[3], 1u);
    const auto content = readStyle();
    ASSERT_TRUE(content);
    ASSERT_EQ(content->scenes.size(), 3u);
    EXPECT_EQ(content->scenes[0].nameHash, NameHash("A"));
    EXPECT_EQ(content->scenes[1].nameHash, NameHash("C"));
    EXPECT_EQ(content->scenes[2].nameHash, NameHash("D"));

    project.Scenes()[0]->SetDeleted(1);
    project.Scenes()[2]->SetDeleted(1);
    project.Scenes()[3]->SetDeleted(1);
    EXPECT_FALSE(generate());
}

TEST_F(StyleGenerationTest, IdentifiersAreBasePlusPositionInTheUsedLists)
{
    const std::string first = addPictureFile("first.bmp");
    addPictureFile("second.bmp");
    const std::string third = addPictureFile("third.bmp");
    addStringResource("ONE");
    addStringResource("TWO");
    CCanvasSnapShotItem* root = rootOf(addScene("Main"));
    addPicture(root, "Logo", {third});
    PicSnapshotItem* anim = addPicture(root, "Anim", {first, third}, false);
    anim->Frames()[0].alphaFormat = 8;
    addString(root, "Caption", "TWO");
    addString(root, "Again", "TWO");
    project.SetBuildResType(0);
    project.SetBuildResMode(1);

    ASSERT_TRUE(generate());
    EXPECT_EQ(project.UsedPictures(), (std::vector<std::uint32_t>{2, 0}));
    EXPECT_EQ(project.UsedStrings(), (std::vector<std::uint32_t>{1}));
    EXPECT_EQ(project.BuildResMode(), 0);
    EXPECT_EQ(anim->Frames()[1].id, 3); // first number 1 + registry index 2
    EXPECT_EQ(project.Pictures().At(0).alphaFormat, 8);
    EXPECT_EQ(project.Pictures().At(2).alphaFormat, 0);

    const auto content = readStyle();
    ASSERT_TRUE(content);
    const auto& members = content->scenes[0].containers[0].members;
    EXPECT_EQ(memberAt<StylePictureRecord>(members, 0).pictureId, 10001);
    EXPECT_EQ(memberAt<StylePictureRecord>(members, 1).frameIds,
              (std::vector<std::uint16_t>{10002, 10001}));
    EXPECT_EQ(memberAt<StyleStringRecord>(members, 2).stringId, 10001);
    EXPECT_EQ(memberAt<StyleStringRecord>(members, 3).stringId, 10001);
}

TEST_F(StyleGenerationTest, PicturesTakeTheSizeOfTheirFile)
{
    const std::string wide = addPictureFile("wide.bmp", true);
    const std::string broken = addPictureFile("broken.bmp");
    ASSERT_TRUE(platform::writeFileAtomically(dir.filePath("case/broken.bmp"), "not a picture"));
    CCanvasSnapShotItem* root = rootOf(addScene("Main"));
    PicSnapshotItem* sized = addPicture(root, "Sized", {wide});
    PicSnapshotItem* kept = addPicture(root, "Kept", {broken});
    for (PicSnapshotItem* picture : {sized, kept}) {
        PicItemInfo info = picture->PicInfo();
        info.width = 10;
        info.height = 10;
        picture->SetPicInfo(info);
    }

    ASSERT_TRUE(generate());
    const PicItemInfo info = sized->PicInfo(); // packed: fields compared by value
    EXPECT_EQ(int{info.width}, 24);
    EXPECT_EQ(int{info.height}, 12);
    const auto content = readStyle();
    ASSERT_TRUE(content);
    const auto& members = content->scenes[0].containers[0].members;
    EXPECT_EQ(memberAt<StylePictureRecord>(members, 0).width, 24);
    EXPECT_EQ(memberAt<StylePictureRecord>(members, 0).height, 12);
    EXPECT_EQ(memberAt<StylePictureRecord>(members, 1).width, 10);
    EXPECT_EQ(memberAt<StylePictureRecord>(members, 1).height, 10);
}

TEST_F(StyleGenerationTest, LayerMapIsRebuiltOnResetAndFollowedOtherwise)
{
    const std::string first = addPictureFile("first.bmp");
    const std::string second = addPictureFile("second.bmp");
    CCanvasSnapShotItem* root = rootOf(addScene("Main"));
    addPicture(root, "B", {second});
    addPicture(root, "A", {first});

    ASSERT_TRUE(generate(true, true));
    EXPECT_EQ(project.LayerMap(), (std::map<std::string, std::int32_t>{{second, 1}, {first, 2}}));
    EXPECT_EQ(project.NextLayerId(), 3);

    project.LayerMap() = {{second, 40}};
    project.SetNextLayerId(50);
    ASSERT_TRUE(generate(true, false));
    const auto content = readStyle();
    ASSERT_TRUE(content);
    const auto& members = content->scenes[0].containers[0].members;
    EXPECT_EQ(memberAt<StylePictureRecord>(members, 0).pictureId, 40);
    // A path without a layer id gets the next one, but is written with its own identifier.
    EXPECT_EQ(memberAt<StylePictureRecord>(members, 1).pictureId, 2);
    EXPECT_EQ(project.LayerMap().at(first), 50);

    // A failed run leaves the layer map as it was.
    addScene("main");
    EXPECT_FALSE(generate(false, true));
    EXPECT_EQ(project.LayerMap().at(second), 40);
    EXPECT_EQ(project.NextLayerId(), 51);
}

TEST_F(StyleGenerationTest, MissingPicturesAndStringsAreReportedWithTheirPlace)
{
    const std::string known = addPictureFile("known.bmp");
    Snapshot* scene = addScene("Main");
    PicSnapshotItem* anim = addPicture(rootOf(scene), "Anim", {known, "unknown.bmp"}, false);
    EXPECT_FALSE(generate());
    EXPECT_EQ(ui.messages().back(),
              "保存Sty文件失败，请确保场景Main下资源名为Anim第1层的图片路径是否正确");

    anim->SetDeleted(1);
    Snapshot* other = addScene("Other");
    project.SetCurrentScene(scene);
    addString(rootOf(other), "Caption", "NOPE");
    sink.clear();
    EXPECT_FALSE(generate());
    EXPECT_EQ(ui.messages().back(),
              "保存Sty文件失败，请确保场景Other下字符串资源名为Caption的String ID是否正确");
    EXPECT_EQ(project.CurrentScene(), other);
    // The tree selects the current scene, the one that stopped the build.
    EXPECT_EQ(sink.count(platform::kMsgRebuildTree), 1);
}

TEST_F(StyleGenerationTest, StepsAreAnnouncedAndCharacterSetsWrittenPerHeight)
{
    addStringResource("PRICE", {u"AAB\u20AC", u"\u4E2D"});
    addString(rootOf(addScene("Main")), "Price", "PRICE", 16);

    ASSERT_TRUE(generate());
    std::vector<std::string> steps;
    for (const auto& notification : sink.received()) {
        if (notification.message == platform::kMsgGenerationStep) {
            EXPECT_EQ(notification.first, 0);
            steps.push_back(notification.text);
        }
    }
    EXPECT_EQ(steps, (std::vector<std::string>{"校验", "保存"}));
    EXPECT_EQ(readText(dir.filePath("case/str/txt/app_16.txt")), "0X41-0X42,0X20AC,0X4E2D");
    ASSERT_TRUE(generator.writeLanguageCharacterSets("English", 0));
    EXPECT_EQ(readText(dir.filePath("case/str/txt/app_16_English.txt")), "0X41-0X42,0X20AC");
    EXPECT_EQ(generator.names(), (std::vector<std::string>{"Main", "Price"}));
}

TEST_F(StyleGenerationTest, ProjectFileGetsTheLayerIdsOfItsPictures)
{
    const std::string picture = addPictureFile("logo.bmp");
    addPicture(rootOf(addScene("Main")), "Logo", {picture});
    const std::string projectFile = dir.filePath("app.ui");
    TiXmlElement root("ui-rad");
    TiXmlElement resource("resource");
    TiXmlElement entry("picture");
    entry.SetAttribute("value", ".\\logo.bmp");
    resource.InsertEndChild(entry);
    root.InsertEndChild(resource);
    project.Document().InsertEndChild(root);
    project.Document().SetValue(projectFile);
    SettingsAccessor(dir.filePath("SkinSmith.ini")).writeInt("CONFIG", "ENABLE_LAYERID", 1, true);

    ASSERT_TRUE(generate(true, true));
    EXPECT_NE(readText(projectFile).find("LayerID=\"1\""), std::string::npos);

    // Nothing would change: the project file is left alone.
    ASSERT_TRUE(platform::writeFileAtomically(projectFile, "untouched"));
    ASSERT_TRUE(generate(true, true));
    EXPECT_EQ(readText(projectFile), "untouched");
}

} // namespace
