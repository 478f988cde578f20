#pragma once

#include <cstdint>
#include <functional>
#include <string>

class SettingsAccessor;

namespace generate {

// The options of one resource build: the editor's settings (section "CONFIG" of
// "SkinSmith.ini") as the menus and the build dialog leave them, overridable per run.
struct ResourceBuildOptions
{
    int format = 0;             // pixel format for the packer (PIC_RES_FORMAT code; 2 is not one)
    bool compress = false;      // compress the picture resource file
    int quality = 1;            // 1 best quality, 0 smallest size
    bool rawJpeg = false;       // JPEG files keep their JPEG data
    int splitPackStart = -1;    // first layer identifier of the split pack; -1 none
    std::int64_t splitSize = 0; // bytes per part of the compressed file; 0 no parts
    int compressType = 2;       // 1 RLE, 2 LZ4, 0 no choice (the packer takes LZ4)
    int tileWidth = 0;          // compression tiles; 0 (or less) for none
    int tileHeight = 0;
    bool debugMode = false;      // keep the intermediate files ("-DebugMode")
    bool unattended = false;     // a build without a window: the project is saved first
    bool saveOffered = false;    // the window asked to save before the build started
    unsigned packingThreads = 0; // threads converting pictures; 0 for one per core
    bool strict = false;         // a damaged picture that still decodes stops the build
    // Finished picture entries are kept between builds (packing::PictureCache) in
    // `cacheDirectory`, or the default folder when it is empty, trimmed to `cacheLimit` bytes.
    bool useCache = false;
    std::string cacheDirectory;
    std::uint64_t cacheLimit = std::uint64_t{2} << 30;
    // Asked between phases and between pictures and strings, also from the packer's worker
    // threads, so it must be safe to call from any thread; once it returns true the build
    // stops and replaces none of the previous outputs. Empty: the build cannot be cancelled.
    std::function<bool()> cancelRequested;

    bool splitPack() const { return splitPackStart >= 0; }
    // True once cancelRequested said so.
    bool cancelled() const { return cancelRequested && cancelRequested(); }
};

// Returns the options `settings` holds in section "CONFIG": RES_FORMAT, RES_COMPRESS,
// RAW_JPEG, and what the build dialog stores: RES_MODE (0 best quality), EN_SPLITPACK with
// SPLITPACK_START, EN_SPLITRES with SPLITRES_SIZE in megabytes, EN_TILE with TILE_WIDTH and
// TILE_HEIGHT, COMPRESS_TYPE (0 LZ4, 1 RLE). Missing keys read as the dialog's defaults.
// The picture cache is on unless EN_CACHE is 0; CACHE_DIR names its folder and CACHE_SIZE_MB
// its limit in megabytes.
ResourceBuildOptions readResourceBuildOptions(const SettingsAccessor& settings);

// Returns the compress type the packer takes for the build dialog's selection: 1 (RLE)
// gives 1, 0 (LZ4) gives 2, anything else 0.
int compressTypeOfSelection(int selection);

} // namespace generate
