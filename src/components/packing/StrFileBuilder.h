#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The per-language string file (see docs/formats.md): a 16-byte header, one
// 8-byte entry per string (offset, length), then the texts, each followed by
// a NUL byte.
namespace packing {

constexpr std::uint32_t kStrMagic = 0x19525453;
constexpr std::uint8_t kStrVersion = 1;
constexpr std::size_t kStrHeaderSize = 16;
constexpr std::size_t kStrEntrySize = 8;
constexpr std::size_t kStrMaxEntries = 0xFFFF;

class StrFileBuilder
{
public:
    // Takes the text of `language` from each string's data (the texts of all
    // languages, each NUL-terminated, back to back); a string with fewer texts
    // gives the empty text. Returns false with `error` set when the file would
    // not fit its 32-bit offsets.
    static bool build(const std::vector<std::string>& strings, std::size_t language,
                      std::size_t languageCount, std::vector<std::uint8_t>& out,
                      std::string& error);

    // `text` as the file stores it: UTF-8, with every surrogate pair that arrives as two
    // three-byte halves (as the build's text converter writes characters beyond U+FFFF)
    // joined into its four-byte form. All other bytes, a lone half included, stay as
    // they are.
    static std::string fileText(const std::string& text);

    // The `language`-th NUL-terminated text of `data`; the data's end also ends a text.
    static std::string textOf(const std::string& data, std::size_t language);
};

} // namespace packing
