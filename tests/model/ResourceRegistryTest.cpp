#include "model/APStyleProject.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"
#include "platform/Trace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// Parses `xml` and reads its resource sections into `project`.
void ReadSection(APStyleProject& project, const char* xml)
{
    TiXmlDocument document;
    document.Parse(xml);
    ASSERT_FALSE(document.Error()) << document.ErrorDesc();
    project.ReadResourceSection(*document.RootElement());
}

const char kSection[] = R"(<ui-rad>
  <resource>
    <picture value=".\images\a.png" LayerID="3" />
    <picture value=".\IMAGES\A.PNG" />
    <picture value=".\images\b.png" LayerID="0" />
    <picture LayerID="40" />
    <txt value=".\str\en.txt" />
    <string value="STR_OK" />
  </resource>
  <resource>
    <picture value="$CASE\images\c.png" LayerID="7" />
    <txt value=".\STR\EN.TXT" />
    <string value="STR_OK" />
    <string value="STR_CANCEL" />
  </resource>
</ui-rad>)";

} // namespace

TEST(ResourceSection, ReadsPicturesOnceWithLayerIds)
{
    APStyleProject project;
    project.SetCaseDir("/sdk/case");
    ReadSection(project, kSection);

    const PictureRegistry& pictures = project.Pictures();
    ASSERT_EQ(pictures.Size(), 3u);
    EXPECT_EQ(pictures.At(0).path, ".\\images\\a.png");
    EXPECT_EQ(pictures.At(0).name, "A");
    EXPECT_EQ(pictures.At(2).path, ".\\images\\c.png"); // "$CASE" made relative
    EXPECT_EQ(pictures.At(2).number, 3u);
    EXPECT_EQ(pictures.FirstNumber(), 1u);
    EXPECT_EQ(pictures.LastNumber(), 3u);
    EXPECT_EQ(project.Modified(), 1);
    EXPECT_EQ(pictures.Find(".\\images\\b.png"), 1);
    EXPECT_EQ(pictures.Find(".\\images\\zzz.png"), -1);
    EXPECT_EQ(pictures.Find(""), -1);

    // LayerID 0 gives no layer id; a picture without "value" is not a picture.
    const auto& layers = project.LayerMap();
    EXPECT_EQ(layers.size(), 2u);
    EXPECT_EQ(layers.at(".\\images\\a.png"), 3);
    EXPECT_EQ(layers.at(".\\images\\c.png"), 7);
    EXPECT_EQ(project.NextLayerId(), 8);
}

TEST(ResourceSection, ReadsStringsAndTextFiles)
{
    APStyleProject project;
    ReadSection(project, kSection);
    const StringRegistry& strings = project.Strings();
    ASSERT_EQ(strings.Size(), 3u);
    EXPECT_EQ(strings.Find("STR_OK"), 1); // listed twice: the later one
    EXPECT_EQ(strings.Find("STR_CANCEL"), 2);
    EXPECT_EQ(strings.Find(""), -1);
    EXPECT_EQ(strings.LastNumber(), 3u);
    ASSERT_EQ(project.TextFiles().size(), 1u);
    EXPECT_EQ(project.TextFiles()[0], ".\\str\\en.txt");

    // Reading again starts from empty lists.
    ReadSection(project, "<ui-rad><resource><string value=\"X\" /></resource></ui-rad>");
    EXPECT_EQ(project.Strings().Size(), 1u);
    EXPECT_TRUE(project.Pictures().Empty());
    EXPECT_TRUE(project.LayerMap().empty());
    EXPECT_EQ(project.NextLayerId(), 1);
}

TEST(ResourceSection, LookupsSurviveCrcCollisions)
{
    // "plumless" and "buckeroo" share their CRC-32.
    ASSERT_EQ(Crc32Key("plumless"), Crc32Key("buckeroo"));
    APStyleProject project;
    ReadSection(project, R"(<ui-rad><resource>
        <picture value="plumless" /><picture value="buckeroo" />
        <string value="plumless" /><string value="buckeroo" />
        </resource></ui-rad>)");
    EXPECT_EQ(project.Pictures().Size(), 2u);
    EXPECT_EQ(project.Pictures().Find("plumless"), 0);
    EXPECT_EQ(project.Pictures().Find("buckeroo"), 1);
    EXPECT_EQ(project.Strings().Find("plumless"), 0);
    EXPECT_EQ(project.Strings().Find("buckeroo"), 1);
}

TEST(ResourceRegistry, EnsureLayerIdContinuesAfterTheFile)
{
    platform::RecordingTraceSink traces;
    APStyleProject project;
    ReadSection(project, kSection);
    project.EnsureLayerId(".\\images\\a.png"); // has one already
    project.EnsureLayerId(".\\images\\b.png");
    EXPECT_EQ(project.LayerMap().at(".\\images\\b.png"), 8);
    EXPECT_EQ(project.NextLayerId(), 9);
    ASSERT_EQ(traces.lines().size(), 1u);
    EXPECT_EQ(traces.lines()[0], "New LayerID : 8 .\\images\\b.png\n");
}

TEST(ResourceRegistry, AddPictureNumbersAndRefusesKnownPaths)
{
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    APStyleProject project;
    project.SetCaseDir("/sdk/case");

    EXPECT_EQ(project.AddPicture("/sdk/case/Images/Logo.PNG", 0), 1u);
    EXPECT_EQ(project.AddPicture("/sdk/case/images/b.png", 10), 10u);
    EXPECT_EQ(project.AddPicture("/sdk/case/images/c.png", 3), 11u);
    EXPECT_EQ(project.Pictures().FirstNumber(), 1u);
    EXPECT_EQ(project.Pictures().LastNumber(), 11u);
    const PictureRecord& logo = project.Pictures().At(0);
    EXPECT_EQ(logo.path, ".\\images\\logo.png");
    EXPECT_EQ(logo.name, "LOGO");
    EXPECT_EQ(project.LayerMap().at(".\\images\\logo.png"), 1);
    EXPECT_TRUE(ui.messages().empty());

    EXPECT_EQ(project.AddPicture("/sdk/case/images/LOGO.png", 0), 0u);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0], "无法添加文件：/sdk/case/images/LOGO.png\n已存在相同路径!");
    EXPECT_EQ(project.Pictures().Size(), 3u);
}

TEST(ResourceRegistry, PictureNamesAreCutToThirtyTwoBytes)
{
    EXPECT_EQ(PictureRegistry::NameOf(".\\a\\" + std::string(40, 'x') + ".png"),
              std::string(32, 'X'));
    // 11 three-byte characters: the cut never splits one.
    std::string wide;
    for (int i = 0; i < 11; ++i) {
        wide += "图";
    }
    EXPECT_EQ(PictureRegistry::NameOf(".\\" + wide + ".png").size(), 30u);
}

TEST(ResourceCheck, MarksMissingPictures)
{
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    platform::TemporaryDirectory dir;
    std::filesystem::create_directories(dir.filePath("images"));
    std::ofstream(dir.filePath("images/a.png")) << "x";
    APStyleProject project;
    project.SetCaseDir(dir.path());
    ReadSection(project, kSection);

    project.MarkMissingPictures();
    EXPECT_EQ(project.Pictures().Missing(), (std::vector<std::uint32_t>{2, 3}));
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0], "某些图片无法找到，这些图片在列表中已显示红色！");

    std::ofstream(dir.filePath("images/b.png")) << "x";
    std::ofstream(dir.filePath("images/c.png")) << "x";
    project.MarkMissingPictures();
    EXPECT_TRUE(project.Pictures().Missing().empty());
    EXPECT_EQ(ui.messages().size(), 1u);
}

TEST(ResourceCheck, MarksStringsWithoutTexts)
{
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    APStyleProject project;
    project.SetCaseDir("/sdk/case");
    ReadSection(project, kSection);
    std::vector<std::string> imported;
    // Stands in for the string table import: knows STR_OK only.
    auto importer = [&](StringRegistry& into, const std::string& path, std::uint32_t first) {
        imported.push_back(path);
        StringRecord& record = into.Append(first, "STR_OK");
        record.textCount = 2;
        record.texts[0] = "OK";
        record.wideTexts[1] = u"确定";
        into.LanguageNames()[0] = "English";
        return first + 1;
    };

    project.MarkMissingStrings(importer);
    EXPECT_EQ(imported, (std::vector<std::string>{"/sdk/case/str/en.txt"}));
    const StringRecord& ok = project.Strings().Records()[1];
    EXPECT_EQ(ok.number, 2u);
    EXPECT_EQ(ok.textCount, 2u);
    EXPECT_EQ(ok.texts[0], "OK");
    EXPECT_EQ(ok.wideTexts[1], u"确定");
    EXPECT_EQ(project.Strings().LanguageNames()[0], "English");
    // The first STR_OK record is found too: every record with that identifier gets texts.
    EXPECT_EQ(project.Strings().Missing(), (std::vector<std::uint32_t>{3}));
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0], "某些字符串无法找到，这些字符串在列表中已显示红色！");
}

TEST(ResourceCheck, NoStringMessageWhenEveryIdentifierHasText)
{
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    APStyleProject project;
    ReadSection(project, kSection);
    project.MarkMissingStrings([](StringRegistry& into, const std::string&, std::uint32_t id) {
        for (const char* name : {"STR_OK", "STR_CANCEL"}) {
            into.Append(id++, name).textCount = 1;
        }
        return id;
    });
    EXPECT_TRUE(project.Strings().Missing().empty());
    EXPECT_TRUE(ui.messages().empty());
}

TEST(UpdateDocResource, SetsOrRemovesLayerIdsAndWritesTheFile)
{
    platform::RecordingTraceSink traces;
    platform::TemporaryDirectory dir;
    const std::string path = dir.filePath("app.ui");
    std::ofstream(path) << "<ui-rad>\n<resource>\n"
                           "<picture value=\".\\images\\a.png\" />\n"
                           "<picture value=\".\\Images\\B.png\" LayerID=\"9\" />\n"
                           "<picture value=\".\\images\\new.png\" LayerID=\"4\" />\n"
                           "</resource>\n</ui-rad>\n";
    APStyleProject project;
    project.LayerMap()[".\\images\\a.png"] = 3;
    project.LayerMap()[".\\images\\b.png"] = 5;
    TiXmlDocument document(path);
    ASSERT_TRUE(document.LoadFile());

    ASSERT_TRUE(project.UpdateDocResource(document, 1));
    EXPECT_EQ(traces.lines().at(0), "UpdateDocResource\n");
    const std::string written = platform::readFile(path).value_or("");
    EXPECT_NE(written.find("<picture value=\".\\images\\a.png\" LayerID=\"3\" />\r\n"),
              std::string::npos)
        << written;
    EXPECT_NE(written.find("value=\".\\Images\\B.png\" LayerID=\"5\""), std::string::npos);
    EXPECT_NE(written.find("value=\".\\images\\new.png\" LayerID=\"0\""), std::string::npos);

    ASSERT_TRUE(project.UpdateDocResource(document, 0));
    EXPECT_EQ(platform::readFile(path).value_or("").find("LayerID"), std::string::npos);
}
