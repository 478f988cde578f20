#pragma once

#include <string>
#include <string_view>

// Small text helpers shared by the string table readers.
namespace strings {

inline bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Returns `text` without leading spaces and tabs (the text file's indentation).
inline std::string_view trimIndent(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

// Returns `text` without blanks on either side.
inline std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace strings
