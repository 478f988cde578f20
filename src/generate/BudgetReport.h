#pragma once

#include "generate/WhatIfSizes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class APStyleProject;

namespace generate {

// Where a project's flash goes, read from the outputs of a finished build: every output file,
// each packed picture's share of the picture resource file, each scene's pictures and strings,
// each language's string file, the largest items and the waste. The pictures' stored bytes
// (data and alignment padding) plus the file's header and entry table are the picture file's
// size exactly.
struct BudgetReport
{
    struct File
    {
        std::string path;
        std::uint64_t bytes = 0;
    };

    struct Picture
    {
        std::size_t registry = 0; // position in the picture registry
        std::string name;
        std::string path;        // stored form
        std::uint32_t entry = 0; // position in the picture resource file
        int width = 0;
        int height = 0;
        std::string format;            // "RGB565", ... "JPEG"
        std::string compression;       // "none", "RLE", "LZ4"
        std::uint64_t storedBytes = 0; // data and padding in the picture file
        std::uint64_t rawBytes = 0;    // uncompressed planes (a JPEG: its data)
        double ratio() const;          // raw / stored
    };

    struct String
    {
        std::size_t registry = 0;
        std::string identifier;
        std::uint64_t bytes = 0; // table entry, text and NUL, in every language file
    };

    struct Language
    {
        std::string name;
        std::string path;
        std::uint64_t bytes = 0;
    };

    struct Scene
    {
        std::string name;
        std::vector<std::size_t> pictures; // indexes into `pictures`
        std::vector<std::size_t> strings;  // indexes into `strings`
        std::uint64_t pictureBytes = 0;
        std::uint64_t stringBytes = 0;
    };

    struct Item
    {
        std::string kind; // "picture", "string", "file"
        std::string name;
        std::uint64_t bytes = 0;
    };

    // A registry picture outside the picture file.
    struct Unpacked
    {
        std::size_t registry = 0;
        std::string name;
        std::string path;
        std::uint64_t fileBytes = 0; // of its source file
    };

    std::string project;
    bool scratchBuild = false; // read from a build into a scratch folder, since removed
    int screenWidth = 0;
    int screenHeight = 0;
    std::vector<File> files;
    std::string pictureFile;
    std::uint64_t pictureFileBytes = 0;
    std::uint64_t pictureFileOverhead = 0; // header and entry table
    std::vector<Picture> pictures;         // in picture file order
    std::vector<String> strings;           // in string file order
    std::vector<Language> languages;
    std::uint64_t stringFileOverhead = 0; // headers of every language file
    std::vector<Scene> scenes;
    std::vector<Item> largest;
    std::vector<Unpacked> unused;                    // registered, in no scene
    std::vector<std::vector<std::size_t>> identical; // registry positions per group
    std::vector<std::size_t> oversized;              // indexes into `pictures`
    // The pictures' bytes packed otherwise, in `pictures` order (filled by the caller).
    std::vector<WhatIfSizes> whatIf;

    static constexpr std::size_t kLargestCount = 20;

    std::uint64_t TotalFileBytes() const;
    std::uint64_t PictureBytes() const; // the pictures' stored bytes
    std::uint64_t StringBytes() const;  // the strings' bytes over every language
    // The index into `pictures` of registry position `registry`, or -1.
    int PictureOf(std::size_t registry) const;

    // Reads the outputs of a build of `project` (its used lists filled by style generation,
    // its output paths pointing at the outputs) and fills a report. `outputs` are the files
    // the build wrote. Returns false with `error` set when an output is missing or damaged,
    // or does not hold the project's used pictures. A picture file whose start index is above
    // 0 is a split-pack file; one with start index 0 is one only when `splitPackStart` is 0,
    // which the file cannot tell.
    static bool Read(APStyleProject& project, const std::vector<std::string>& outputs,
                     BudgetReport& report, std::string& error, int splitPackStart = -1);
};

} // namespace generate
