#include "generate/ResourceBuildOptions.h"

#include "projectfile/SettingsAccessor.h"

#include <cstdlib>

namespace generate {
namespace {

constexpr std::string_view kSection = "CONFIG";

// The dialog stores most values as the text of its edits: plain decimal conversion,
// text that is no number counting as 0.
int readNumber(const SettingsAccessor& settings, std::string_view key, std::string_view fallback)
{
    const std::string text = settings.readText(kSection, key, fallback);
    return std::atoi(text.c_str());
}

bool readSwitch(const SettingsAccessor& settings, std::string_view key)
{
    return readNumber(settings, key, "") != 0;
}

} // namespace

int compressTypeOfSelection(int selection)
{
    switch (selection) {
    case 0:
        return 2;
    case 1:
        return 1;
    default:
        return 0;
    }
}

ResourceBuildOptions readResourceBuildOptions(const SettingsAccessor& settings)
{
    ResourceBuildOptions options;
    options.format = settings.readInt(kSection, "RES_FORMAT");
    options.compress = readSwitch(settings, "RES_COMPRESS");
    options.rawJpeg = readSwitch(settings, "RAW_JPEG");
    options.quality = readNumber(settings, "RES_MODE", "0") == 0 ? 1 : 0;
    if (readSwitch(settings, "EN_SPLITPACK")) {
        options.splitPackStart = readNumber(settings, "SPLITPACK_START", "0");
    } else if (readSwitch(settings, "EN_SPLITRES")) {
        // The dialog keeps the two exclusive; a file edited by hand gets the split pack.
        options.splitSize = std::int64_t{readNumber(settings, "SPLITRES_SIZE", "")} << 20;
    }
    if (readSwitch(settings, "EN_TILE")) {
        options.tileWidth = readNumber(settings, "TILE_WIDTH", "");
        options.tileHeight = readNumber(settings, "TILE_HEIGHT", "");
    }
    options.compressType = compressTypeOfSelection(readNumber(settings, "COMPRESS_TYPE", "0"));
    options.useCache = readNumber(settings, "EN_CACHE", "1") != 0;
    options.cacheDirectory = settings.readText(kSection, "CACHE_DIR", "");
    const long long limit = std::atoll(settings.readText(kSection, "CACHE_SIZE_MB", "").c_str());
    if (limit > 0) {
        options.cacheLimit = static_cast<std::uint64_t>(limit) << 20;
    }
    return options;
}

} // namespace generate
