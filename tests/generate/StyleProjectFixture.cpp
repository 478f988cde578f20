#include "StyleProjectFixture.h"

#include "generate/StyleFileReader.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"

#include <cstdint>
StyleProjectFixture::StyleProjectFixture()
{
    APStyleProject::SetCurrent(&project);
    project.InitNew();
    project.SetName("app");
    project.SetProjectDir(dir.path());
    project.SetCaseDir(dir.filePath("case"));
    project.SetStyleFile(dir.filePath("out/app.sty"));
    project.SetStyleHeader(dir.filePath("out/app_sty.h"));
    project.SetStringDir(dir.filePath("case/str"));
    project.SetResourceFile(dir.filePath("case/app.res"));
    generator.setSettingsPath(dir.filePath("SkinSmith.ini"));
}

StyleProjectFixture::~StyleProjectFixture()
{
    APStyleProject::SetCurrent(nullptr);
}

Snapshot* StyleProjectFixture::addScene(const std::string& name)
{
    Snapshot* scene = project.AddScene();
    scene->SetName(name);
    scene->AddChild(SnapShotItem::kGroup, 0);
    return scene;
}

CCanvasSnapShotItem* StyleProjectFixture::rootOf(Snapshot* scene)
{
    return static_cast<CCanvasSnapShotItem*>(scene->Elements().front().get());
}

CCanvasSnapShotItem* StyleProjectFixture::addGroup(CCanvasSnapShotItem* parent,
                                                   const std::string& name)
{
    auto* group = static_cast<CCanvasSnapShotItem*>(parent->AddChild(SnapShotItem::kGroup, 0));
    group->Rename(name);
    return group;
}

PicSnapshotItem* StyleProjectFixture::addPicture(CCanvasSnapShotItem* parent,
                                                 const std::string& name,
                                                 const std::vector<std::string>& paths, bool single)
{
    auto* picture =
        static_cast<PicSnapshotItem*>(parent->AddChild(SnapShotItem::kPicture, single ? 1 : 0));
    picture->Rename(name);
    picture->Frames().clear();
    for (const std::string& path : paths) {
        PicFrame frame;
        frame.path = path;
        picture->Frames().push_back(frame);
    }
    PicItemInfo info = picture->PicInfo();
    info.frameCount = static_cast<std::uint16_t>(paths.size());
    picture->SetPicInfo(info);
    return picture;
}

StringSnapShotItem* StyleProjectFixture::addString(CCanvasSnapShotItem* parent,
                                                   const std::string& name,
                                                   const std::string& identifier, int fontHeight)
{
    auto* text = static_cast<StringSnapShotItem*>(parent->AddChild(SnapShotItem::kString, 0));
    text->Rename(name);
    text->TextStore().identifier = identifier;
    StringItemInfo info = text->StringInfo();
    info.fontHeight = static_cast<std::uint8_t>(fontHeight);
    text->SetStringInfo(info);
    return text;
}

std::string StyleProjectFixture::addPictureFile(const std::string& relativePath, bool wide)
{
    const std::string icons =
        std::string(SKINSMITH_SOURCE_DIR) + "/examples/demo/case/images/apps/demo/icons/";
    const std::string path = platform::joinPath(project.CaseDir(), relativePath);
    EXPECT_TRUE(platform::createDirectories(platform::directoryOf(path)));
    EXPECT_TRUE(platform::copyFile(icons + (wide ? "IC_Battery.bmp" : "ic_arrow.bmp"), path));
    EXPECT_NE(project.AddPicture(path, 1), 0u);
    return project.StoredPicturePath(path);
}

void StyleProjectFixture::addStringResource(const std::string& identifier,
                                            const std::vector<std::u16string>& wideTexts)
{
    StringRegistry& strings = project.Strings();
    StringRecord& record = strings.Append(strings.LastNumber() + 1, identifier);
    record.textCount = static_cast<std::uint32_t>(wideTexts.size());
    for (std::size_t j = 0; j < wideTexts.size(); ++j) {
        record.wideTexts[j] = wideTexts[j];
    }
    strings.SetFirstNumber(strings.Records().front().number);
    strings.SetLastNumber(record.number);
}

bool StyleProjectFixture::generate(bool showMessages, bool resetLayerMap)
{
    return generator.generate(showMessages, resetLayerMap);
}

std::optional<generate::StyleFileContent> StyleProjectFixture::readStyle() const
{
    const std::optional<std::string> bytes = platform::readFile(project.StyleFile());
    if (!bytes) {
        ADD_FAILURE() << "no style file at " << project.StyleFile();
        return std::nullopt;
    }
    generate::StyleFileReader reader;
    auto content = reader.read(*bytes);
    if (!content) {
        ADD_FAILURE() << reader.error();
    }
    return content;
}

std::string StyleProjectFixture::readText(const std::string& path) const
{
    return platform::readFile(path).value_or("<missing>");
}
