#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the string panels put on and take from the clipboard, without the toolkit: copying a
// string text offers its RTF (from the builder) beside the plain text, so that a word
// processor keeps every script with a fitting font; pasting prefers RTF (read by the reader)
// and falls back to the plain text.
class RtfClipboard
{
public:
    // The clipboard formats the RTF is offered under and looked for in, in order of preference.
    static constexpr const char* kRtfMimeTypes[] = {"text/rtf", "application/rtf", "text/richtext"};

    // The two forms of a copied text.
    struct Copied
    {
        std::u16string plainText; // the text itself, for "text/plain"
        std::string rtf;          // ASCII RTF, for each of kRtfMimeTypes
    };

    // Returns what to put on the clipboard for `text`.
    static Copied copy(std::u16string_view text);

    // Returns the text of the clipboard's RTF, or nothing when `rtf` is not RTF. The whole text
    // is returned: a pasted paragraph is never cut.
    static std::optional<std::u16string> textOfRtf(std::string_view rtf);

    // Returns the text to paste: that of `rtf` when the clipboard holds RTF (nothing when it
    // holds none), else `plainText`.
    static std::u16string paste(const std::optional<std::string>& rtf,
                                std::u16string_view plainText);
};
