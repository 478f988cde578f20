#include "textcheck/MeasuringFontSetting.h"

#include "platform/FileSystem.h"
#include "platform/Path.h"

#include <nlohmann/json.hpp>

namespace textcheck {
namespace {

constexpr int kVersion = 1;

using Json = nlohmann::json;

MeasuringFontSetting::Reading Damaged(const std::string& why)
{
    return {{}, why};
}

bool IsBelow(const std::string& path, const std::string& directory)
{
    return !directory.empty() && path.size() > directory.size() + 1 &&
           path.compare(0, directory.size(), directory) == 0 && path[directory.size()] == '/';
}

} // namespace

std::string MeasuringFontSetting::PathFor(const std::string& projectPath)
{
    return projectPath + ".textcheck";
}

MeasuringFontSetting::Reading MeasuringFontSetting::Parse(std::string_view text,
                                                          const std::string& projectDirectory)
{
    const Json root = Json::parse(text.begin(), text.end(), nullptr, false);
    if (root.is_discarded() || !root.is_object()) {
        return Damaged("not a text check settings file");
    }
    const auto version = root.find("version");
    if (version == root.end() || !version->is_number_integer() ||
        version->get<long long>() != kVersion) {
        return Damaged("unknown version");
    }
    const auto font = root.find("font");
    if (font == root.end()) {
        return {};
    }
    if (!font->is_string()) {
        return Damaged("the font is not a file name");
    }
    const std::string& name = font->get_ref<const std::string&>();
    if (name.empty()) {
        return {};
    }
    return {platform::canonicalPath(platform::joinPath(projectDirectory, name)), {}};
}

std::string MeasuringFontSetting::Print(const std::string& font,
                                        const std::string& projectDirectory)
{
    const std::string canonical = platform::canonicalPath(font);
    const std::string directory = platform::canonicalPath(projectDirectory);
    const std::string stored =
        IsBelow(canonical, directory) ? canonical.substr(directory.size() + 1) : canonical;
    const Json root = {{"version", kVersion}, {"font", stored}};
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

MeasuringFontSetting::Reading MeasuringFontSetting::Read(const std::string& projectPath)
{
    const std::string path = PathFor(projectPath);
    if (!platform::pathExists(path)) {
        return {};
    }
    std::error_code error;
    const std::optional<std::string> text = platform::readFile(path, &error);
    if (!text) {
        return Damaged(path + ": " + error.message());
    }
    Reading reading = Parse(*text, platform::directoryOf(projectPath));
    if (!reading.problem.empty()) {
        reading.problem = path + ": " + reading.problem;
    }
    return reading;
}

std::string MeasuringFontSetting::Write(const std::string& projectPath, const std::string& font)
{
    const std::string path = PathFor(projectPath);
    if (font.empty()) {
        if (platform::pathExists(path) && !platform::removeFile(path)) {
            return "cannot remove " + path;
        }
        return {};
    }
    std::error_code error;
    if (!platform::writeFileAtomically(path, Print(font, platform::directoryOf(projectPath)),
                                       &error)) {
        return path + ": " + error.message();
    }
    return {};
}

} // namespace textcheck
