// The build options dialog without its widgets: loading the settings, the switch rules, the
// differential project, what OK hands to the build and stores; the shared parameter block.

#include "generate/BuildResDialogModel.h"
#include "generate/SharedParameterBlock.h"
#include "model/APStyleProject.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "platform/SharedMemory.h"
#include "platform/TemporaryDirectory.h"
#include "projectfile/SettingsAccessor.h"
#include "projectfile/StandardProjectFileIo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <stdexcept>

using generate::BuildResDialogModel;

namespace {

class BuildResDialog : public ::testing::Test
{
protected:
    std::string ini() const { return m_dir.filePath("SkinSmith.ini"); }
    std::string key(std::string_view name) const
    {
        return SettingsAccessor(ini()).readText("CONFIG", name, "<missing>");
    }

    platform::TemporaryDirectory m_dir;
};

} // namespace

TEST_F(BuildResDialog, OpensWithTheStoredValuesAndTheRules)
{
    platform::writeFileAtomically(ini(), "; build settings\n[CONFIG]\nRES_MODE=1\nEN_SPLITRES=1\n"
                                         "SPLITRES_SIZE=3\nEN_SPLITPACK=1\nSPLITPACK_START=7\n"
                                         "EN_TILE=1\nTILE_WIDTH=16\nTILE_HEIGHT=abc\n"
                                         "COMPRESS_TYPE=1\nRAW_JPEG=0\nJPG_QUALITY=80\n");
    BuildResDialogModel dialog(ini(), 42);
    dialog.load();
    EXPECT_EQ("(0-42)", dialog.rangeLabel());
    EXPECT_FALSE(dialog.bestQuality());
    // Both splits on in a hand-edited file: the differential pack wins, never both.
    EXPECT_TRUE(dialog.splitPack());
    EXPECT_FALSE(dialog.splitRes());
    EXPECT_TRUE(dialog.splitPackStartEnabled());
    EXPECT_FALSE(dialog.splitResSizeEnabled());
    EXPECT_EQ("7", dialog.splitPackStartText);
    EXPECT_EQ("3", dialog.splitResSizeText);
    EXPECT_TRUE(dialog.tileEditsEnabled());
    EXPECT_EQ("abc", dialog.tileHeightText);
    EXPECT_EQ(BuildResDialogModel::kSelectionRle, dialog.compressSelection());
    EXPECT_FALSE(dialog.jpegEditsEnabled());
    EXPECT_EQ("80", dialog.jpegTexts[BuildResDialogModel::JpegQuality]);

    dialog.setSplitRes(true);
    EXPECT_FALSE(dialog.splitPack());
    EXPECT_FALSE(dialog.splitPackStartEnabled());
    dialog.setSplitPack(true);
    EXPECT_FALSE(dialog.splitRes());
    dialog.setSplitPack(false);
    EXPECT_FALSE(dialog.splitRes()); // unchecking one does not check the other
}

TEST_F(BuildResDialog, MissingFileOpensWithDefaults)
{
    BuildResDialogModel dialog(ini(), 1);
    dialog.load();
    EXPECT_TRUE(dialog.bestQuality());
    EXPECT_FALSE(dialog.splitPack() || dialog.splitRes() || dialog.tile() || dialog.rawJpeg());
    EXPECT_EQ("0", dialog.splitPackStartText);
    EXPECT_EQ(BuildResDialogModel::kSelectionLz4, dialog.compressSelection());
}

TEST_F(BuildResDialog, DifferentialPackWithStart12)
{
    BuildResDialogModel dialog(ini(), 30);
    dialog.load();
    dialog.setSplitPack(true);
    dialog.splitPackStartText = "12";
    dialog.setSplitRes(false);
    dialog.splitResSizeText = "5";
    dialog.setCompressSelection(BuildResDialogModel::kSelectionRle);
    ASSERT_TRUE(dialog.accept());
    EXPECT_EQ(12, dialog.splitPackStart());
    EXPECT_EQ(0, dialog.splitSize());
    EXPECT_EQ(1, dialog.compressType());

    generate::ResourceBuildOptions options;
    options.splitSize = 99;
    dialog.applyTo(options);
    EXPECT_EQ(12, options.splitPackStart);
    EXPECT_EQ(0, options.splitSize);
    EXPECT_EQ(1, options.compressType);
    EXPECT_EQ("1", key("EN_SPLITPACK"));
    EXPECT_EQ("12", key("SPLITPACK_START"));
    EXPECT_EQ("0", key("EN_SPLITRES"));
    EXPECT_EQ("5", key("SPLITRES_SIZE"));
    EXPECT_EQ("1", key("COMPRESS_TYPE"));
}

TEST_F(BuildResDialog, SplitResOfTwoMegabytesAndTheOtherKeys)
{
    platform::writeFileAtomically(ini(), "; keep me\n[CONFIG]\nRES_FORMAT=3\n");
    BuildResDialogModel dialog(ini(), 30);
    dialog.load();
    dialog.setSplitRes(true);
    dialog.splitResSizeText = "2";
    dialog.splitPackStartText = "12";
    dialog.setBestQuality(false);
    dialog.tileWidthText = "16"; // tiles off: not taken
    dialog.setCompressSelection(BuildResDialogModel::kSelectionLz4);
    dialog.setRawJpeg(true);
    dialog.jpegTexts[BuildResDialogModel::JpegMinWidth] = "64";
    ASSERT_TRUE(dialog.accept());
    EXPECT_EQ(2097152, dialog.splitSize());
    EXPECT_EQ(-1, dialog.splitPackStart());
    EXPECT_EQ(0, dialog.quality());
    EXPECT_EQ(0, dialog.tileWidth());
    EXPECT_EQ(2, dialog.compressType());
    EXPECT_EQ("1", key("RES_MODE"));
    EXPECT_EQ("16", key("TILE_WIDTH"));
    EXPECT_EQ("0", key("EN_TILE"));
    EXPECT_EQ("1", key("RAW_JPEG"));
    EXPECT_EQ("64", key("JPG_MIN_WIDTH"));
    EXPECT_EQ("", key("JPG_QUALITY"));
    // Lines the dialog does not own stay as they were.
    const std::string text = platform::readFile(ini()).value_or("");
    EXPECT_EQ(0u, text.find("; keep me\n[CONFIG]\nRES_FORMAT=3\n")) << text;

    dialog.setTile(true);
    dialog.tileHeightText = "x8"; // no number: 0, stored as typed
    dialog.accept();
    EXPECT_EQ(16, dialog.tileWidth());
    EXPECT_EQ(0, dialog.tileHeight());
    EXPECT_EQ("x8", key("TILE_HEIGHT"));

    // Written values open the next dialog as they were left.
    BuildResDialogModel next(ini(), 30);
    next.load();
    EXPECT_TRUE(next.splitRes());
    EXPECT_FALSE(next.bestQuality());
    EXPECT_TRUE(next.jpegEditsEnabled());
}

TEST_F(BuildResDialog, DifferentialProjectGivesItsNextLayerIdAndResourceFile)
{
    projectfile::InstallProjectFileIo();
    const std::string copy = m_dir.filePath("old");
    std::filesystem::copy(std::string(SKINSMITH_SOURCE_DIR) + "/examples/demo", copy,
                          std::filesystem::copy_options::recursive);
    platform::ScriptedInteraction script;
    platform::ScopedInteraction scope(script);

    BuildResDialogModel dialog(ini(), 3);
    dialog.load();
    script.queueCancel();
    EXPECT_FALSE(dialog.chooseDifferentialProject());
    EXPECT_EQ("0", dialog.splitPackStartText);

    script.queuePath(copy + "/demo.ui");
    EXPECT_TRUE(dialog.chooseDifferentialProject());
    EXPECT_EQ("选择差分工程", script.records().back().text);
    EXPECT_EQ("12", dialog.splitPackStartText); // the demo's layer ids run to 11
    EXPECT_EQ(copy + "/case/images/apps/demo/style0/demo.res", dialog.differentialProjectPath());
    EXPECT_EQ(nullptr, APStyleProject::Current());

    // A file that is no project leaves the start edit alone.
    platform::writeFileAtomically(m_dir.filePath("bad.ui"), "not a project");
    dialog.splitPackStartText = "5";
    EXPECT_FALSE(dialog.loadDifferentialProject(m_dir.filePath("bad.ui")));
    EXPECT_EQ("5", dialog.splitPackStartText);
}

TEST(SharedParameterBlock, PublishedOnlyAroundTheBuild)
{
    const int seen = generate::runWithSharedParameterBlock([] {
        platform::SharedMemory reader;
        if (!reader.open(generate::SharedParameterBlock::kName)) {
            return -1;
        }
        const auto* bytes = static_cast<const unsigned char*>(reader.data());
        std::uint32_t marker = 0;
        std::memcpy(&marker, bytes, 4);
        int nonZero = 0;
        for (std::size_t i = 8; i < generate::SharedParameterBlock::kSize; ++i) {
            nonZero += bytes[i] != 0;
        }
        return marker == generate::SharedParameterBlock::kMarker && reader.size() >= 32 ? nonZero
                                                                                        : -2;
    });
    EXPECT_EQ(0, seen);
    platform::SharedMemory after;
    EXPECT_FALSE(after.open(generate::SharedParameterBlock::kName));

    EXPECT_THROW(generate::runWithSharedParameterBlock(
                     []() -> int { throw std::runtime_error("build failed"); }),
                 std::runtime_error);
    EXPECT_FALSE(after.open(generate::SharedParameterBlock::kName));
}
