#include "editing/GuidesFile.h"

#include "platform/FileSystem.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace editing {
namespace {

constexpr int kVersion = 1;
// Far beyond any device screen; a larger value is damage, not a guide.
constexpr long long kFarthest = 1000000;

using Json = nlohmann::json;

bool ReadLines(const Json& scene, const char* key, bool vertical, std::vector<GuideLine>& into)
{
    const auto it = scene.find(key);
    if (it == scene.end()) {
        return true;
    }
    if (!it->is_array()) {
        return false;
    }
    for (const Json& value : *it) {
        if (!value.is_number_integer()) {
            return false;
        }
        const long long position = value.get<long long>();
        if (position < -kFarthest || position > kFarthest) {
            return false;
        }
        into.push_back({vertical, static_cast<int>(position)});
    }
    return true;
}

GuidesFile::Reading Damaged(const std::string& why)
{
    return {{}, why};
}

} // namespace

std::string GuidesFile::PathFor(const std::string& projectPath)
{
    return projectPath + ".guides";
}

GuidesFile::Reading GuidesFile::Parse(std::string_view text)
{
    const Json root = Json::parse(text.begin(), text.end(), nullptr, false);
    if (root.is_discarded() || !root.is_object()) {
        return Damaged("not a guides file");
    }
    const auto version = root.find("version");
    if (version == root.end() || !version->is_number_integer() ||
        version->get<long long>() != kVersion) {
        return Damaged("unknown version");
    }
    const auto scenes = root.find("scenes");
    if (scenes == root.end() || !scenes->is_object()) {
        return Damaged("no scenes");
    }
    Reading reading;
    for (const auto& [name, scene] : scenes->items()) {
        std::vector<GuideLine> lines;
        if (!scene.is_object() || !ReadLines(scene, "vertical", true, lines) ||
            !ReadLines(scene, "horizontal", false, lines)) {
            return Damaged("bad guides of scene " + name);
        }
        if (!lines.empty()) {
            reading.scenes[name] = std::move(lines);
        }
    }
    return reading;
}

std::string GuidesFile::Print(const GuidesByScene& scenes)
{
    Json scenesJson = Json::object();
    for (const auto& [name, lines] : scenes) {
        Json vertical = Json::array();
        Json horizontal = Json::array();
        for (const GuideLine& line : lines) {
            (line.vertical ? vertical : horizontal).push_back(line.position);
        }
        if (!vertical.empty() || !horizontal.empty()) {
            scenesJson[name] = {{"vertical", vertical}, {"horizontal", horizontal}};
        }
    }
    const Json root = {{"version", kVersion}, {"scenes", scenesJson}};
    // A name that is not UTF-8 is written with replacement characters rather than failing.
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

GuidesFile::Reading GuidesFile::Read(const std::string& path)
{
    if (!platform::pathExists(path)) {
        return {};
    }
    std::error_code error;
    const std::optional<std::string> text = platform::readFile(path, &error);
    if (!text) {
        return Damaged(error.message());
    }
    return Parse(*text);
}

std::string GuidesFile::Write(const std::string& path, const GuidesByScene& scenes)
{
    const bool any = std::any_of(scenes.begin(), scenes.end(),
                                 [](const auto& scene) { return !scene.second.empty(); });
    if (!any) {
        if (platform::pathExists(path) && !platform::removeFile(path)) {
            return "cannot remove " + path;
        }
        return {};
    }
    std::error_code error;
    if (!platform::writeFileAtomically(path, Print(scenes), &error)) {
        return error.message();
    }
    return {};
}

} // namespace editing
