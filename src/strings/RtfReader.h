#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Reads the text out of an RTF document: the one the builder writes, the one a rich-text
// control hands out, or one a word processor puts on the clipboard. Characters come from
// "\uN" (N signed or unsigned, followed by the replacement characters "\ucN" counts, which
// are skipped), from "\'hh" bytes and literal bytes read in the code page of the current
// font's charset (double-byte characters from two such bytes), and from literal text.
// Font numbers of any size are read from the font table. "\par" and "\line" between two
// pieces of text become a line feed, "\tab" a tab; groups that hold no document text (the
// colour table, style sheet, document information, pictures, headers, "{\*...}"
// destinations) are skipped.
class RtfReader
{
public:
    // The buffer size the string panels pass: texts are cut to 259 units.
    static constexpr std::size_t kBufferSize = 260;

    // True when `rtf` begins with "{\rtf1".
    static bool isRtf(std::string_view rtf);

    // Writes the text of `rtf` to `buffer`, cut to `bufferSize` - 1 units (never in the middle
    // of a surrogate pair), and a terminating 0. Returns the number of units written including
    // the terminator. Returns 0 and leaves the buffer untouched when `rtf` does not begin with
    // "{\rtf1" or when `bufferSize` is 0.
    static std::size_t read(std::string_view rtf, char16_t* buffer, std::size_t bufferSize);

    // Returns the whole text of `rtf`, or nothing when it does not begin with "{\rtf1".
    static std::optional<std::u16string> read(std::string_view rtf);
};
