#include "platform/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr const char* kReplacementUtf8 = "\xEF\xBF\xBD";

bool inRange(unsigned char byte, unsigned char low, unsigned char high)
{
    return byte >= low && byte <= high;
}

} // namespace

char32_t decodeUtf8(std::string_view text, std::size_t& pos, bool& valid)
{
    const auto lead = static_cast<unsigned char>(text[pos++]);
    valid = true;
    if (lead < 0x80) {
        return lead;
    }
    int trailCount = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    char32_t value = 0;
    if (inRange(lead, 0xC2, 0xDF)) {
        trailCount = 1;
        value = lead & 0x1F;
    } else if (inRange(lead, 0xE0, 0xEF)) {
        trailCount = 2;
        value = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (inRange(lead, 0xF0, 0xF4)) {
        trailCount = 3;
        value = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;  // no overlong forms
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing past U+10FFFF
    } else {
        valid = false;
        return kReplacement;
    }
    for (int i = 0; i < trailCount; ++i) {
        if (pos >= text.size() || !inRange(static_cast<unsigned char>(text[pos]), low, high)) {
            valid = false;
            return kReplacement;
        }
        value = (value << 6) | (static_cast<unsigned char>(text[pos++]) & 0x3F);
        low = 0x80;
        high = 0xBF;
    }
    return value;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

namespace {

// Returns `text` with every ill-formed sequence replaced by U+FFFD.
std::string sanitizedUtf8(std::string_view text)
{
    if (isValidUtf8(text)) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size() + 8);
    std::size_t pos = 0;
    bool valid = true;
    while (pos < text.size()) {
        appendUtf8(out, decodeUtf8(text, pos, valid));
    }
    return out;
}

std::size_t utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0) {
        return 4;
    }
    if (lead >= 0xE0) {
        return 3;
    }
    return lead >= 0xC0 ? 2 : 1;
}

std::vector<std::string> iconvNames(unsigned codePage)
{
    switch (codePage) {
    case 936:
        return {"CP936", "GBK"};
    case 950:
        return {"CP950", "BIG5"};
    case 932:
        return {"CP932", "SHIFT_JIS"};
    case 949:
        return {"CP949", "UHC"};
    case 874:
        return {"CP874", "WINDOWS-874"};
    case 1200:
        return {"UTF-16LE"};
    case 1201:
        return {"UTF-16BE"};
    case 20127:
        return {"ASCII"};
    case 20866:
        return {"KOI8-R"};
    case 21866:
        return {"KOI8-U"};
    case 20936:
        return {"GB2312"};
    case 51932:
        return {"EUC-JP"};
    case 51936:
        return {"EUC-CN"};
    case 51949:
        return {"EUC-KR"};
    case 54936:
        return {"GB18030"};
    case kUtf8CodePage:
        return {"UTF-8"};
    default:
        break;
    }
    if (codePage >= 28591 && codePage <= 28605) {
        return {"ISO-8859-" + std::to_string(codePage - 28590)};
    }
    return {"CP" + std::to_string(codePage), "IBM" + std::to_string(codePage)};
}

// An iconv conversion descriptor, closed on destruction.
class Converter
{
public:
    // Opens a conversion between `codePage` and UTF-8, in the direction asked for.
    Converter(unsigned codePage, bool toCodePage)
    {
        for (const std::string& name : iconvNames(codePage)) {
            m_cd = toCodePage ? ::iconv_open(name.c_str(), "UTF-8")
                              : ::iconv_open("UTF-8", name.c_str());
            if (valid()) {
                break;
            }
        }
    }
    ~Converter()
    {
        if (valid()) {
            ::iconv_close(m_cd);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can, appending to `out`; stops at the first byte it cannot
    // convert (returns false, errno tells why) or when the input is used up (returns true).
    bool convert(char*& in, std::size_t& inLeft, std::string& out)
    {
        char buffer[4096];
        for (;;) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc =
                ::iconv(m_cd, inLeft ? &in : nullptr, &inLeft, &outPtr, &outLeft);
            const int error = errno;
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (rc != static_cast<std::size_t>(-1)) {
                return true;
            }
            if (error != E2BIG) {
                ::iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
                errno = error;
                return false;
            }
        }
    }

    // Appends what a stateful encoding needs to return to its initial state.
    void finish(std::string& out)
    {
        std::size_t none = 0;
        char* noInput = nullptr;
        convert(noInput, none, out);
    }

private:
    iconv_t m_cd = reinterpret_cast<iconv_t>(-1);
};

} // namespace

bool isValidUtf8(std::string_view text)
{
    std::size_t pos = 0;
    bool valid = true;
    while (pos < text.size()) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
            continue;
        }
        decodeUtf8(text, pos, valid);
        if (!valid) {
            return false;
        }
    }
    return true;
}

std::u16string utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    bool valid = true;
    while (pos < utf8.size()) {
        const char32_t c = decodeUtf8(utf8, pos, valid);
        if (c < 0x10000) {
            out += static_cast<char16_t>(c);
        } else {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        char32_t c = unit;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            c = kReplacement;
        }
        appendUtf8(out, c);
    }
    return out;
}

bool isCodePageSupported(unsigned codePage)
{
    return Converter(codePage, false).valid() && Converter(codePage, true).valid();
}

std::optional<std::string> codePageToUtf8(std::string_view bytes, unsigned codePage)
{
    if (codePage == kUtf8CodePage) {
        return sanitizedUtf8(bytes);
    }
    Converter converter(codePage, false);
    if (!converter.valid()) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    std::string input(bytes);
    char* in = input.data();
    std::size_t inLeft = input.size();
    while (!converter.convert(in, inLeft, out) && inLeft > 0) {
        // EILSEQ or an incomplete sequence at the end: that one byte forms no character.
        out += kReplacementUtf8;
        ++in;
        --inLeft;
    }
    converter.finish(out);
    return out;
}

std::optional<std::u16string> codePageToUtf16(std::string_view bytes, unsigned codePage)
{
    const std::optional<std::string> utf8 = codePageToUtf8(bytes, codePage);
    if (!utf8) {
        return std::nullopt;
    }
    return utf8ToUtf16(*utf8);
}

std::optional<EncodedText> utf8ToCodePage(std::string_view utf8, unsigned codePage,
                                          std::string_view defaultChar)
{
    EncodedText result;
    if (codePage == kUtf8CodePage) {
        result.bytes = sanitizedUtf8(utf8);
        return result;
    }
    Converter converter(codePage, true);
    if (!converter.valid()) {
        return std::nullopt;
    }
    std::string input = sanitizedUtf8(utf8);
    char* in = input.data();
    std::size_t inLeft = input.size();
    while (!converter.convert(in, inLeft, result.bytes) && inLeft > 0) {
        // The input is well-formed, so this is a character without a mapping.
        const std::size_t length =
            std::min(utf8SequenceLength(static_cast<unsigned char>(*in)), inLeft);
        result.bytes += defaultChar;
        result.usedDefaultChar = true;
        in += length;
        inLeft -= length;
    }
    converter.finish(result.bytes);
    return result;
}

std::optional<EncodedText> utf16ToCodePage(std::u16string_view utf16, unsigned codePage,
                                           std::string_view defaultChar)
{
    return utf8ToCodePage(utf16ToUtf8(utf16), codePage, defaultChar);
}

std::string textAsShown(std::string_view bytes)
{
    if (isValidUtf8(bytes)) {
        return std::string(bytes);
    }
    // Code page 936 ships with every glibc; should it be missing, fall back to U+FFFD marks.
    return codePageToUtf8(bytes, kDefaultCodePage).value_or(sanitizedUtf8(bytes));
}

} // namespace platform
