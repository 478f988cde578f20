#pragma once

#include "model/LanguageTexts.h"

#include <cstdint>
#include <string>

// One string resource: its running number, its identifier and its text in every
// language slot. The texts are owned by the record; an element that shows the
// string keeps its own copy of the whole record.
struct StringRecord
{
    static constexpr int kLanguages = LanguageTexts<std::string>::kSlots;
    static constexpr std::size_t kIdentifierMax = 32;

    std::uint32_t number = 0;
    // Number of languages for which a text was found; 0 when none.
    std::uint32_t textCount = 0;
    std::string identifier;
    // Narrow text per language (UTF-8 in memory).
    LanguageTexts<std::string> texts;
    // Wide text per language as read; empty when there is none.
    LanguageTexts<std::u16string> wideTexts;
    // Wide text per language for display (each "[CR]" made a line feed).
    LanguageTexts<std::u16string> displayTexts;

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
