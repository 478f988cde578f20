#pragma once

#include <string>
#include <vector>

// Pseudo-languages: texts that look translated, made from the first language, so that layout
// faults show before any translation exists. One is accented, longer and bracketed
// ("[Ŝéţţîñĝš ~~~]": a text cut off loses its bracket, a text that grows runs out of its box);
// the other is drawn right to left.
class PseudoLanguages
{
public:
    using Table = std::vector<std::vector<std::string>>;

    static constexpr const char* kAccentedName = "qps-ploc";
    static constexpr const char* kMirroredName = "qps-plocm";

    // Letters accented, every line longer by `expandPercent` percent of its characters (a space
    // and tildes), the whole in brackets. Line breaks, "[CR]" and placeholders such as %d, %s
    // or %1 stay as they are; an empty text or "N/A" stays too.
    static std::string Accented(const std::string& text, int expandPercent);
    // Every line wrapped in RIGHT-TO-LEFT OVERRIDE ... POP DIRECTIONAL FORMATTING, so that it is
    // laid out and drawn right to left.
    static std::string Mirrored(const std::string& text);
    // Adds both as language columns of a table in the string files' spreadsheet form (header
    // row, "[RESLAN]" row, one row per string), made from its first language column and put
    // before the "Check" column when there is one.
    static void AddTo(Table& table, int expandPercent);
};
