// The resource build over projects in memory, with style generation stood in for.

#include "generate/ResourceBuildFixture.h"

#include "components/PackingTestPictures.h"
#include "components/packing/ResFileReader.h"
#include "components/packing/StrFileReader.h"
#include "generate/ResourceSplitter.h"
#include "model/ProjectFileIo.h"
#include "platform/FileSystem.h"
#include "platform/Trace.h"
#include "support/PngBytes.h"

using generate::ResourceBuild;
using Outcome = ResourceBuild::Outcome;
using packingtest::blocks;
using packingtest::gradient;

namespace {

std::vector<packing::ResEntryInfo> entriesOf(const std::string& path)
{
    packing::ResFileReader reader;
    EXPECT_TRUE(reader.load(path)) << reader.error();
    return reader.entries();
}

// Counts saves instead of writing project files.
class CountingFileIo : public ProjectFileIo
{
public:
    CountingFileIo() : m_previous(projectFileIo()) { setProjectFileIo(this); }
    ~CountingFileIo() override { setProjectFileIo(m_previous); }
    int Load(APStyleProject&, const std::string&) override { return 0; }
    void UpdateDocument(APStyleProject&) override {}
    int Save(APStyleProject&, const std::string& path) override
    {
        saved.push_back(path);
        return saveResult;
    }
    int SwapInDocument(APStyleProject&, std::uint32_t, std::uint32_t) override { return 0; }
    void RenumberInDocument(APStyleProject&, const IdRenumbering&) override {}

    std::vector<std::string> saved;
    int saveResult = 1;

private:
    ProjectFileIo* m_previous;
};

} // namespace

TEST_F(ResourceBuildTest, PacksPicturesAndStringsAndLeavesNoIdentifierHeaders)
{
    addPicture("a.png", gradient(4, 3));
    addPicture("b.bmp", blocks(5, 2));
    addStrings({{"OK", "OK", "好"}, {"EXIT", "Exit", "退出"}});
    platform::RecordingTraceSink traces;

    ASSERT_EQ(Outcome::Built, build()) << ::testing::PrintToString(m_errors);

    const auto entries = entriesOf(resFile());
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(4, entries[0].width);
    EXPECT_EQ(5, entries[1].width);
    packing::StrFileReader chinese;
    ASSERT_TRUE(chinese.load(path("case/out/t.Chinese"))) << chinese.error();
    EXPECT_EQ((std::vector<std::string>{"好", "退出"}), chinese.texts());
    EXPECT_EQ("OK 0\r\nEXIT 1\r\n", fileBytes(path("case/out/strvalue.txt")));
    EXPECT_FALSE(platform::pathExists(path("inc/pic.h")));
    EXPECT_FALSE(platform::pathExists(path("inc/str.h")));
    EXPECT_EQ((std::vector<std::string>{"English", "Chinese"}), m_style.languageSets);
    EXPECT_EQ((std::vector<std::string>{resFile()}), m_style.converterRuns);
    EXPECT_TRUE(m_style.lastReset);
    EXPECT_EQ((std::vector<std::string>{"正在创建图片资源...", "正在创建字符串资源..."}),
              m_ui.phases());
    EXPECT_EQ(2 + 5 * 2, m_ui.lastPosition());
    const auto& lines = traces.lines();
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "Full res count : 2 , ota: 0\n"));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "Gen Str file\n"));
}

TEST_F(ResourceBuildTest, SplitPackHoldsTheLaterLayersInLayerOrder)
{
    addPicture("five.png", gradient(5, 1), 5);
    addPicture("late.png", gradient(12, 1), 120);
    addPicture("next.png", gradient(10, 1), 101);
    m_options.splitPackStart = 100;

    ASSERT_EQ(Outcome::Built, build()) << ::testing::PrintToString(m_errors);

    packing::ResFileReader reader;
    ASSERT_TRUE(reader.load(resFile()));
    EXPECT_EQ(100, reader.header().startIndex);
    ASSERT_EQ(2u, reader.entries().size());
    EXPECT_EQ(10, reader.entries()[0].width); // PIC101
    EXPECT_EQ(12, reader.entries()[1].width); // PIC120
    EXPECT_FALSE(platform::pathExists(path("case/out/style0/t_OTA.res")));
    EXPECT_FALSE(m_style.lastReset);
}

TEST_F(ResourceBuildTest, ProjectWithoutResourcesRunsStyleGenerationOnly)
{
    EXPECT_EQ(Outcome::NothingToBuild, build());
    EXPECT_EQ(1, m_style.styleRuns);
    EXPECT_TRUE(m_style.converterRuns.empty());
    EXPECT_TRUE(m_ui.phases().empty());
    EXPECT_TRUE(m_ui.messages().empty());
    EXPECT_FALSE(platform::pathExists(path("case/out")));
}

TEST_F(ResourceBuildTest, SplitSizeBelowEveryEntryGivesOnePartEach)
{
    for (int i = 0; i < 3; ++i) {
        addPicture("p" + std::to_string(i) + ".png", gradient(6 + i, 4));
    }
    m_options.compress = true;
    m_options.splitSize = 1;

    ASSERT_EQ(Outcome::Built, build()) << ::testing::PrintToString(m_errors);

    for (int part = 0; part < 3; ++part) {
        packing::ResFileReader reader;
        ASSERT_TRUE(reader.load(path("case/out/style0/t_" + std::to_string(part) + ".res")));
        ASSERT_EQ(1u, reader.entries().size());
        EXPECT_EQ(6 + part, reader.entries()[0].width);
        EXPECT_EQ(part, reader.header().startIndex);
    }
    EXPECT_FALSE(platform::pathExists(path("case/out/style0/t_3.res")));
    EXPECT_EQ(3u, entriesOf(resFile()).size());
}

TEST_F(ResourceBuildTest, FailedSplitStopsAndWritesNoPart)
{
    addPicture("a.png", gradient(6, 4));
    addPicture("b.png", gradient(7, 4));
    // Parts are named by inserting before the last four characters: "t.r" has no room.
    m_project.SetResourceFile(path("case/out/t.r"));
    m_options.compress = true;
    m_options.splitSize = 1;

    EXPECT_EQ(Outcome::Stopped, build());

    // Nothing of the stopped build is in place.
    EXPECT_FALSE(platform::pathExists(path("case/out/t.r")));
    for (const auto& name : {"_0.r", "_0t.r", "t_0.r", "_1.r", "t_1.r"}) {
        EXPECT_FALSE(platform::pathExists(path(std::string("case/out/") + name))) << name;
    }
    ASSERT_EQ(1u, m_ui.messages().size());
    EXPECT_EQ(0u, m_ui.messages()[0].rfind("切分图片资源失败：", 0));
    EXPECT_TRUE(m_style.converterRuns.empty());
}

TEST_F(ResourceBuildTest, UnknownPixelFormatIsReportedBeforeAnythingRuns)
{
    addPicture("a.png", gradient(4, 3));
    m_options.format = 2;

    EXPECT_EQ(Outcome::Stopped, build());

    EXPECT_EQ((std::vector<std::string>{"图片格式无效（RES_FORMAT=2），无法创建资源文件！"}),
              m_ui.messages());
    EXPECT_EQ(0, m_style.styleRuns);
    EXPECT_FALSE(platform::pathExists(resFile()));
}

TEST_F(ResourceBuildTest, YesToTheSaveQuestionSavesTheProject)
{
    CountingFileIo io;
    m_project.SetProjectFilePath(path("t.ui"));
    m_project.SetModified(1);
    m_ui.queueAnswer(platform::Answer::Yes);

    build();

    EXPECT_EQ((std::vector<std::string>{"工程已被修改，需要保存？"}), m_ui.questions());
    EXPECT_EQ((std::vector<std::string>{path("t.ui")}), io.saved);
    EXPECT_EQ(0, m_project.Modified());
}

TEST_F(ResourceBuildTest, AWindowAsksBeforeTheBuildStartsAndTheBuildDoesNotAskAgain)
{
    CountingFileIo io;
    m_project.SetProjectFilePath(path("t.ui"));
    m_project.SetModified(1);
    m_ui.queueAnswer(platform::Answer::No);
    generate::ResourceBuild::offerSave(m_project);
    ASSERT_EQ(1u, m_ui.questions().size());
    m_options.saveOffered = true;

    build();

    EXPECT_EQ(1u, m_ui.questions().size());
    EXPECT_TRUE(io.saved.empty());
    EXPECT_EQ(1, m_project.Modified());
}

TEST_F(ResourceBuildTest, UnsavedProjectStaysModified)
{
    CountingFileIo io;
    m_project.SetProjectFilePath(path("t.ui"));
    m_project.SetModified(1);
    io.saveResult = 0;
    m_ui.queueAnswer(platform::Answer::Yes);
    build();
    EXPECT_EQ(1, m_project.Modified());

    io.saved.clear();
    m_ui.queueAnswer(platform::Answer::No);
    build();
    EXPECT_TRUE(io.saved.empty());
    EXPECT_EQ(1, m_project.Modified());
}

TEST_F(ResourceBuildTest, MissingPictureStopsBeforeAnyOutputChanges)
{
    const std::string picture = addPicture("a.png", gradient(4, 3));
    addStrings({{"OK", "OK", "好"}});
    ASSERT_EQ(Outcome::Built, build());
    const std::string before = fileBytes(resFile());
    const std::string strings = fileBytes(path("case/out/t.English"));
    platform::removeFile(picture);
    addPicture("b.png", gradient(2, 2));

    EXPECT_EQ(Outcome::Stopped, build());

    EXPECT_EQ((std::vector<std::string>{"某些图片无法找到，这些图片在列表中已显示红色！"}),
              m_ui.messages());
    EXPECT_EQ(before, fileBytes(resFile()));
    EXPECT_EQ(strings, fileBytes(path("case/out/t.English")));
}

TEST_F(ResourceBuildTest, UnwritableHeadersStopTheirPhase)
{
    addPicture("a.png", gradient(4, 3));
    addStrings({{"OK", "OK", "好"}});
    ASSERT_EQ(Outcome::Built, build());
    const std::string pictures = fileBytes(resFile());
    const std::string strings = fileBytes(path("case/out/t.English"));
    addPicture("b.png", gradient(2, 2));
    addStrings({{"NO", "No", "不"}});

    // The string header cannot be written: the build stops, and the picture file its picture
    // phase packed does not replace the one that goes with the string files.
    m_style.converterRuns.clear();
    platform::createDirectories(path("inc/str.h"));
    EXPECT_EQ(Outcome::Stopped, build());
    EXPECT_EQ((std::vector<std::string>{"无法打开文件：" + path("inc/str.h")}), m_ui.messages());
    EXPECT_EQ(pictures, fileBytes(resFile()));
    EXPECT_EQ(strings, fileBytes(path("case/out/t.English")));
    EXPECT_TRUE(m_style.converterRuns.empty());

    // The picture header cannot be written: nothing is packed.
    m_ui.clear();
    platform::removeFile(path("inc/str.h"));
    std::filesystem::remove(path("inc/str.h"));
    platform::createDirectories(path("inc/pic.h"));
    EXPECT_EQ(Outcome::Stopped, build());
    EXPECT_EQ((std::vector<std::string>{"无法打开文件：" + path("inc/pic.h")}), m_ui.messages());
    EXPECT_EQ(pictures, fileBytes(resFile()));
    EXPECT_EQ(strings, fileBytes(path("case/out/t.English")));
}

TEST_F(ResourceBuildTest, StyleAndDesktopFailures)
{
    addPicture("a.png", gradient(4, 3));
    m_style.styleSucceeds = false;
    EXPECT_EQ(Outcome::Stopped, build());
    EXPECT_EQ((std::vector<std::string>{"保存sty文件失败，无法创建资源文件！"}), m_ui.messages());
    EXPECT_FALSE(platform::pathExists(resFile()));

    m_ui.clear();
    m_style.styleSucceeds = true;
    m_style.desktopSucceeds = false;
    m_project.Desktop().create = 1;
    EXPECT_EQ(Outcome::BuiltWithErrors, build());
    EXPECT_EQ(
        (std::vector<std::string>{"生成.desktop文件失败！\n请确认.desktop相关的设置是否正确"}),
        m_ui.messages());
    EXPECT_TRUE(platform::pathExists(resFile()));
}

TEST_F(ResourceBuildTest, DebugModeKeepsTheIntermediateFiles)
{
    addPicture("a.png", blocks(30, 20), 3);
    m_options.compress = true;
    m_options.debugMode = true;
    m_options.splitPackStart = 0;

    ASSERT_EQ(Outcome::Built, build()) << ::testing::PrintToString(m_errors);

    const auto unpacked = entriesOf(path("case/out/style0/t_Debug_nolz4.res"));
    ASSERT_EQ(1u, unpacked.size());
    EXPECT_EQ(0, unpacked[0].compression);
    EXPECT_TRUE(platform::pathExists(path("case/out/style0/t_Debug.res")));
    EXPECT_TRUE(platform::pathExists(resFile() + ".Debug"));
    EXPECT_NE(0, entriesOf(resFile())[0].compression);
}

TEST_F(ResourceBuildTest, BuildingTwiceGivesTheSameFiles)
{
    addPicture("a.png", gradient(9, 7));
    addPicture("b.png", blocks(40, 12));
    addStrings({{"OK", "OK", "好"}});
    m_options.compress = true;
    ASSERT_EQ(Outcome::Built, build());
    const std::string pictures = fileBytes(resFile());
    const std::string strings = fileBytes(path("case/out/t.Chinese"));
    ASSERT_EQ(Outcome::Built, build());
    EXPECT_EQ(pictures, fileBytes(resFile()));
    EXPECT_EQ(strings, fileBytes(path("case/out/t.Chinese")));
}

// A picture file that is there but cannot be decoded would drop out of the pack and move
// every later picture down an index: the build stops naming it, and the last good outputs
// stay as they were.
TEST_F(ResourceBuildTest, UndecodablePictureStopsTheBuildBeforeAnyOutputIsReplaced)
{
    addPicture("a.png", gradient(9, 7), 5);
    const std::string late = addPicture("b.png", blocks(40, 12), 105);
    addPicture("c.png", gradient(3, 3), 106);
    m_options.compress = true;
    m_options.splitSize = 1;
    ASSERT_EQ(Outcome::Built, build()) << ::testing::PrintToString(m_errors);
    const std::vector<std::string> outputs{resFile(), path("case/out/style0/t_0.res"),
                                           path("case/out/style0/t_2.res")};
    std::vector<std::string> before;
    for (const std::string& output : outputs) {
        before.push_back(fileBytes(output));
        ASSERT_FALSE(before.back().empty()) << output;
    }
    const std::string png = fileBytes(late);
    // A truncated PNG, and an icon file that was given a PNG name.
    const std::string icon("\0\0\1\0\1\0\x10\x10\0\0\1\0\x20\0\x68\x04\0\0\x16\0\0\0", 22);
    for (const std::string& broken : {png.substr(0, png.size() / 2), icon}) {
        ASSERT_TRUE(platform::writeFileAtomically(late, broken));
        const std::size_t shown = m_ui.messages().size();

        EXPECT_EQ(Outcome::Stopped, build());

        ASSERT_EQ(shown + 1, m_ui.messages().size());
        const std::string message = m_ui.messages().back();
        EXPECT_EQ(0u, message.rfind("图片无法读取，无法创建资源文件：" + late + "\n", 0))
            << message;
        EXPECT_NE(std::string::npos, message.find("cannot decode picture")) << message;
        EXPECT_EQ((std::vector<std::string>{message}), m_errors);
        for (std::size_t i = 0; i < outputs.size(); ++i) {
            EXPECT_EQ(before[i], fileBytes(outputs[i])) << outputs[i];
        }
        EXPECT_FALSE(platform::pathExists(path("case/out/style0/t_3.res")));
        EXPECT_FALSE(platform::pathExists(path("inc/pic.h")));
    }
}

// The decoder passes over chunk CRCs: a picture damaged inside its pixel data still decodes,
// to other pixels. It is packed and named in one warning, or with strict options refused.
TEST_F(ResourceBuildTest, PictureFailingItsCrcIsNamedOrWithStrictOptionsRefused)
{
    const std::string damaged = addPicture("a.png", gradient(4, 2));
    addPicture("b.png", gradient(3, 3));
    std::string png = testsupport::PngBytes(4, 2, 2, std::string(24, '\x50')).stored().bytes();
    png[testsupport::PngBytes::dataOffset(png, "IDAT") + 9] ^= 0x7F;
    ASSERT_TRUE(platform::writeFileAtomically(damaged, png));

    ASSERT_EQ(Outcome::Built, build()) << ::testing::PrintToString(m_errors);
    ASSERT_EQ(1u, m_ui.messages().size());
    const std::string expected = damaged + ": damaged picture: CRC of its IDAT chunk at byte 33 " +
                                 "does not match; packed as it decodes";
    EXPECT_EQ(m_ui.messages()[0], "以下图片已损坏，已按解码结果打包：\n" + expected);
    EXPECT_EQ(entriesOf(resFile()).size(), 2u);
    const std::string packed = fileBytes(resFile());

    m_options.strict = true;
    EXPECT_EQ(Outcome::Stopped, build());
    ASSERT_EQ(2u, m_ui.messages().size());
    EXPECT_EQ(m_ui.messages()[1], "图片无法读取，无法创建资源文件：" + damaged +
                                      "\ndamaged picture: CRC of its IDAT chunk at byte 33 does "
                                      "not match (" +
                                      damaged + ")");
    EXPECT_EQ(packed, fileBytes(resFile()));
}

// The split pack reads the first file carrying a layer, which need not be one the full pack
// read: one that cannot be decoded stops the build there too.
TEST_F(ResourceBuildTest, UndecodableSplitPackPictureStopsTheBuild)
{
    addPicture("b.png", gradient(4, 3), 101);
    m_options.splitPackStart = 100;
    ASSERT_EQ(Outcome::Built, build()) << ::testing::PrintToString(m_errors);
    const std::string before = fileBytes(resFile());
    const std::string carrier = path("case/pics/a.png");
    ASSERT_TRUE(platform::writeFileAtomically(carrier, "not a picture"));
    m_project.LayerMap()[m_project.StoredPicturePath(carrier)] = 101;

    EXPECT_EQ(Outcome::Stopped, build());

    ASSERT_EQ(1u, m_ui.messages().size());
    EXPECT_EQ(0u, m_ui.messages()[0].rfind("图片无法读取，无法创建资源文件：" + carrier + "\n", 0))
        << m_ui.messages()[0];
    EXPECT_EQ(before, fileBytes(resFile()));
    EXPECT_FALSE(platform::pathExists(path("case/out/style0/t_OTA.res")));
}
