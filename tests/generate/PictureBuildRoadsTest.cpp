// A normal build compresses each picture while packing it and writes the compressed file at
// once; debug mode writes the plain file and compresses it afterwards, as builds always did.
// Both roads must leave the same files, byte for byte.

#include "components/packing/CZorRes.h"
#include "components/packing/DazOR4.h"
#include "generate/ResourceBuild.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"
#include "support/PictureSetProject.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct Road
{
    const char* name;
    int format;
    int compressType;
    int quality;
    bool rawJpeg;
    int tileWidth;
    int tileHeight;
    int splitPackStart;
    std::int64_t splitSize;
};

using Files = std::map<std::string, std::string>;

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The split pack of the pictures from layer 15 on (pictures 5..11), packed straight from
// their files and compressed after, as the split pack was always made.
std::string splitPackReference(const std::string& root, const Road& road)
{
    CZorRes packer;
    for (int i = 5; i < 12; ++i) {
        const std::string path = testsupport::PictureSetProject::writePicture(root, i, 37, 23);
        EXPECT_EQ(1, packer.AddPicture("PIC", path, 1, 1, static_cast<PIC_RES_FORMAT>(road.format),
                                       road.quality, 0, 0, road.rawJpeg ? 1 : 0));
    }
    EXPECT_EQ(1, packer.SaveFile(root + "/plain.res", road.splitPackStart, 0, 0, 0));
    DazOR4 compressor;
    EXPECT_TRUE(compressor.res_pic_compress(root + "/plain.res", root + "/packed.res", true));
    return readAll(root + "/packed.res");
}

// Builds twelve generated pictures of every kind below `root` and returns the files of the
// output folder, without the copies only debug mode keeps.
Files build(const std::string& root, const Road& road, bool debugMode)
{
    fs::create_directories(root);
    testsupport::PictureSetProject set(root, "t", 12, 37, 23);
    APStyleProject& project = set.project();
    for (std::size_t i = 0; i < set.paths().size(); ++i) {
        // Layers 10..21; from 15 on in the split pack, among them pictures packed with an
        // alpha plane in the full file (4, 8) and without (the rest).
        project.LayerMap()[project.StoredPicturePath(set.paths()[i])] = 10 + static_cast<int>(i);
        if (i % 4 == 0) {
            project.Pictures().SetAlphaFormat(i, 8);
        }
    }
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    generate::ResourceBuildOptions options;
    options.format = road.format;
    options.compress = true;
    options.compressType = road.compressType;
    options.quality = road.quality;
    options.rawJpeg = road.rawJpeg;
    options.tileWidth = road.tileWidth;
    options.tileHeight = road.tileHeight;
    options.splitPackStart = road.splitPackStart;
    options.splitSize = road.splitSize;
    options.debugMode = debugMode;
    EXPECT_EQ(generate::ResourceBuild::Outcome::Built,
              generate::ResourceBuild(project, set.style(), options).run());
    Files files;
    for (const auto& entry : fs::directory_iterator(root + "/case/out")) {
        const std::string name = entry.path().filename().string();
        if (name.find("_Debug") != std::string::npos || name.find(".Debug") != std::string::npos) {
            continue;
        }
        files[name] = readAll(entry.path().string());
    }
    return files;
}

class PictureBuildRoads : public ::testing::TestWithParam<Road>
{
protected:
    platform::TemporaryDirectory m_dir{"roads"};
};

TEST_P(PictureBuildRoads, CompressingWhilePackingGivesTheFilesOfCompressingAfter)
{
    const Road& road = GetParam();
    const Files after = build(m_dir.filePath("after"), road, true);
    const Files ahead = build(m_dir.filePath("ahead"), road, false);
    ASSERT_TRUE(after.count("t.res"));
    EXPECT_EQ(road.splitSize > 0, after.count("t_0.res") == 1);
    ASSERT_EQ(after.size(), ahead.size());
    for (const auto& [name, bytes] : after) {
        ASSERT_TRUE(ahead.count(name)) << name;
        EXPECT_TRUE(ahead.at(name) == bytes) << name;
    }
    if (road.splitPackStart >= 0) {
        fs::create_directories(m_dir.filePath("reference"));
        EXPECT_TRUE(splitPackReference(m_dir.filePath("reference"), road) == after.at("t.res"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Options, PictureBuildRoads,
    ::testing::Values(Road{"Lz4Parts", 1, 2, 1, true, 0, 0, -1, 3000},
                      Road{"RleTiledSmallestSplitPack", 0, 1, 0, false, 16, 8, 15, 0},
                      Road{"Lz4SplitPackArgb888", 3, 2, 1, true, 0, 0, 15, 0},
                      Road{"NoChoiceLargeTilesWatch", 5, 0, 1, false, 64, 64, -1, 1}),
    [](const ::testing::TestParamInfo<Road>& info) { return std::string(info.param.name); });

} // namespace
