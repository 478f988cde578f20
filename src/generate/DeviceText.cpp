#include "generate/DeviceText.h"

namespace generate {

std::string toDeviceText(std::u16string_view text, bool lineBreakMode)
{
    constexpr std::u16string_view kLineBreakMark = u"[CR]";
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, kLineBreakMark.size(), kLineBreakMark) == 0) {
            out += lineBreakMode ? '\n' : '\t';
            i += kLineBreakMark.size() - 1;
            continue;
        }
        const char16_t unit = text[i];
        if (unit == u'\r' || unit == u'\n') {
            continue;
        }
        if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else if (unit < 0x800) {
            out += static_cast<char>(0xC0 | (unit >> 6));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (unit >> 12));
            out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return out;
}

std::string deviceBytes(const LanguageText& text, bool lineBreakMode)
{
    return text.isWide ? toDeviceText(text.wide, lineBreakMode) : text.narrow;
}

} // namespace generate
