// Project file speed, read against the floors of TinyXML alone on the same file:
// BM_Load / BM_ParseFloor is what reading the model costs on top of parsing the XML
// (target: at most 2), BM_Save / BM_PrintFloor what updating the document in place and the
// crash-safe write cost on top of printing it (target: at most 2).
//
// The project: 100 scenes of 100 elements each (10,000 in all): a top group holding nine
// nested groups, each with five pictures or three-frame regions and five strings. The
// pictures name a few real PNG files, so that a save reads their headers.

#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"
#include "platform/UserInteraction.h"
#include "projectfile/ProjectFileReader.h"
#include "projectfile/ProjectFileWriter.h"

#include <benchmark/benchmark.h>
#include <stb/stb_image_write.h>
#include <tinyxml.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kScenes = 100;
constexpr int kGroupsPerScene = 9;
constexpr int kLeavesPerKind = 5;
constexpr int kPictureFiles = 4;
constexpr int kStrings = 50;

// Every string of the project has a text in one language.
std::uint32_t ImportAll(StringRegistry& into, const std::string&, std::uint32_t firstId)
{
    for (int i = 0; i < kStrings; ++i) {
        StringRecord& record = into.Append(firstId++, "STR" + std::to_string(i));
        record.textCount = 1;
        record.texts[0] = "text " + std::to_string(i);
    }
    return firstId;
}

void WritePictures(const std::string& folder)
{
    platform::createDirectories(folder);
    for (int i = 0; i < kPictureFiles; ++i) {
        const int channels = i % 2 == 0 ? 4 : 3;
        std::vector<unsigned char> pixels(static_cast<std::size_t>(32 * 32 * channels),
                                          static_cast<unsigned char>(40 * i));
        const std::string path = folder + "/pic" + std::to_string(i) + ".png";
        stbi_write_png(path.c_str(), 32, 32, channels, pixels.data(), 32 * channels);
    }
}

void FillGroup(CCanvasSnapShotItem& group, int& picture, int& string)
{
    for (int i = 0; i < kLeavesPerKind; ++i) {
        auto* pic = static_cast<PicSnapshotItem*>(group.AddChild(SnapShotItem::kPicture, i % 2));
        const int frames = pic->IsSingle() ? 1 : 3;
        pic->Frames().clear();
        for (int f = 0; f < frames; ++f) {
            PicFrame frame;
            frame.path =
                ".\\images\\apps\\p\\pic" + std::to_string(picture++ % kPictureFiles) + ".png";
            frame.id = 1 + (picture % kPictureFiles);
            pic->Frames().push_back(frame);
        }
        PicItemInfo info = pic->PicInfo();
        info.frameCount = static_cast<std::uint16_t>(frames);
        info.x = static_cast<std::int16_t>(4 * i);
        pic->SetPicInfo(info);
        auto* text = static_cast<StringSnapShotItem*>(group.AddChild(SnapShotItem::kString, 0));
        text->TextStore().identifier = "STR" + std::to_string(string++ % kStrings);
    }
}

// Writes the generated project once; returns its path.
const std::string& ProjectPath()
{
    static platform::TemporaryDirectory folder("bench-project-file");
    static std::string path;
    if (!path.empty()) {
        return path;
    }
    const std::string caseDir = folder.filePath("case");
    platform::createDirectories(folder.filePath("psp_rel"));
    WritePictures(caseDir + "/images/apps/p");

    APStyleProject project;
    project.InitNew();
    project.SetName("p");
    project.SetProjectDir(folder.path());
    project.SetCaseDir(caseDir);
    project.SetSdkDir(folder.filePath("psp_rel"));
    for (int i = 0; i < kPictureFiles; ++i) {
        project.AddPicture(caseDir + "/images/apps/p/pic" + std::to_string(i) + ".png", 1);
    }
    for (int i = 0; i < kStrings; ++i) {
        project.Strings().Append(static_cast<std::uint32_t>(i + 1), "STR" + std::to_string(i));
    }
    project.TextFiles().push_back(".\\strings.txt");
    APStyleProject::SetCurrent(&project);
    int picture = 0;
    int string = 0;
    for (int s = 0; s < kScenes; ++s) {
        auto* top = static_cast<CCanvasSnapShotItem*>(
            project.AddScene()->AddChild(SnapShotItem::kGroup, 0));
        for (int g = 0; g < kGroupsPerScene; ++g) {
            auto* group = static_cast<CCanvasSnapShotItem*>(top->AddChild(SnapShotItem::kGroup, 0));
            FillGroup(*group, picture, string);
        }
    }
    APStyleProject::SetCurrent(nullptr);
    path = folder.filePath("p.ui");
    ProjectFileWriter(project).Save(path);
    return path;
}

std::unique_ptr<APStyleProject> LoadProject(const std::string& path)
{
    auto project = std::make_unique<APStyleProject>();
    ProjectFileReader reader(*project);
    reader.SetDefinitionDirectory(platform::directoryOf(path));
    reader.SetStringImporter(ImportAll);
    if (!reader.Load(path)) {
        std::fprintf(stderr, "cannot load %s\n", path.c_str());
        std::abort();
    }
    return project;
}

void BM_ParseFloor(benchmark::State& state)
{
    const std::string path = ProjectPath();
    for (auto _ : state) {
        TiXmlDocument document;
        benchmark::DoNotOptimize(document.LoadFile(path, TIXML_ENCODING_UTF8));
    }
}

void BM_Load(benchmark::State& state)
{
    platform::ScriptedInteraction quiet;
    quiet.keepRecords(false);
    platform::ScopedInteraction scope(quiet);
    const std::string path = ProjectPath();
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadProject(path));
    }
}

void BM_PrintFloor(benchmark::State& state)
{
    TiXmlDocument document;
    document.LoadFile(ProjectPath(), TIXML_ENCODING_UTF8);
    const std::string out = ProjectPath() + ".floor";
    for (auto _ : state) {
        benchmark::DoNotOptimize(document.SaveFile(out));
    }
}

void BM_Save(benchmark::State& state)
{
    platform::ScriptedInteraction quiet;
    quiet.keepRecords(false);
    platform::ScopedInteraction scope(quiet);
    const std::unique_ptr<APStyleProject> project = LoadProject(ProjectPath());
    const std::string out = ProjectPath() + ".saved";
    for (auto _ : state) {
        ProjectFileWriter writer(*project);
        benchmark::DoNotOptimize(writer.Save(out));
    }
}

} // namespace

BENCHMARK(BM_ParseFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
