#pragma once

#include "generate/StyleRecords.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The checks of sty_conv beyond the structure that StyleFileReader checks.
namespace generate {

// Returns the number a define's value gives: hexadecimal digits with an optional "0x" or
// "0X" before them, up to a blank, a tab or the end. Nothing for any other value.
std::optional<std::uint32_t> parseHexValue(std::string_view value);

// Returns one problem text per scene or element name hash of `content` that no define of
// `headerText` (a style header) gives as its value, each naming the record's file offset.
std::vector<std::string> undefinedNameHashes(const StyleFileContent& content,
                                             std::string_view headerText);

// Returns one problem text per picture identifier (single pictures and region frames) of
// `content` that names no entry of a full picture resource file of `entryCount` entries:
// identifiers are `base` + 1 + entry position. Without a base (a check run by hand) it is
// taken as 10000 when every identifier is above 10000 and 0 otherwise.
std::vector<std::string> unknownPictureIds(const StyleFileContent& content, std::size_t entryCount,
                                           std::optional<std::size_t> base = std::nullopt);

} // namespace generate
