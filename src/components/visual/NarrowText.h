#pragma once

#include <string>

namespace visual {

// Returns the UTF-16 form of narrow text for display. Narrow text is UTF-8; text that is
// not valid UTF-8 comes from older files in code page 936 and is read as such. Bytes that
// fit neither show as U+FFFD, so nothing is dropped silently.
std::u16string wideFromNarrow(const std::string& text);

// True when `text` is well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF).
bool isValidUtf8(const std::string& text);

} // namespace visual
