// Style generation over a copy of the example project, loaded from its project file: the style
// file decoded field by field, sty_conv started the way the resource build starts it, and the
// project file saved first and given its layer ids.
#include "components/packing/ResFileLayout.h"
#include "components/packing/ResFileReader.h"
#include "generate/ProjectStyleSteps.h"
#include "generate/ResourceBuild.h"
#include "generate/StyleConverter.h"
#include "generate/StyleFileReader.h"
#include "generate/StyleGenerator.h"
#include "generate/StyleLayout.h"
#include "model/APStyleProject.h"
#include "model/NameHash.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"
#include "projectfile/SettingsAccessor.h"
#include "projectfile/StandardProjectFileIo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

using namespace generate;

namespace {

// Copies the example project into `directory`, so that what a build writes stays out of the
// source tree. Returns the copied project file, or "" when the copy failed.
std::string copyDemoProject(const std::string& directory)
{
    std::error_code error;
    std::filesystem::copy(std::string(SKINSMITH_SOURCE_DIR) + "/examples/demo", directory,
                          std::filesystem::copy_options::recursive, error);
    return error ? std::string() : directory + "/demo.ui";
}

// The decoded content, one line per record: names instead of hashes, colours as the project
// file writes them.
class Dump
{
public:
    explicit Dump(const std::vector<std::string>& names)
    {
        for (const std::string& name : names) {
            m_names.emplace(NameHash(name), name);
        }
    }

    std::string operator()(const StyleFileContent& content)
    {
        for (const StyleScene& scene : content.scenes) {
            line(0, "scene %s", name(scene.nameHash));
            for (const StyleTopContainer& top : scene.containers) {
                line(1, "top %s dir %u keys %u..%u", block(top.block).c_str(), top.direction,
                     top.keys.front(), top.keys.back());
                members(2, top.members);
            }
        }
        return m_text;
    }

private:
    void members(int depth, const std::vector<StyleMember>& members)
    {
        for (const StyleMember& member : members) {
            std::visit([&](const auto& record) { write(depth, record); }, member.record);
        }
    }
    void write(int depth, const StyleGroupRecord& group)
    {
        line(depth, "group %s at %u,%u %s", name(group.nameHash), group.left, group.top,
             block(group.block).c_str());
        members(depth + 1, group.members);
    }
    void write(int depth, const StylePictureRecord& picture)
    {
        std::string ids = picture.region ? "frames" : std::to_string(picture.pictureId);
        for (std::uint16_t id : picture.frameIds) {
            ids += " " + std::to_string(id);
        }
        line(depth, "%s %s %d,%d %ux%u vis %u %s", picture.region ? "region" : "picture",
             name(picture.nameHash), picture.x, picture.y, picture.width, picture.height,
             picture.visible, ids.c_str());
    }
    void write(int depth, const StyleStringRecord& text)
    {
        line(depth,
             "string %s %d,%d %ux%u fg %06x bg %06x vis %u align %02x mode %u font %u "
             "id %u scroll %u %d %u %u",
             name(text.nameHash), text.x, text.y, text.width, text.height,
             styleFileColour(text.foregroundColour), styleFileColour(text.backgroundColour),
             text.visible, text.alignment, text.mode, text.fontHeight, text.stringId,
             text.textScroll, text.scrollSign, text.scrollInterval, text.scrollPixels);
    }
    static std::string block(const StyleGroupBlock& block)
    {
        char text[96];
        std::snprintf(text, sizeof text, "%d,%d %ux%u bg %06x vis %u opaque %u transp %u", block.x,
                      block.y, block.width, block.height, styleFileColour(block.backgroundColour),
                      block.visible, block.opaque, block.transparency);
        return text;
    }
    const char* name(std::uint32_t hash) const
    {
        const auto found = m_names.find(hash);
        return found == m_names.end() ? "?" : found->second.c_str();
    }
    template <typename... Args>
    void line(int depth, const char* format, Args... args)
    {
        char text[256];
        std::snprintf(text, sizeof text, format, args...);
        m_text += std::string(2 * depth, ' ') + text + "\n";
    }

    std::map<std::uint32_t, std::string> m_names;
    std::string m_text;
};

// The first scene in full: picture and string identifiers in the order the scenes use them.
const char* const kMainScene = R"(scene MainScene
  top 0,0 320x240 bg c8c8c8 vis 1 opaque 0 transp 0 dir 0 keys 1..16
    picture MainBg 0,0 320x240 vis 16 1
    group StatusBar at 0,0 0,0 320x24 bg 102030 vis 1 opaque 1 transp 0
      string AppTitle 8,2 120x20 fg ffffff bg 102030 vis 1 align 0c mode 2 font 16 id 1 scroll 0 -1 100 1
      picture AlarmIcon 268,4 16x16 vis 0 2
      picture BatteryIcon 290,6 24x12 vis 16 3
    group ClockPanel at 0,24 0,24 320x176 bg c8c8c8 vis 1 opaque 0 transp 0
      string TimeLabel 20,12 180x28 fg ffffff bg ffffff vis 1 align 0c mode 2 font 24 id 2 scroll 0 -1 100 1
      region SunAnim 240,8 48x48 vis 17 frames 4 5 6
      string WeatherNow 20,60 200x20 fg ffffff bg ffffff vis 1 align 0c mode 2 font 16 id 3 scroll 0 -1 100 1
      string CityName 20,84 200x16 fg c0d0ff bg ffffff vis 1 align 0c mode 2 font 12 id 4 scroll 0 -1 100 1
      group TempBox at 200,124 200,100 100x60 bg 000000 vis 1 opaque 1 transp 128
        string TempNow 0,16 100x28 fg ffffff bg ffffff vis 1 align 0e mode 2 font 24 id 5 scroll 0 -1 100 1
    group SoftKeys at 0,200 0,200 320x40 bg 202020 vis 1 opaque 1 transp 0
      string KeyMenu 8,10 100x20 fg ffffff bg ffffff vis 1 align 0c mode 2 font 16 id 6 scroll 0 -1 100 1
      string KeyBack 212,10 100x20 fg ffffff bg ffffff vis 1 align 0d mode 2 font 16 id 7 scroll 0 -1 100 1
)";

// Lines of the other scenes: shared pictures and strings keep their first identifier.
const char* const kLaterLines[] = {
    "\n        region TomorrowIcon 28,16 40x40 vis 17 frames 9 10 8\n",
    "\n        picture AlarmArrow 292,12 16x16 vis 16 11\n",
    "\n    string TipsMarquee 0,176 320x20 fg ffe080 bg ffffff vis 1 align 0e mode 2 font 12 id 14 "
    "scroll 1 -1 200 2\n",
};

class DemoStyleTest : public ::testing::Test
{
protected:
    DemoStyleTest()
    {
        projectfile::InstallProjectFileIo();
        platform::overrideProgramDirectory(SKINSMITH_BIN_DIR);
        projectFile = copyDemoProject(out.filePath("demo"));
        loaded = !projectFile.empty() && project.Load(projectFile) == 1;
        ui.clear(); // what the load had to say is not the generator's
        APStyleProject::SetCurrent(&project);
        generator.setSettingsPath(out.filePath("SkinSmith.ini"));
    }
    ~DemoStyleTest() override
    {
        platform::overrideProgramDirectory("");
        APStyleProject::SetCurrent(nullptr);
    }

    platform::TemporaryDirectory out{"demo-style"};
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction uiScope{ui};
    APStyleProject project;
    std::string projectFile;
    bool loaded = false;
    StyleGenerator generator{project};
};

TEST_F(DemoStyleTest, StyleFileDescribesEveryScene)
{
    ASSERT_TRUE(loaded);
    ASSERT_TRUE(generator.generate(true, true)) << generator.error();
    EXPECT_TRUE(ui.messages().empty());
    const std::string bytes = platform::readFile(project.StyleFile()).value_or("");
    StyleFileReader reader;
    const auto content = reader.read(bytes);
    ASSERT_TRUE(content) << reader.error();
    EXPECT_EQ(content->firstWord, kStyleMagicLoadedProject);
    EXPECT_EQ(content->screenWidth, 320);
    EXPECT_EQ(content->screenHeight, 240);
    ASSERT_EQ(content->scenes.size(), 3u);
    const std::string dump = Dump(generator.names())(*content);
    EXPECT_EQ(dump.substr(0, dump.find("scene WeatherScene")), kMainScene);
    for (const char* line : kLaterLines) {
        EXPECT_NE(dump.find(line), std::string::npos) << line;
    }
    // Every name but those of the three top-level groups goes to the header.
    EXPECT_EQ(generator.names().size(), 44u);
    EXPECT_EQ(project.UsedPictures().size(), 11u);
    EXPECT_EQ(project.UsedStrings().size(), 14u);
}

TEST_F(DemoStyleTest, StyleConverterAcceptsTheGeneratedFiles)
{
    ASSERT_TRUE(loaded);
    ASSERT_TRUE(generator.generate(true, true));
    const std::string style = project.StyleFile();
    const std::string before = platform::readFile(style).value_or("");
    const std::vector<std::string> command =
        StyleConverter::commandLine(project, project.ResourceFile());
    EXPECT_EQ(command, (std::vector<std::string>{std::string(SKINSMITH_BIN_DIR) + "/sty_conv",
                                                 style, project.ResourceFile(), style,
                                                 project.StyleHeader(), project.StringDir()}));

    EXPECT_EQ(StyleConverter::run(project, project.ResourceFile(), true), 0);
    EXPECT_EQ(platform::readFile(style).value_or(""), before);
    EXPECT_EQ(platform::readFile(style + ".Debug").value_or(""), before);

    // A header that no longer names a scene makes the converter refuse the file.
    std::string header = platform::readFile(project.StyleHeader()).value_or("");
    const std::size_t define = header.find("#define  MAINSCENE ");
    ASSERT_NE(define, std::string::npos);
    header.erase(define, header.find('\n', define) + 1 - define);
    ASSERT_TRUE(platform::writeFileAtomically(project.StyleHeader(), header));
    EXPECT_EQ(StyleConverter::run(project, project.ResourceFile(), false), 1);
}

TEST_F(DemoStyleTest, UnattendedBuildSavesTheProjectFirstAndLayerIdsFollowTheIdentifiers)
{
    ASSERT_TRUE(loaded);
    SettingsAccessor(out.filePath("SkinSmith.ini")).writeInt("CONFIG", "ENABLE_LAYERID", 1, true);
    SnapShotItem& background = *project.Scenes()[0]->Elements()[0]->Children()->front();
    ASSERT_EQ(background.Name(), "MainBg");
    background.SetName("Backdrop");
    generator.setUnattended(true);

    ASSERT_TRUE(generator.generate(true, true));
    const std::string saved = platform::readFile(projectFile).value_or("");
    EXPECT_NE(saved.find("value=\"Backdrop\""), std::string::npos);
    // weather_bg.jpg is the seventh picture the scenes use.
    EXPECT_NE(saved.find("weather_bg.jpg\" LayerID=\"7\""), std::string::npos);
    EXPECT_EQ(project.LayerMap().size(), 11u);
}

TEST_F(DemoStyleTest, PicturesKeepTheirArgbOutputWhenBuiltFromTheProjectFile)
{
    ASSERT_TRUE(loaded);
    // The weather icons are stored with "ARGB Output" 8888; nothing but the project file
    // tells the build so.
    ResourceBuildOptions options;
    options.format = packing::kFormatRgb565;
    options.unattended = true;
    ProjectStyleSteps steps(project, options);
    steps.generator().setSettingsPath(out.filePath("SkinSmith.ini"));
    ResourceBuild build(project, steps, options);
    ASSERT_EQ(build.run(), ResourceBuild::Outcome::Built);

    packing::ResFileReader reader;
    ASSERT_TRUE(reader.load(project.ResourceFile())) << reader.error();
    const auto& used = project.UsedPictures();
    ASSERT_EQ(reader.entries().size(), used.size());
    int icons = 0;
    for (std::size_t i = 0; i < used.size(); ++i) {
        const PictureRecord& record = project.Pictures().At(used[i]);
        const bool icon = record.path.find("\\weather\\") != std::string::npos;
        icons += icon ? 1 : 0;
        EXPECT_EQ(record.argbOutput, icon ? 8 : 0) << record.path;
        EXPECT_EQ(reader.entries()[i].format,
                  icon ? packing::kFormatArgb8888 : packing::kFormatRgb565)
            << record.path;
    }
    EXPECT_EQ(icons, 3);
}

} // namespace
