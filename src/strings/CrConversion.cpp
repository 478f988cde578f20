#include "strings/CrConversion.h"

namespace strings {

int ReplaceCR(std::u16string& text, bool lineFeed)
{
    static constexpr std::u16string_view kMark = u"[CR]";
    if (text.size() < 5) {
        return 0;
    }
    std::size_t found = text.find(kMark);
    if (found == std::u16string::npos) {
        return 0;
    }
    const char16_t replacement = lineFeed ? u'\n' : u'\t';
    int count = 0;
    std::size_t out = found;
    std::size_t in = found;
    // One pass that moves the rest of the text left behind each replacement.
    while (in < text.size()) {
        if (text.compare(in, kMark.size(), kMark) == 0) {
            text[out++] = replacement;
            in += kMark.size();
            ++count;
        } else {
            text[out++] = text[in++];
        }
    }
    text.resize(out);
    return count;
}

} // namespace strings
