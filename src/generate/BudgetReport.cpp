#include "generate/BudgetReport.h"

#include "components/packing/ResFileReader.h"
#include "components/packing/StrFileReader.h"
#include "generate/IdenticalPictures.h"
#include "generate/OutputFile.h"
#include "generate/SceneResourceUse.h"
#include "model/APStyleProject.h"
#include "platform/Path.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace generate {
namespace {

std::uint64_t fileBytes(const std::string& path)
{
    std::error_code ec;
    const std::uintmax_t bytes = std::filesystem::file_size(path, ec);
    return ec ? 0 : static_cast<std::uint64_t>(bytes);
}

// Registry positions of the picture file's entries, in entry order. A full file holds the
// used pictures in order; a split-pack file (start index above 0) the pictures of the layer
// identifiers from its start on, ascending, each layer carried by the first path that has it.
std::vector<std::size_t> entryPictures(APStyleProject& project, std::uint16_t startIndex,
                                       bool splitPack)
{
    const PictureRegistry& registry = project.Pictures();
    std::vector<std::size_t> positions;
    const auto& used = project.UsedPictures();
    if (!splitPack) {
        positions.assign(used.begin(), used.end());
        return positions;
    }
    std::set<int> layers;
    for (const std::uint32_t position : used) {
        const auto found = project.LayerMap().find(registry.At(position).path);
        if (found != project.LayerMap().end() && found->second >= startIndex) {
            layers.insert(found->second);
        }
    }
    for (const int layer : layers) {
        for (const auto& [path, carried] : project.LayerMap()) {
            if (carried == layer) {
                const int index = registry.Find(path);
                if (index >= 0) {
                    positions.push_back(static_cast<std::size_t>(index));
                }
                break;
            }
        }
    }
    return positions;
}

bool readPictures(APStyleProject& project, BudgetReport& report, std::string& error,
                  int splitPackStart)
{
    if (project.UsedPictures().empty()) {
        return true;
    }
    report.pictureFile = nativeOutputPath(project.ResourceFile());
    packing::ResFileReader reader;
    if (!reader.load(report.pictureFile)) {
        error = "cannot read the picture file " + report.pictureFile + ": " + reader.error();
        return false;
    }
    const std::uint16_t start = reader.header().startIndex;
    const std::vector<std::size_t> positions =
        entryPictures(project, start, start > 0 || splitPackStart == 0);
    const auto& entries = reader.entries();
    if (positions.size() != entries.size()) {
        error = "the picture file " + report.pictureFile + " holds " +
                std::to_string(entries.size()) + " pictures where the project uses " +
                std::to_string(positions.size());
        return false;
    }
    report.pictureFileBytes = reader.size();
    report.pictureFileOverhead = entries.empty() ? reader.size() : entries.front().offset;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const packing::ResEntryInfo& entry = entries[i];
        const PictureRecord& record = project.Pictures().At(positions[i]);
        BudgetReport::Picture picture;
        picture.registry = positions[i];
        picture.name = record.name;
        picture.path = record.path;
        picture.entry = static_cast<std::uint32_t>(i);
        picture.width = entry.width;
        picture.height = entry.height;
        picture.format = packing::formatName(entry.format);
        picture.compression = packing::compressionName(entry.compression);
        picture.storedBytes = reader.spanLength(i);
        picture.rawBytes =
            entry.format == packing::kFormatJpeg ? entry.size : packing::rawPlaneSize(entry);
        report.pictures.push_back(std::move(picture));
    }
    return true;
}

bool readStrings(APStyleProject& project, BudgetReport& report, std::string& error)
{
    const auto& used = project.UsedStrings();
    if (used.empty()) {
        return true;
    }
    for (const std::uint32_t position : used) {
        report.strings.push_back(
            {position, project.Strings().Records().at(position).identifier, 0});
    }
    const std::string directory = nativeOutputPath(project.StringDir());
    for (const std::string& name : project.Strings().NamedLanguages()) {
        BudgetReport::Language language;
        language.name = name;
        language.path = platform::joinPath(directory, project.Name() + "." + name);
        packing::StrFileReader reader;
        if (!reader.load(language.path)) {
            error = "cannot read the string file " + language.path + ": " + reader.error();
            return false;
        }
        if (reader.texts().size() != used.size()) {
            error = "the string file " + language.path + " holds " +
                    std::to_string(reader.texts().size()) + " strings where the project uses " +
                    std::to_string(used.size());
            return false;
        }
        language.bytes = fileBytes(language.path);
        std::uint64_t strings = 0;
        for (std::size_t i = 0; i < used.size(); ++i) {
            // A table entry (offset and length), the text and its NUL.
            const std::uint64_t bytes = 8 + reader.texts()[i].size() + 1;
            report.strings[i].bytes += bytes;
            strings += bytes;
        }
        report.stringFileOverhead += language.bytes - std::min(strings, language.bytes);
        report.languages.push_back(std::move(language));
    }
    return true;
}

void addScenes(const APStyleProject& project, BudgetReport& report)
{
    std::vector<int> stringIndex(project.Strings().Size(), -1);
    for (std::size_t i = 0; i < report.strings.size(); ++i) {
        stringIndex.at(report.strings[i].registry) = static_cast<int>(i);
    }
    for (const SceneResourceUse& use : SceneResourceUse::Of(project)) {
        BudgetReport::Scene scene;
        scene.name = use.scene;
        for (const std::size_t position : use.pictures) {
            const int index = report.PictureOf(position);
            if (index >= 0) {
                scene.pictures.push_back(static_cast<std::size_t>(index));
                scene.pictureBytes += report.pictures[static_cast<std::size_t>(index)].storedBytes;
            }
        }
        for (const std::size_t position : use.strings) {
            const int index = stringIndex.at(position);
            if (index >= 0) {
                scene.strings.push_back(static_cast<std::size_t>(index));
                scene.stringBytes += report.strings[static_cast<std::size_t>(index)].bytes;
            }
        }
        report.scenes.push_back(std::move(scene));
    }
}

void addLargest(BudgetReport& report)
{
    std::vector<BudgetReport::Item> items;
    for (const BudgetReport::Picture& picture : report.pictures) {
        items.push_back({"picture", picture.name, picture.storedBytes});
    }
    for (const BudgetReport::String& text : report.strings) {
        items.push_back({"string", text.identifier, text.bytes});
    }
    std::stable_sort(
        items.begin(), items.end(),
        [](const BudgetReport::Item& a, const BudgetReport::Item& b) { return a.bytes > b.bytes; });
    items.resize(std::min(items.size(), BudgetReport::kLargestCount));
    report.largest = std::move(items);
}

void addWaste(const APStyleProject& project, BudgetReport& report)
{
    std::vector<bool> inScene(project.Pictures().Size(), false);
    for (const SceneResourceUse& use : SceneResourceUse::Of(project)) {
        for (const std::size_t position : use.pictures) {
            inScene.at(position) = true;
        }
    }
    for (std::size_t i = 0; i < inScene.size(); ++i) {
        if (!inScene[i]) {
            const PictureRecord& record = project.Pictures().At(i);
            report.unused.push_back(
                {i, record.name, record.path, fileBytes(project.ResolvePath(record.path, false))});
        }
    }
    report.identical = IdenticalPictures::Find(project);
    for (std::size_t i = 0; i < report.pictures.size(); ++i) {
        const BudgetReport::Picture& picture = report.pictures[i];
        if (picture.width > report.screenWidth || picture.height > report.screenHeight) {
            report.oversized.push_back(i);
        }
    }
}

} // namespace

double BudgetReport::Picture::ratio() const
{
    return storedBytes == 0 ? 0.0
                            : static_cast<double>(rawBytes) / static_cast<double>(storedBytes);
}

std::uint64_t BudgetReport::TotalFileBytes() const
{
    std::uint64_t total = 0;
    for (const File& file : files) {
        total += file.bytes;
    }
    return total;
}

std::uint64_t BudgetReport::PictureBytes() const
{
    std::uint64_t total = 0;
    for (const Picture& picture : pictures) {
        total += picture.storedBytes;
    }
    return total;
}

std::uint64_t BudgetReport::StringBytes() const
{
    std::uint64_t total = 0;
    for (const String& text : strings) {
        total += text.bytes;
    }
    return total;
}

int BudgetReport::PictureOf(std::size_t registry) const
{
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (pictures[i].registry == registry) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool BudgetReport::Read(APStyleProject& project, const std::vector<std::string>& outputs,
                        BudgetReport& report, std::string& error, int splitPackStart)
{
    report = {};
    report.project = project.ProjectFilePath();
    report.screenWidth = project.ScreenWidth();
    report.screenHeight = project.ScreenHeight();
    for (const std::string& path : outputs) {
        report.files.push_back({path, fileBytes(path)});
    }
    if (!readPictures(project, report, error, splitPackStart) ||
        !readStrings(project, report, error)) {
        return false;
    }
    addScenes(project, report);
    addLargest(report);
    addWaste(project, report);
    return true;
}

} // namespace generate
