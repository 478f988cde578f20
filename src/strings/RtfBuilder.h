#pragma once

#include <string>
#include <string_view>

// Turns a multi-language text into a small RTF document for the rich-text controls that show
// string resources: one font per script (numbered in the order the scripts first appear), a
// font switch with the run direction wherever the script changes, and every code unit written
// as "\uN?" with N unsigned, so that no byte of the text is ever read through a code page.
class RtfBuilder
{
public:
    // The document's opening, before its font table.
    static constexpr std::string_view kHeader =
        "{\\rtf1\\fbidis\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052";

    // Returns the RTF document of `text` (ASCII only). An unpaired surrogate is written as it
    // is, so that the reader gives back the same code units.
    static std::string build(std::u16string_view text);
};
