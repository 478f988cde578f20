#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace generate {

// The characters each font height needs, collected from the string elements during style
// generation: per height one text per language and one over all languages. Texts are kept
// whole (duplicates are dropped when a file is written), so storage grows with the text.
class CharacterSetMap
{
public:
    void clear() { m_heights.clear(); }
    bool empty() const { return m_heights.empty(); }

    // Appends `text`, a string element's text in language `language`, to that language's
    // section and to the all-languages section of `fontHeight`.
    void addText(std::uint8_t fontHeight, std::size_t language, std::u16string_view text);

    // Returns the font heights that have sections, ascending.
    std::vector<std::uint8_t> fontHeights() const;
    // Returns the all-languages text of `fontHeight` ("" when it has none).
    std::u16string allLanguagesText(std::uint8_t fontHeight) const;
    // Returns the text of `language` at `fontHeight` ("" when it has none).
    std::u16string languageText(std::uint8_t fontHeight, std::size_t language) const;

    // Writes `prefix` + "_" + height + ".txt" from the all-languages section of every font
    // height. Returns false when a file could not be written (the others are still written).
    bool writeAllLanguageSets(const std::string& prefix) const;

    // Writes `prefix` + "_" + height + "_" + `languageName` + ".txt" from the section of
    // `language` for every font height. Returns false when a file could not be written.
    bool writeLanguageSets(const std::string& prefix, const std::string& languageName,
                           std::size_t language) const;

private:
    struct Sections
    {
        std::u16string allLanguages;
        std::vector<std::u16string> languages;
    };

    std::map<std::uint8_t, Sections> m_heights;
};

} // namespace generate
