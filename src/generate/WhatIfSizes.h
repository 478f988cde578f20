#pragma once

#include "generate/ResourceBuildOptions.h"

#include <cstdint>
#include <string>
#include <vector>

class APStyleProject;

namespace generate {

// Each picture's bytes had it been packed with other options: the pictures are converted (and
// compressed) by the real packer into a scratch picture file, which is read back and removed.
struct WhatIfSizes
{
    std::string format;      // "RGB565", ...
    std::string compression; // "none", "RLE", "LZ4"
    // Per registry position asked for: its stored bytes (data and padding) in that file.
    std::vector<std::uint64_t> bytes;
    std::uint64_t fileBytes = 0; // the whole picture file, header and entry table included

    // Packs the pictures at registry positions `positions` as `options` say (format,
    // compression and its kind, tiles, quality, raw JPEG). Returns false with `error` set when
    // a picture cannot be packed or the scratch file cannot be written.
    static bool Compute(const APStyleProject& project, const std::vector<std::size_t>& positions,
                        const ResourceBuildOptions& options, WhatIfSizes& sizes,
                        std::string& error);
};

} // namespace generate
