#include "generate/CharacterSetMap.h"

#include "generate/CharacterSetFile.h"

namespace generate {

void CharacterSetMap::addText(std::uint8_t fontHeight, std::size_t language,
                              std::u16string_view text)
{
    Sections& sections = m_heights[fontHeight];
    if (sections.languages.size() <= language) {
        sections.languages.resize(language + 1);
    }
    sections.languages[language].append(text);
    sections.allLanguages.append(text);
}

std::vector<std::uint8_t> CharacterSetMap::fontHeights() const
{
    std::vector<std::uint8_t> heights;
    for (const auto& entry : m_heights) {
        heights.push_back(entry.first);
    }
    return heights;
}

std::u16string CharacterSetMap::allLanguagesText(std::uint8_t fontHeight) const
{
    const auto found = m_heights.find(fontHeight);
    return found == m_heights.end() ? std::u16string() : found->second.allLanguages;
}

std::u16string CharacterSetMap::languageText(std::uint8_t fontHeight, std::size_t language) const
{
    const auto found = m_heights.find(fontHeight);
    if (found == m_heights.end() || language >= found->second.languages.size()) {
        return {};
    }
    return found->second.languages[language];
}

bool CharacterSetMap::writeAllLanguageSets(const std::string& prefix) const
{
    bool allWritten = true;
    for (const auto& [height, sections] : m_heights) {
        const std::string path = prefix + "_" + std::to_string(height) + ".txt";
        allWritten = writeCharacterSetFile(path, sections.allLanguages) && allWritten;
    }
    return allWritten;
}

bool CharacterSetMap::writeLanguageSets(const std::string& prefix, const std::string& languageName,
                                        std::size_t language) const
{
    bool allWritten = true;
    for (const auto& entry : m_heights) {
        const std::string path =
            prefix + "_" + std::to_string(entry.first) + "_" + languageName + ".txt";
        allWritten = writeCharacterSetFile(path, languageText(entry.first, language)) && allWritten;
    }
    return allWritten;
}

} // namespace generate
