#include "strings/PseudoLanguages.h"

#include <cstddef>
#include <string_view>

namespace {

constexpr std::string_view kLowerAccents[26] = {"á", "ƀ", "ç", "ð", "é", "ƒ", "ĝ", "ĥ", "î",
                                                "ĵ", "ķ", "ļ", "ɱ", "ñ", "ö", "þ", "ǫ", "ŕ",
                                                "š", "ţ", "û", "ṽ", "ŵ", "ẋ", "ý", "ž"};
constexpr std::string_view kUpperAccents[26] = {"Å", "Ɓ", "Ç", "Ð", "É", "Ƒ", "Ĝ", "Ĥ", "Î",
                                                "Ĵ", "Ķ", "Ļ", "Ṁ", "Ñ", "Ö", "Þ", "Ǫ", "Ŕ",
                                                "Ŝ", "Ţ", "Û", "Ṽ", "Ŵ", "Ẋ", "Ý", "Ž"};
constexpr std::string_view kRightToLeftOverride = "\xE2\x80\xAE"; // U+202E
constexpr std::string_view kPopDirection = "\xE2\x80\xAC";        // U+202C
constexpr std::string_view kLineMark = "[CR]";

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The length of the placeholder that starts at `at` ("%d", "%-5.2f", "%1"), or 0.
std::size_t PlaceholderLength(const std::string& text, std::size_t at)
{
    if (text[at] != '%' || at + 1 >= text.size()) {
        return 0;
    }
    std::size_t end = at + 1;
    while (end < text.size() &&
           std::string_view("-+ #0123456789.").find(text[end]) != std::string_view::npos) {
        ++end;
    }
    const bool letter = end < text.size() && ((text[end] >= 'a' && text[end] <= 'z') ||
                                              (text[end] >= 'A' && text[end] <= 'Z'));
    if (letter) {
        return end + 1 - at;
    }
    return end > at + 1 ? end - at : 0; // "%1"
}

// The lines of `text` and what separated them ("\n" or "[CR]").
void SplitLines(const std::string& text, std::vector<std::string>& lines,
                std::vector<std::string>& breaks)
{
    std::string line;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '\n' || text.compare(i, kLineMark.size(), kLineMark) == 0) {
            const std::size_t length = text[i] == '\n' ? 1 : kLineMark.size();
            breaks.push_back(text.substr(i, length));
            lines.push_back(std::move(line));
            line.clear();
            i += length;
        } else {
            line += text[i++];
        }
    }
    lines.push_back(std::move(line));
}

std::string AccentedLine(const std::string& line, int expandPercent)
{
    std::string out;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < line.size();) {
        if (const std::size_t placeholder = PlaceholderLength(line, i)) {
            out += line.substr(i, placeholder);
            i += placeholder;
            ++characters;
            continue;
        }
        const char c = line[i];
        if (c >= 'a' && c <= 'z') {
            out += kLowerAccents[c - 'a'];
        } else if (c >= 'A' && c <= 'Z') {
            out += kUpperAccents[c - 'A'];
        } else {
            out += c;
        }
        characters += IsContinuationByte(c) ? 0 : 1;
        ++i;
    }
    const std::size_t extra =
        (characters * static_cast<std::size_t>(expandPercent > 0 ? expandPercent : 0) + 99) / 100;
    if (extra >= 2) {
        out += ' ' + std::string(extra - 1, '~');
    } else if (extra == 1) {
        out += '~';
    }
    return out;
}

bool StaysAsItIs(const std::string& text)
{
    return text.empty() || text == "N/A";
}

} // namespace

std::string PseudoLanguages::Accented(const std::string& text, int expandPercent)
{
    if (StaysAsItIs(text)) {
        return text;
    }
    std::vector<std::string> lines;
    std::vector<std::string> breaks;
    SplitLines(text, lines, breaks);
    std::string out = "[";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out += AccentedLine(lines[i], expandPercent);
        if (i < breaks.size()) {
            out += breaks[i];
        }
    }
    return out + "]";
}

std::string PseudoLanguages::Mirrored(const std::string& text)
{
    if (StaysAsItIs(text)) {
        return text;
    }
    std::vector<std::string> lines;
    std::vector<std::string> breaks;
    SplitLines(text, lines, breaks);
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out += std::string(kRightToLeftOverride) + lines[i] + std::string(kPopDirection);
        if (i < breaks.size()) {
            out += breaks[i];
        }
    }
    return out;
}

void PseudoLanguages::AddTo(Table& table, int expandPercent)
{
    if (table.empty() || table.front().size() < 2) {
        return;
    }
    const std::vector<std::string>& header = table.front();
    std::size_t at = header.size();
    if (header.back() == "Check") {
        at = header.size() - 1;
    }
    for (std::size_t r = 0; r < table.size(); ++r) {
        std::vector<std::string>& row = table[r];
        if (row.size() < at) {
            row.resize(at);
        }
        std::string accented;
        std::string mirrored;
        if (r == 0 || (r == 1 && !row.empty() && row.front() == "[RESLAN]")) {
            accented = kAccentedName;
            mirrored = kMirroredName;
        } else {
            const std::string source = row.size() > 1 ? row[1] : std::string();
            accented = Accented(source, expandPercent);
            mirrored = Mirrored(source);
        }
        const auto position = row.begin() + static_cast<std::ptrdiff_t>(at);
        row.insert(row.insert(position, mirrored), accented);
    }
}
