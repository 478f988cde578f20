#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace platform {

// An initialisation file ("[SECTION]" lines, "key=value" lines) with private-profile
// semantics: section and key names compare without regard to the case of A to Z, the first of
// duplicate sections and keys counts, values are trimmed and lose one pair of enclosing quotes.
// Lines starting with ';' are comments. A change rewrites only the line it concerns (or adds
// one): comments, order, spacing, line endings and every other line stay byte for byte.
class IniFile
{
public:
    // Reads `path`. A missing file reads as an empty one. Returns false (and leaves the
    // content empty) when the file exists but cannot be read; `error` tells why.
    bool load(const std::string& path, std::error_code* error = nullptr);
    // Replaces the content with `text`, as if read from a file.
    void setText(std::string_view text);
    // Returns the content as it would be written.
    std::string text() const;

    // Returns the value of `key` in `section`, or nothing when there is no such key. Section ""
    // holds the lines before the first section header.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Returns the section names in file order (duplicates included).
    std::vector<std::string> sections() const;
    // Returns the key names of `section` in file order.
    std::vector<std::string> keys(std::string_view section) const;

    // Sets `key` in `section` to `value`: changes the value on the key's line, or adds
    // "key=value" after the section's last key, or adds the section at the end of the file.
    // A value that would not read back as written (edge blanks, enclosing quotes) is quoted.
    // Returns false, changing nothing, for what cannot be stored: an empty section or key,
    // a line break anywhere, '=' in the key or a key starting with ';' or '[', ']' in the
    // section.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

    // Writes the content crash-safely (see SaveFile). Returns false on failure; the file on
    // disk is then unchanged.
    bool save(const std::string& path, std::error_code* error = nullptr) const;

private:
    struct Line
    {
        std::string text;
        std::string ending; // "\n", "\r\n"; "\r" or "" for a last line without a "\n"
    };
    // Returns the index range [first, last) of the body of the first section named `section`;
    // first is npos when there is none.
    std::pair<std::size_t, std::size_t> findSection(std::string_view section) const;
    std::size_t findKey(std::size_t first, std::size_t last, std::string_view key) const;
    void insertLine(std::size_t index, std::string text);

    std::vector<Line> m_lines;
    std::string m_newline = "\n";
};

} // namespace platform
