#pragma once

#include <string>
#include <string_view>

namespace platform {

// Letter case of the letters A to Z only. Bytes from 0x80 up are never touched, so these are
// safe on UTF-8 text (every byte of a multi-byte sequence is >= 0x80).

inline char toLowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline char toUpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Returns a copy of `text` with A to Z made lower case.
std::string toLowerAscii(std::string_view text);

// Returns a copy of `text` with a to z made upper case.
std::string toUpperAscii(std::string_view text);

// True when `a` and `b` are equal once A to Z are folded to lower case.
bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b);

// Returns the value of the hexadecimal digit `c` (0-9, a-f, A-F), or -1 for any other byte.
inline int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = toLowerAscii(c);
    return (lower >= 'a' && lower <= 'f') ? lower - 'a' + 10 : -1;
}

} // namespace platform
