#pragma once

#include <string>
#include <string_view>

// Character-set files: the characters that a font height needs, for the firmware's font
// builder, as a comma-separated list of upper-case hexadecimal code units and ranges.
namespace generate {

// Returns the list for `text`: its distinct UTF-16 units in ascending order; the units below
// 0x78 as one range "0X41-0X5A" from the lowest to the highest of them (one unit alone as
// "0X41"), then each unit from 0x78 up ("0X20AC"), separated by ','. With `arabicForms`
// the ranges "0XFB50-0XFDFF" and "0XFE70-0XFEFF" follow. No line end; "" for an empty text.
std::string characterSetText(std::u16string_view text, bool arabicForms);

// Writes characterSetText of `text` to `path` (directories created), with the Arabic forms
// when the path contains "_arE". Returns true when the file was written.
bool writeCharacterSetFile(const std::string& path, std::u16string_view text);

// Returns the path prefix of a project's character-set files: `resStrDir` + "/txt/" + the
// file name of `resFile` without its last four characters (".res").
std::string characterSetFilePrefix(const std::string& resStrDir, const std::string& resFile);

} // namespace generate
