#include "projectfile/SettingsAccessor.h"

#include "platform/IniFile.h"
#include "platform/ProgramDirectory.h"

#include <cerrno>
#include <climits>

namespace {

// Cuts `text` to at most `limit` bytes without splitting a UTF-8 sequence.
std::string cutText(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit) {
        return std::string(text);
    }
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return std::string(text.substr(0, end));
}

// Leading blanks, an optional sign, then decimal digits up to the first non-digit. Values
// beyond the int range stop at its ends instead of wrapping around.
int leadingInteger(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    long long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        return static_cast<int>(-value);
    }
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

} // namespace

SettingsAccessor::SettingsAccessor(std::string path) : m_path(std::move(path)) {}

std::string SettingsAccessor::defaultPath()
{
    return platform::programDirectory() + "SkinSmith.ini";
}

int SettingsAccessor::readInt(std::string_view section, std::string_view key) const
{
    return leadingInteger(readText(section, key));
}

std::string SettingsAccessor::readText(std::string_view section, std::string_view key,
                                       std::string_view defaultText) const
{
    platform::IniFile ini;
    ini.load(m_path); // an unreadable file reads as one without keys
    const std::optional<std::string> value = ini.value(section, key);
    return cutText(value ? std::string_view(*value) : defaultText, kMaxTextLength);
}

std::string SettingsAccessor::readText(std::string_view section, std::string_view key) const
{
    return readText(section, key, {});
}

int SettingsAccessor::writeText(std::string_view section, std::string_view key,
                                std::string_view value, bool create)
{
    if (!create && readText(section, key, kNoneValue) == kNoneValue) {
        return 1;
    }
    platform::IniFile ini;
    std::error_code error;
    if (!ini.load(m_path, &error)) {
        return error.value();
    }
    if (!ini.setValue(section, key, value)) {
        return EINVAL;
    }
    if (!ini.save(m_path, &error)) {
        return error ? error.value() : EIO;
    }
    return 0;
}

int SettingsAccessor::writeInt(std::string_view section, std::string_view key, std::int32_t value,
                               bool create)
{
    return writeText(section, key, std::to_string(value), create);
}
