#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace textcheck {

// What the text check found, in the order met (scene by scene, element by element).
struct TextFitReport
{
    // A string element whose text in a language does not fit its box.
    struct Overflow
    {
        std::string element; // "Scene/Group/Element"
        std::string language;
        std::string text;
        int neededWidth = 0;
        int neededHeight = 0;
        int width = 0;
        int height = 0;
        bool scrolls = false;      // text scroll on: only the height counts
        const void* key = nullptr; // the element (TextFitInput::Element::key)
        std::size_t slot = 0;      // the language's slot
    };
    // A string resource without a text in a language.
    struct MissingText
    {
        std::string string; // the resource's name
        std::string language;
        std::string reason; // "empty", "N/A", "untranslated"
    };
    // A character no measuring font draws.
    struct MissingGlyph
    {
        std::string element;
        std::string language;
        char32_t character = 0;
        std::string font;
    };
    // The script groups met and the font that measured each.
    struct FontUse
    {
        std::string script;
        std::string font;
    };

    std::vector<Overflow> overflows;
    std::vector<MissingText> missingTexts;
    std::vector<std::string> unbound; // string elements bound to no string
    std::vector<MissingGlyph> missingGlyphs;
    std::vector<FontUse> fonts;

    bool Clean() const
    {
        return overflows.empty() && missingTexts.empty() && unbound.empty() &&
               missingGlyphs.empty();
    }
    std::size_t ProblemCount() const
    {
        return overflows.size() + missingTexts.size() + unbound.size() + missingGlyphs.size();
    }

    // One line per finding, then the fonts and a count.
    std::string Text() const;
    // The same as one JSON object (schema in docs/text-check.md).
    std::string Json() const;
};

// "U+00B0" for the degree sign.
std::string CodePointName(char32_t c);

} // namespace textcheck
