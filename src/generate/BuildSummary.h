#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace generate {

// What a finished resource build wrote: every output with its size, and how long it took.
struct BuildSummary
{
    struct Output
    {
        std::string path;
        std::uintmax_t bytes = 0;
    };

    std::vector<Output> outputs;
    double seconds = 0;

    // The files at `paths` as they are now (a file that cannot be read counts 0 bytes).
    static BuildSummary Of(const std::vector<std::string>& paths, double seconds);
    std::uintmax_t TotalBytes() const;
    // One line for the status bar: "生成资源完成：3 个文件，共 12.5 KB，用时 0.4 秒".
    std::string StatusText() const;
    // The status line, then a line per output: its size and path.
    std::string LogText() const;
};

// "812 B", "12.5 KB", "3.2 MB".
std::string ByteSizeText(std::uintmax_t bytes);

} // namespace generate
