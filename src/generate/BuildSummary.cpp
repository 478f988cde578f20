#include "generate/BuildSummary.h"

#include "platform/UiText.h"

#include <cstdio>
#include <filesystem>

namespace generate {

BuildSummary BuildSummary::Of(const std::vector<std::string>& paths, double seconds)
{
    BuildSummary summary;
    summary.seconds = seconds;
    for (const std::string& path : paths) {
        std::error_code ec;
        const std::uintmax_t bytes = std::filesystem::file_size(path, ec);
        summary.outputs.push_back({path, ec ? 0 : bytes});
    }
    return summary;
}

std::uintmax_t BuildSummary::TotalBytes() const
{
    std::uintmax_t total = 0;
    for (const Output& output : outputs) {
        total += output.bytes;
    }
    return total;
}

std::string BuildSummary::StatusText() const
{
    char text[160];
    std::snprintf(text, sizeof text,
                  platform::uiText("生成资源完成：%zu 个文件，共 %s，用时 %.1f 秒"), outputs.size(),
                  ByteSizeText(TotalBytes()).c_str(), seconds);
    return text;
}

std::string BuildSummary::LogText() const
{
    std::string text = StatusText();
    for (const Output& output : outputs) {
        char size[32];
        std::snprintf(size, sizeof size, "\n%12s  ", ByteSizeText(output.bytes).c_str());
        text += size + output.path;
    }
    return text;
}

std::string ByteSizeText(std::uintmax_t bytes)
{
    char text[32];
    if (bytes < 1024) {
        std::snprintf(text, sizeof text, "%ju B", bytes);
    } else if (bytes < 1024 * 1024) {
        std::snprintf(text, sizeof text, "%.1f KB", static_cast<double>(bytes) / 1024.0);
    } else {
        std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    }
    return text;
}

} // namespace generate
