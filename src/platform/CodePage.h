#pragma once

#include <optional>
#include <string>
#include <string_view>

// Text encodings. Narrow text in memory is UTF-8; multi-language texts are UTF-16. Older files
// hold text in a legacy code page (936 unless said otherwise), converted here through iconv.
// No function fails on bad input: what cannot be decoded becomes U+FFFD, what cannot be
// encoded becomes the default character.
namespace platform {

constexpr unsigned kDefaultCodePage = 936;
constexpr unsigned kUtf8CodePage = 65001;

// True when `text` is well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF).
bool isValidUtf8(std::string_view text);

// Decodes the character at `pos` of `text` and moves `pos` past it. An ill-formed sequence
// gives U+FFFD (`valid` false) and moves past its maximal valid prefix (at least one byte), as
// Unicode recommends, so that a broken byte never swallows the characters after it.
char32_t decodeUtf8(std::string_view text, std::size_t& pos, bool& valid);
// Appends the UTF-8 form of `c`.
void appendUtf8(std::string& out, char32_t c);

// Returns the UTF-16 form of `utf8`. Each maximal ill-formed subsequence becomes one U+FFFD;
// characters past U+FFFF become surrogate pairs.
std::u16string utf8ToUtf16(std::string_view utf8);

// Returns the UTF-8 form of `utf16`. A surrogate that is not part of a pair becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view utf16);

// True when this system can convert from and to the Windows code page `codePage` (936, 950,
// 932, 949, 1250 to 1258, 874, 437, 65001, 1200, 54936, 28591 to 28605, ...).
bool isCodePageSupported(unsigned codePage);

// Returns `bytes`, read in `codePage`, as UTF-8; bytes that form no character become U+FFFD.
// Returns nothing only when the code page is not supported.
std::optional<std::string> codePageToUtf8(std::string_view bytes,
                                          unsigned codePage = kDefaultCodePage);

// As codePageToUtf8, as UTF-16.
std::optional<std::u16string> codePageToUtf16(std::string_view bytes,
                                              unsigned codePage = kDefaultCodePage);

// Text encoded in a code page, and whether a character had no mapping there and was replaced
// by the default character.
struct EncodedText
{
    std::string bytes;
    bool usedDefaultChar = false;
};

// Returns `utf8` encoded in `codePage`, each character without a mapping replaced by
// `defaultChar` (ill-formed UTF-8 counts as such a character, except for code page 65001,
// where it becomes U+FFFD and no default is used). Returns nothing only when the code page is
// not supported.
std::optional<EncodedText> utf8ToCodePage(std::string_view utf8,
                                          unsigned codePage = kDefaultCodePage,
                                          std::string_view defaultChar = "?");

// As utf8ToCodePage, from UTF-16 (an unpaired surrogate has no mapping).
std::optional<EncodedText> utf16ToCodePage(std::u16string_view utf16,
                                           unsigned codePage = kDefaultCodePage,
                                           std::string_view defaultChar = "?");

// Returns text fit to show: `bytes` unchanged when they are valid UTF-8, otherwise read as
// code page 936 (older files keep such bytes as they were).
std::string textAsShown(std::string_view bytes);

} // namespace platform
