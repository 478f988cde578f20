#pragma once

#include "generate/ResourceBuildOptions.h"

#include <optional>
#include <string>
#include <vector>

// The options of `skinsmith-cli build`, each present only when given.
struct CliBuildArguments
{
    std::string project;
    std::optional<int> format;
    std::optional<bool> compress;
    std::optional<int> compressType;
    std::optional<int> quality;
    bool rawJpeg = false;
    std::optional<int> splitPackStart;
    std::optional<int> splitSizeMb;
    std::optional<std::pair<int, int>> tile;
    bool debug = false;
    bool strict = false;
    std::optional<int> threads;
    std::optional<std::string> cacheDirectory;
    bool noCache = false;
    bool timings = false;
};

// The PIC_RES_FORMAT code of a pixel format name (RGB565, ARGB565, RGB888, ARGB888 or
// ARGB8888, ARGB6666, ARGB1555, Watch; any case), or nothing.
std::optional<int> pixelFormatCode(const std::string& name);

// Parses the arguments after "build". Returns false with `problem` set on a usage error.
bool parseBuildArguments(const std::vector<std::string>& args, CliBuildArguments& parsed,
                         std::string& problem);

// Returns why the options, after applyBuildArguments, cannot be used together, or "": a
// split size given on the command line needs compression, from the command line or the
// settings, since only a compressed picture file is cut into parts.
std::string checkSplitNeedsCompression(const CliBuildArguments& parsed,
                                       const generate::ResourceBuildOptions& options);

// Puts the options given into `options`; a split pack given clears a split size read from
// the settings and the other way round, as the build dialog keeps them exclusive.
void applyBuildArguments(const CliBuildArguments& parsed, generate::ResourceBuildOptions& options);
