#include "CellText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace xls2txt {

std::string formatNumber(double value)
{
    if (!std::isfinite(value)) {
        return value != value ? "NaN" : (value > 0 ? "INF" : "-INF");
    }
    if (value == 0) {
        return "0"; // also for -0, which nobody types
    }
    // Below 2^53 every integer is exact, so printing without a fraction loses nothing.
    if (std::trunc(value) == value && std::fabs(value) < 9007199254740992.0) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.0f", value);
        return digits;
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string cellText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            out += "[CR]";
        } else if (c == '\n') {
            out += "[CR]";
        } else if (c == '\t') {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace xls2txt
