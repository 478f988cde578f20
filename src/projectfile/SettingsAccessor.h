#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Reads and writes the editor's own options in an initialisation file ("SkinSmith.ini", keys
// in section "CONFIG") with private-profile semantics. Every call reads the file afresh; a
// missing file reads as one without keys.
class SettingsAccessor
{
public:
    // The default text that marks a key as missing: a key holding exactly this text counts as
    // missing too.
    static constexpr std::string_view kNoneValue = "!*&*none-value*&!*";
    // Longest text a read returns, in bytes.
    static constexpr std::size_t kMaxTextLength = 259;

    explicit SettingsAccessor(std::string path);

    // Returns the program directory followed by "SkinSmith.ini".
    static std::string defaultPath();

    const std::string& path() const { return m_path; }

    // Returns the key's value as a decimal integer: optional blanks and sign, then the leading
    // digits ("12px" gives 12); 0 when the key is missing or does not start with a number.
    int readInt(std::string_view section, std::string_view key) const;
    // Returns the key's text, cut to kMaxTextLength bytes (never inside a UTF-8 character),
    // or `defaultText` when the key is missing.
    std::string readText(std::string_view section, std::string_view key,
                         std::string_view defaultText) const;
    std::string readText(std::string_view section, std::string_view key) const;

    // Writes `value`. Returns 0 on success; 1 when `create` is false and the key does not
    // exist yet (nothing is written); otherwise the errno value of the failure, and the file
    // stays as it was. Only the key's line changes; the file is created when missing.
    int writeText(std::string_view section, std::string_view key, std::string_view value,
                  bool create);
    // Writes `value` formatted as "%d", as writeText.
    int writeInt(std::string_view section, std::string_view key, std::int32_t value, bool create);

private:
    std::string m_path;
};
