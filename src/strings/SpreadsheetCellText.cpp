#include "strings/SpreadsheetCellText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace strings {

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

namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
long long daysFromCivil(long long year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(year - era * 400);
    const unsigned doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long days, long long& year, unsigned& month, unsigned& day)
{
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<long long>(yoe) + era * 400 + (month <= 2);
}

} // namespace

std::string serialDateText(double serial, bool from1904, SerialShown shown)
{
    // Beyond year 9999 or before the epoch a serial is no date: show the number.
    if (!std::isfinite(serial) || serial < 0 || serial >= 2958466) {
        return formatNumber(serial);
    }
    long long whole = static_cast<long long>(std::floor(serial));
    long long seconds = std::llround((serial - static_cast<double>(whole)) * 86400.0);
    if (seconds >= 86400) {
        ++whole;
        seconds -= 86400;
    }
    long long year = 0;
    unsigned month = 0;
    unsigned day = 0;
    if (from1904) {
        civilFromDays(daysFromCivil(1904, 1, 1) + whole, year, month, day);
    } else if (whole == 60) {
        year = 1900, month = 2, day = 29;
    } else {
        // Day 1 is 1900-01-01; from day 61 on the serials count the missing 29th.
        civilFromDays(daysFromCivil(1899, 12, 31) + whole - (whole > 60 ? 1 : 0), year, month, day);
    }
    char buffer[48];
    std::string text;
    if (shown != SerialShown::Time) {
        std::snprintf(buffer, sizeof buffer, "%04lld-%02u-%02u", year, month, day);
        text = buffer;
    }
    if (shown != SerialShown::Date) {
        std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld", seconds / 3600,
                      seconds / 60 % 60, seconds % 60);
        text += (text.empty() ? "" : " ") + std::string(buffer);
    }
    return text;
}

std::string tabSafeCellText(const std::string& text)
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

} // namespace strings
