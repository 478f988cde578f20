#pragma once

#include <string>
#include <string_view>

// The 8-bit text the firmware reads, made from the UTF-16 texts of string resources. Used for
// packed strings and for the desktop entry file.
namespace generate {

// Returns `text` converted unit by unit: the four units "[CR]" become byte 10 when
// `lineBreakMode` is on, else byte 9; units 13 and 10 are dropped; a unit below 0x80 gives one
// byte, below 0x800 two (110xxxxx 10xxxxxx), else three (1110xxxx 10xxxxxx 10xxxxxx). Each
// unit is encoded by itself, so a surrogate pair gives two three-byte groups, as the
// firmware's decoder expects.
std::string toDeviceText(std::u16string_view text, bool lineBreakMode);

// One language's text of a string resource: strings imported from text tables hold narrow
// texts, written as their bytes stand; the others hold UTF-16 texts.
struct LanguageText
{
    bool isWide = false;
    std::string narrow;
    std::u16string wide;
};

// Returns the bytes the firmware gets for `text`: the narrow bytes unchanged, or the wide
// text through toDeviceText.
std::string deviceBytes(const LanguageText& text, bool lineBreakMode);

} // namespace generate
