#pragma once

#include <array>
#include <cstdint>
#include <string>

// One string resource: its running number, its identifier and its text in every
// language slot. The texts are owned by the record; an element that shows the
// string keeps its own copy of the whole record.
struct StringRecord
{
    static constexpr int kLanguages = 40;
    static constexpr std::size_t kIdentifierMax = 32;

    std::uint32_t number = 0;
    // Number of languages for which a text was found; 0 when none.
    std::uint32_t textCount = 0;
    std::string identifier;
    // Narrow text per language (UTF-8 in memory).
    std::array<std::string, kLanguages> texts;
    // Wide text per language as read; empty when there is none.
    std::array<std::u16string, kLanguages> wideTexts;
    // Wide text per language for display (each "[CR]" made a line feed).
    std::array<std::u16string, kLanguages> displayTexts;

    // Forgets every text (count, narrow and wide), keeping number and identifier.
    void ClearTexts();
};

inline void StringRecord::ClearTexts()
{
    textCount = 0;
    texts.fill({});
    wideTexts.fill({});
    displayTexts.fill({});
}
