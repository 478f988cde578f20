// The flash budget report over real builds: the example project and generated picture sets, in
// every picture file configuration the build makes.

#include "components/PackingTestPictures.h"
#include "components/packing/ResFileReader.h"
#include "generate/BudgetReport.h"
#include "generate/BudgetReportWriter.h"
#include "generate/ReportOutputs.h"
#include "generate/ResourceBuild.h"
#include "generate/UnattendedBuild.h"
#include "generate/WhatIfSizes.h"
#include "model/APStyleProject.h"
#include "platform/ScriptedInteraction.h"
#include "projectfile/ProjectFileReader.h"
#include "support/PictureSetProject.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <numeric>
#include <sstream>
#include <algorithm>
#include <chrono>

namespace fs = std::filesystem;
using generate::BudgetReport;

namespace {

std::map<std::string, std::vector<std::uint8_t>> filesBelow(const fs::path& root)
{
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), root).string()] =
                packingtest::readBytes(entry.path().string());
        }
    }
    return files;
}

// The picture file's size, read from the file system, is the pictures' stored bytes plus its
// header and entry table; each picture's share is its entry's data and at most 3 bytes of
// padding.
void expectPicturesAddUp(const BudgetReport& report)
{
    ASSERT_FALSE(report.pictureFile.empty());
    packing::ResFileReader reader;
    ASSERT_TRUE(reader.load(report.pictureFile)) << reader.error();
    const std::uint64_t onDisk = fs::file_size(report.pictureFile);
    const std::size_t n = reader.entries().size();
    EXPECT_EQ(onDisk, report.pictureFileBytes);
    EXPECT_EQ(packing::kResHeaderSize + packing::kResEntrySize * n, report.pictureFileOverhead);
    EXPECT_EQ(onDisk, report.PictureBytes() + report.pictureFileOverhead);
    ASSERT_EQ(n, report.pictures.size());
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t data = reader.entries()[i].size;
        EXPECT_GE(report.pictures[i].storedBytes, data) << i;
        EXPECT_LT(report.pictures[i].storedBytes, data + packing::kResDataAlignment) << i;
    }
}

class ExampleReport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs::copy(fs::path(SKINSMITH_SOURCE_DIR) / "examples/demo", m_root,
                 fs::copy_options::recursive);
        m_before = filesBelow(m_root);
        ProjectFileReader reader(m_project);
        ASSERT_TRUE(reader.Load((m_root / "demo.ui").string()));
        APStyleProject::SetCurrent(&m_project);
    }
    void TearDown() override { APStyleProject::SetCurrent(nullptr); }

    packingtest::TempDir m_dir;
    fs::path m_root = m_dir.file("demo");
    std::map<std::string, std::vector<std::uint8_t>> m_before;
    platform::ScriptedInteraction m_ui;
    platform::ScopedInteraction m_scope{m_ui};
    APStyleProject m_project;
};

TEST_F(ExampleReport, ScratchBuildAddsUpAndLeavesTheProjectAlone)
{
    std::string scratch;
    {
        generate::ReportOutputs outputs(m_project);
        EXPECT_FALSE(outputs.UsePrevious()); // never built
        ASSERT_TRUE(outputs.BuildInScratch({})) << outputs.reason();
        scratch = outputs.scratchFolder();
        BudgetReport report;
        std::string error;
        ASSERT_TRUE(BudgetReport::Read(m_project, outputs.outputs(), report, error)) << error;
        expectPicturesAddUp(report);

        // Every language file is its strings' bytes plus a 16-byte header.
        std::uint64_t languageBytes = 0;
        for (const BudgetReport::Language& language : report.languages) {
            EXPECT_EQ(fs::file_size(language.path), language.bytes);
            languageBytes += language.bytes;
        }
        ASSERT_EQ(3u, report.languages.size());
        EXPECT_EQ(16u * report.languages.size(), report.stringFileOverhead);
        EXPECT_EQ(languageBytes, report.StringBytes() + report.stringFileOverhead);

        // Scenes list what they share (BACK is in all three), the totals count it once.
        ASSERT_EQ(3u, report.scenes.size());
        std::uint64_t sceneStrings = 0;
        std::vector<int> seen(report.pictures.size(), 0);
        for (const BudgetReport::Scene& scene : report.scenes) {
            sceneStrings += scene.stringBytes;
            for (const std::size_t index : scene.pictures) {
                ++seen.at(index);
            }
        }
        EXPECT_GT(sceneStrings, report.StringBytes());
        EXPECT_EQ(std::count(seen.begin(), seen.end(), 0), 0) << "a packed picture in no scene";

        std::uint64_t outputBytes = 0;
        for (const BudgetReport::File& file : report.files) {
            outputBytes += fs::file_size(file.path);
        }
        EXPECT_EQ(outputBytes, report.TotalFileBytes());
        EXPECT_TRUE(report.unused.empty());
        EXPECT_TRUE(report.identical.empty());
        EXPECT_TRUE(report.oversized.empty());
        ASSERT_FALSE(report.largest.empty());
        EXPECT_EQ(report.largest.front().bytes, 153600u); // a full-screen RGB565 background
        EXPECT_TRUE(std::is_sorted(report.largest.begin(), report.largest.end(),
                                   [](const BudgetReport::Item& a, const BudgetReport::Item& b) {
                                       return a.bytes > b.bytes;
                                   }));
    }
    EXPECT_FALSE(fs::exists(scratch));
    EXPECT_EQ(m_before, filesBelow(m_root));
}

TEST_F(ExampleReport, PreviousOutputsAreUsedOnlyWhileCurrent)
{
    generate::ResourceBuildOptions options;
    options.unattended = true;
    std::ostringstream messages;
    ASSERT_EQ(generate::UnattendedBuild::kBuilt,
              generate::UnattendedBuild((m_root / "demo.ui").string(), options, messages).Run())
        << messages.str();
    APStyleProject::SetCurrent(&m_project);
    generate::ReportOutputs outputs(m_project);
    ASSERT_TRUE(outputs.UsePrevious()) << outputs.reason();
    EXPECT_TRUE(outputs.scratchFolder().empty());
    BudgetReport report;
    std::string error;
    ASSERT_TRUE(BudgetReport::Read(m_project, outputs.outputs(), report, error)) << error;
    expectPicturesAddUp(report);
    EXPECT_EQ(fs::path(report.pictureFile), fs::path(m_project.ResourceFile()));

    // A picture changed after the build makes the outputs stale.
    const std::string picture = m_project.ResolvePath(
        m_project.Pictures().At(m_project.UsedPictures().front()).path, false);
    fs::last_write_time(picture, fs::file_time_type::clock::now() + std::chrono::hours(1));
    EXPECT_FALSE(outputs.UsePrevious());
    EXPECT_NE(std::string::npos, outputs.reason().find(fs::path(picture).filename().string()));
}

TEST_F(ExampleReport, UnusedAndIdenticalPicturesAreWaste)
{
    // A copy of a used picture, registered under another name and used by no scene.
    const std::string used = m_project.ResolvePath(m_project.Pictures().At(0).path, false);
    const std::string copy = (fs::path(used).parent_path() / "copy_of_it.png").string();
    fs::copy_file(used, copy);
    ASSERT_NE(0u, m_project.AddPicture(copy, 1));
    m_project.SetScreenWidth(200); // the backgrounds are 320 wide

    generate::ReportOutputs outputs(m_project);
    ASSERT_TRUE(outputs.BuildInScratch({})) << outputs.reason();
    BudgetReport report;
    std::string error;
    ASSERT_TRUE(BudgetReport::Read(m_project, outputs.outputs(), report, error)) << error;
    expectPicturesAddUp(report);
    ASSERT_EQ(1u, report.unused.size());
    EXPECT_EQ("COPY_OF_IT", report.unused[0].name);
    EXPECT_EQ(fs::file_size(copy), report.unused[0].fileBytes);
    ASSERT_EQ(1u, report.identical.size());
    EXPECT_EQ((std::vector<std::size_t>{0, m_project.Pictures().Size() - 1}), report.identical[0]);
    ASSERT_EQ(2u, report.oversized.size());
    for (const std::size_t index : report.oversized) {
        EXPECT_EQ(320, report.pictures[index].width);
    }
}

// A generated picture set built with `options`, its report read back.
class GeneratedReport : public ::testing::TestWithParam<int>
{
protected:
    BudgetReport build(generate::ResourceBuildOptions options)
    {
        options.saveOffered = true;
        generate::ResourceBuild build(m_set.project(), m_set.style(), options);
        const auto outcome = build.run();
        EXPECT_EQ(generate::ResourceBuild::Outcome::Built, outcome);
        std::vector<std::string> outputs;
        for (const auto& output : build.summary().outputs) {
            outputs.push_back(output.path);
        }
        BudgetReport report;
        std::string error;
        EXPECT_TRUE(
            BudgetReport::Read(m_set.project(), outputs, report, error, options.splitPackStart))
            << error;
        return report;
    }

    std::vector<std::size_t> positionsOf(const BudgetReport& report)
    {
        std::vector<std::size_t> positions;
        for (const auto& picture : report.pictures) {
            positions.push_back(picture.registry);
        }
        return positions;
    }

    packingtest::TempDir m_dir;
    platform::ScriptedInteraction m_ui;
    platform::ScopedInteraction m_scope{m_ui};
    testsupport::PictureSetProject m_set{m_dir.file(""), "gen", 12, 40, 30};
};

generate::ResourceBuildOptions configuration(int which, const APStyleProject& project)
{
    generate::ResourceBuildOptions options;
    switch (which) {
    case 1:
        options.format = 3; // ARGB8888, LZ4
        options.compress = true;
        break;
    case 2:
        options.format = 1; // ARGB565, RLE in tiles, smallest
        options.compress = true;
        options.compressType = 1;
        options.tileWidth = 16;
        options.tileHeight = 8;
        options.quality = 0;
        break;
    case 3:
        options.format = 7; // cut into parts
        options.compress = true;
        options.splitSize = 3000;
        options.rawJpeg = true;
        break;
    case 4: {
        options.format = 4; // only the later half of the layers
        std::vector<int> layers;
        for (const auto& [path, layer] : project.LayerMap()) {
            layers.push_back(layer);
        }
        std::sort(layers.begin(), layers.end());
        options.splitPackStart = layers.at(layers.size() / 2);
        break;
    }
    default:
        break;
    }
    return options;
}

TEST_P(GeneratedReport, PicturesAddUpToThePictureFile)
{
    const generate::ResourceBuildOptions options = configuration(GetParam(), m_set.project());
    const BudgetReport report = build(options);
    expectPicturesAddUp(report);
    EXPECT_EQ(options.splitPack() ? 6u : 12u, report.pictures.size());
    if (options.splitSize > 0) {
        EXPECT_GT(report.files.size(), 2u) << "no parts written";
    }
    // Computing the same options again with the packer gives every picture's bytes exactly.
    if (!options.splitPack()) {
        generate::WhatIfSizes same;
        std::string error;
        ASSERT_TRUE(generate::WhatIfSizes::Compute(m_set.project(), positionsOf(report), options,
                                                   same, error))
            << error;
        EXPECT_EQ(report.pictureFileBytes, same.fileBytes);
        for (std::size_t i = 0; i < report.pictures.size(); ++i) {
            EXPECT_EQ(report.pictures[i].storedBytes, same.bytes.at(i)) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Configurations, GeneratedReport, ::testing::Values(0, 1, 2, 3, 4));

TEST_F(GeneratedReport, SplitPackFromLayerZeroFollowsTheLayers)
{
    // Layers in reverse registry order, from 0: the split-pack file holds every picture, last
    // registered first, and starts at index 0 like a full file.
    auto& layers = m_set.project().LayerMap();
    std::vector<std::string> paths;
    for (const auto& [path, layer] : layers) {
        paths.push_back(path);
    }
    for (const std::string& path : paths) {
        const int position = m_set.project().Pictures().Find(path);
        ASSERT_GE(position, 0);
        layers[path] = 11 - position;
    }
    generate::ResourceBuildOptions options;
    options.splitPackStart = 0;
    const BudgetReport report = build(options);
    expectPicturesAddUp(report);
    ASSERT_EQ(12u, report.pictures.size());
    for (std::size_t i = 0; i < report.pictures.size(); ++i) {
        EXPECT_EQ(11 - i, report.pictures[i].registry) << i;
    }
}

TEST_F(GeneratedReport, WhatIfConvertsEveryPicture)
{
    generate::ResourceBuildOptions options;
    options.compress = true;
    const BudgetReport report = build(options);
    generate::ResourceBuildOptions other;
    other.format = 3; // ARGB8888, uncompressed: 4 bytes a pixel, JPEGs converted too
    generate::WhatIfSizes sizes;
    std::string error;
    ASSERT_TRUE(
        generate::WhatIfSizes::Compute(m_set.project(), positionsOf(report), other, sizes, error))
        << error;
    EXPECT_EQ("ARGB8888", sizes.format);
    EXPECT_EQ("none", sizes.compression);
    ASSERT_EQ(report.pictures.size(), sizes.bytes.size());
    for (const std::uint64_t bytes : sizes.bytes) {
        EXPECT_EQ(40u * 30u * 4u, bytes);
    }
    EXPECT_EQ(16u + 16u * 12u + 12u * 40u * 30u * 4u, sizes.fileBytes);

    // Compressed smaller than raw somewhere, and the ratio says so.
    EXPECT_TRUE(std::any_of(report.pictures.begin(), report.pictures.end(),
                            [](const BudgetReport::Picture& p) { return p.ratio() > 1.0; }));

    // A picture that cannot be read is an error, not a size.
    fs::remove(m_set.paths().front());
    EXPECT_FALSE(
        generate::WhatIfSizes::Compute(m_set.project(), positionsOf(report), other, sizes, error));
    EXPECT_NE(std::string::npos, error.find("p0.png")) << error;
}

TEST_F(GeneratedReport, DamagedOrForeignOutputsAreRefused)
{
    BudgetReport report = build({});
    const std::string resFile = report.pictureFile;
    std::string error;
    std::vector<std::uint8_t> bytes = packingtest::readBytes(resFile);
    // One picture fewer in the project than in the file: not this project's file.
    m_set.project().UsedPictures().pop_back();
    EXPECT_FALSE(BudgetReport::Read(m_set.project(), {}, report, error));
    EXPECT_NE(std::string::npos, error.find("holds 12 pictures where the project uses 11"))
        << error;
    // A file cut short.
    bytes.resize(bytes.size() / 2);
    packingtest::writeBytes(resFile, bytes);
    EXPECT_FALSE(BudgetReport::Read(m_set.project(), {}, report, error));
    EXPECT_NE(std::string::npos, error.find("cannot read the picture file")) << error;
}

TEST(BudgetReportWriter, HtmlIsSelfContainedAndEscaped)
{
    BudgetReport report;
    report.project = "<a&b>.ui";
    report.pictureFile = "x.res";
    BudgetReport::Picture picture;
    picture.name = "PIC<1>";
    picture.storedBytes = 100;
    picture.rawBytes = 400;
    report.pictures.push_back(picture);
    report.largest.push_back({"picture", "PIC<1>", 100});
    const std::string html = generate::BudgetReportWriter::Html(report);
    EXPECT_NE(std::string::npos, html.find("<svg"));
    EXPECT_EQ(std::string::npos, html.find("<script"));
    EXPECT_EQ(std::string::npos,
              html.find("http://www.w3.org/1999")); // nothing but the SVG namespace
    EXPECT_EQ(std::string::npos, html.find("src="));
    EXPECT_EQ(std::string::npos, html.find("PIC<1>"));
    EXPECT_NE(std::string::npos, html.find("PIC&lt;1&gt;"));
    EXPECT_NE(std::string::npos, html.find("&lt;a&amp;b&gt;.ui"));

    const std::string json = generate::BudgetReportWriter::Json(report);
    EXPECT_NE(std::string::npos, json.find("\"ratio\": 4.00"));
    report.project = "a\"b\\c\n";
    EXPECT_NE(std::string::npos,
              generate::BudgetReportWriter::Json(report).find("\"a\\\"b\\\\c\\u000a\""));
}

} // namespace
