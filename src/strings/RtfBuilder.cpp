#include "strings/RtfBuilder.h"

#include "strings/RtfCharset.h"

#include <cstdio>
#include <vector>

namespace {

std::string fontEntry(int number, const RtfCharset::Class& charsetClass)
{
    char entry[96];
    if (charsetClass.faceName == nullptr) {
        std::snprintf(entry, sizeof entry, "{\\f%d\\fnil\\fprq2\\fcharset%d;}", number,
                      charsetClass.charset);
    } else {
        std::snprintf(entry, sizeof entry, "{\\f%d\\froman\\fprq2\\fcharset%d %s;}", number,
                      charsetClass.charset, charsetClass.faceName);
    }
    return entry;
}

} // namespace

std::string RtfBuilder::build(std::u16string_view text)
{
    std::string fontTable = "{\\fonttbl";
    std::string body;
    body.reserve(text.size() * 8);
    std::vector<int> fontCharsets; // index: font number
    int previousCharset = -1;
    char piece[64];
    for (const char16_t unit : text) {
        const RtfCharset::Class charsetClass = RtfCharset::classOf(unit);
        int font = 0;
        while (font < static_cast<int>(fontCharsets.size()) &&
               fontCharsets[font] != charsetClass.charset) {
            ++font;
        }
        if (font == static_cast<int>(fontCharsets.size())) {
            fontCharsets.push_back(charsetClass.charset);
            fontTable += fontEntry(font, charsetClass);
        }
        const unsigned value = unit; // unsigned: U+9FA5 is \u40869, never \u-24667
        if (charsetClass.charset != previousCharset) {
            std::snprintf(piece, sizeof piece, "\\f%d\\fs20\\%s\\u%u?", font,
                          charsetClass.rightToLeft ? "rtlch" : "ltrch", value);
        } else {
            std::snprintf(piece, sizeof piece, "\\u%u?", value);
        }
        body += piece;
        previousCharset = charsetClass.charset;
    }
    std::string rtf(kHeader);
    rtf += fontTable;
    rtf += '}';
    rtf += body;
    rtf += '}';
    return rtf;
}
