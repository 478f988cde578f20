#include "components/visual/NarrowText.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <vector>

namespace visual {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

void appendCodePoint(std::u16string& out, std::uint32_t cp)
{
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

// Decodes strict UTF-8 into `out`; returns false at the first malformed sequence.
bool decodeUtf8(const std::string& text, std::u16string* out)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned char lead = bytes[i];
        int extra = 0;
        std::uint32_t cp = 0;
        std::uint32_t minimum = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1, cp = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, cp = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, cp = lead & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (size - i <= static_cast<std::size_t>(extra) && extra > 0) {
            return false;
        }
        for (int k = 1; k <= extra; ++k) {
            const unsigned char next = bytes[i + k];
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        if (out) {
            appendCodePoint(*out, cp);
        }
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

std::u16string fromCodePage936(const std::string& text)
{
    std::u16string result;
    iconv_t cd = iconv_open("UTF-16LE", "CP936");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            result.push_back(byte < 0x80 ? static_cast<char16_t>(byte) : kReplacement);
        }
        return result;
    }
    std::string input = text;
    char* in = input.data();
    std::size_t inLeft = input.size();
    std::vector<char> buffer(input.size() * 4 + 8);
    while (inLeft > 0) {
        char* out = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t done = iconv(cd, &in, &inLeft, &out, &outLeft);
        const std::size_t produced = buffer.size() - outLeft;
        for (std::size_t k = 0; k + 1 < produced; k += 2) {
            const auto low = static_cast<unsigned char>(buffer[k]);
            const auto high = static_cast<unsigned char>(buffer[k + 1]);
            result.push_back(static_cast<char16_t>(low | (high << 8)));
        }
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // A byte that is no character of the code page: show it, then go on.
            result.push_back(kReplacement);
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return result;
}

} // namespace

bool isValidUtf8(const std::string& text)
{
    return decodeUtf8(text, nullptr);
}

std::u16string wideFromNarrow(const std::string& text)
{
    std::u16string result;
    if (decodeUtf8(text, &result)) {
        return result;
    }
    return fromCodePage936(text);
}

} // namespace visual
