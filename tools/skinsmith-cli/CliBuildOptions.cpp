#include "CliBuildOptions.h"

#include "platform/AsciiCase.h"
#include "platform/UiText.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <utility>

namespace {

// The menu's names, and "ARGB8888" as the file format documentation calls code 3.
const std::array<std::pair<const char*, int>, 8> kFormats = {{
    {"RGB565", 0},
    {"ARGB565", 1},
    {"ARGB888", 3},
    {"ARGB8888", 3},
    {"RGB888", 4},
    {"WATCH", 5},
    {"ARGB6666", 6},
    {"ARGB1555", 7},
}};

// Returns the whole of `text` as a number in [low, high], or nothing.
std::optional<int> number(const std::string& text, long low, long high)
{
    if (text.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < low || value > high) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

} // namespace

std::optional<int> pixelFormatCode(const std::string& name)
{
    const std::string upper = platform::toUpperAscii(name);
    for (const auto& [formatName, code] : kFormats) {
        if (upper == formatName) {
            return code;
        }
    }
    return std::nullopt;
}

namespace {

std::optional<std::pair<int, int>> tileSize(const std::string& text)
{
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos) {
        return std::nullopt;
    }
    const auto width = number(text.substr(0, x), 1, 65535);
    const auto height = number(text.substr(x + 1), 1, 65535);
    if (!width || !height) {
        return std::nullopt;
    }
    return std::make_pair(*width, *height);
}

// Parses the value of option `name`; false with `problem` set when it is not valid.
bool parseValue(const std::string& name, const std::string& value, CliBuildArguments& parsed,
                std::string& problem)
{
    const auto bad = [&](const char* expected) {
        problem = platform::formatText(platform::toolText("%s needs %s, not '%s'"), name.c_str(),
                                       platform::toolText(expected), value.c_str());
        return false;
    };
    if (name == "--format") {
        return (parsed.format = pixelFormatCode(value)) ? true : bad(N_TOOL("a pixel format name"));
    }
    if (name == "--quality") {
        if (value != "best" && value != "small") {
            return bad(N_TOOL("best or small"));
        }
        parsed.quality = value == "best" ? 1 : 0;
        return true;
    }
    if (name == "--compress-type") {
        if (value != "lz4" && value != "rle") {
            return bad(N_TOOL("lz4 or rle"));
        }
        parsed.compressType = value == "lz4" ? 2 : 1;
        return true;
    }
    if (name == "--split-pack") {
        return (parsed.splitPackStart = number(value, 0, 65535))
                   ? true
                   : bad(N_TOOL("a layer id 0-65535"));
    }
    if (name == "--split-size-mb") {
        return (parsed.splitSizeMb = number(value, 1, 4095)) ? true
                                                             : bad(N_TOOL("megabytes, 1-4095"));
    }
    if (name == "--cache") {
        if (value.empty()) {
            return bad(N_TOOL("a folder"));
        }
        parsed.cacheDirectory = value;
        return true;
    }
    if (name == "--threads") {
        return (parsed.threads = number(value, 1, 256)) ? true
                                                        : bad(N_TOOL("a thread count, 1-256"));
    }
    return (parsed.tile = tileSize(value)) ? true : bad(N_TOOL("WIDTHxHEIGHT"));
}

bool takesValue(const std::string& name)
{
    return name == "--format" || name == "--quality" || name == "--compress-type" ||
           name == "--split-pack" || name == "--split-size-mb" || name == "--tile" ||
           name == "--threads" || name == "--cache";
}

} // namespace

bool parseBuildArguments(const std::vector<std::string>& args, CliBuildArguments& parsed,
                         std::string& problem)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (takesValue(arg)) {
            if (i + 1 >= args.size()) {
                problem = platform::formatText(platform::toolText("%s needs a value"), arg.c_str());
                return false;
            }
            if (!parseValue(arg, args[++i], parsed, problem)) {
                return false;
            }
        } else if (arg == "--compress" || arg == "--no-compress") {
            parsed.compress = arg == "--compress";
        } else if (arg == "--raw-jpeg") {
            parsed.rawJpeg = true;
        } else if (arg == "--debug") {
            parsed.debug = true;
        } else if (arg == "--strict") {
            parsed.strict = true;
        } else if (arg == "--no-cache") {
            parsed.noCache = true;
        } else if (arg == "--timings") {
            parsed.timings = true;
        } else if (!arg.empty() && arg[0] == '-') {
            problem = platform::formatText(platform::toolText("unknown option '%s'"), arg.c_str());
            return false;
        } else if (parsed.project.empty() && !arg.empty()) {
            parsed.project = arg;
        } else {
            problem =
                platform::formatText(platform::toolText("unexpected argument '%s'"), arg.c_str());
            return false;
        }
    }
    if (parsed.splitPackStart && parsed.splitSizeMb) {
        problem = platform::toolText("--split-pack and --split-size-mb cannot be used together");
        return false;
    }
    if (parsed.cacheDirectory && parsed.noCache) {
        problem = platform::toolText("--cache and --no-cache cannot be used together");
        return false;
    }
    if (parsed.project.empty()) {
        problem = platform::toolText("no project file given");
        return false;
    }
    return true;
}

std::string checkSplitNeedsCompression(const CliBuildArguments& parsed,
                                       const generate::ResourceBuildOptions& options)
{
    if (parsed.splitSizeMb && !options.compress) {
        return "--split-size-mb cuts only a compressed picture file; add --compress (the "
               "settings file does not ask for compression)";
    }
    return {};
}

void applyBuildArguments(const CliBuildArguments& parsed, generate::ResourceBuildOptions& options)
{
    if (parsed.format) {
        options.format = *parsed.format;
    }
    if (parsed.compress) {
        options.compress = *parsed.compress;
    }
    if (parsed.compressType) {
        options.compressType = *parsed.compressType;
    }
    if (parsed.quality) {
        options.quality = *parsed.quality;
    }
    options.rawJpeg = options.rawJpeg || parsed.rawJpeg;
    options.debugMode = options.debugMode || parsed.debug;
    options.strict = options.strict || parsed.strict;
    if (parsed.splitPackStart) {
        options.splitPackStart = *parsed.splitPackStart;
        options.splitSize = 0;
    }
    if (parsed.splitSizeMb) {
        options.splitSize = std::int64_t{*parsed.splitSizeMb} << 20;
        options.splitPackStart = -1;
    }
    if (parsed.threads) {
        options.packingThreads = static_cast<unsigned>(*parsed.threads);
    }
    if (parsed.cacheDirectory) {
        options.useCache = true;
        options.cacheDirectory = *parsed.cacheDirectory;
    }
    if (parsed.noCache) {
        options.useCache = false;
    }
    if (parsed.tile) {
        options.tileWidth = parsed.tile->first;
        options.tileHeight = parsed.tile->second;
    }
}
