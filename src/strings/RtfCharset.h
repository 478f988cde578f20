#pragma once

#include <cstdint>
#include <string_view>

// The font charsets of the rich-text exchange: which charset (and so which font) the builder
// gives a UTF-16 code unit, and how the reader turns the bytes of a charset into UTF-16.
class RtfCharset
{
public:
    // The value the byte conversion returns for an unknown charset, or for a lead byte of a
    // double-byte charset that needs its second byte.
    static constexpr char16_t kNoCodeUnit = 0xFFFF;

    // What the builder writes for one code unit: the font charset, whether the run is right to
    // left, and whether its font entry is a plain one (no face name) or names `faceName`.
    struct Class
    {
        int charset = 0;
        bool rightToLeft = false;
        const char* faceName = nullptr; // nullptr: a plain font entry
    };

    // Returns the class of `unit`: 134 (Chinese and bopomofo), 128 (kana), 129 (hangul),
    // 178 (Arabic, right to left), 222 (Thai), 177 (Hebrew, right to left), 204 (Cyrillic),
    // else 0.
    static Class classOf(char16_t unit);

    // Returns the Windows code page the reader uses for the font charset `charset`, or 0 for a
    // charset it does not know.
    static unsigned codePageOf(int charset);

    // True when `byte` starts a two-byte character in the double-byte code page of `charset`.
    static bool isLeadByte(int charset, std::uint8_t byte);

    // Returns the UTF-16 unit of one character of `charset` given as one or two bytes (lead
    // first). Returns kNoCodeUnit when the charset is unknown or when `bytes` is a lone lead
    // byte; U+FFFD when the bytes form no character of the code page.
    static char16_t codeUnit(int charset, std::string_view bytes);
};
