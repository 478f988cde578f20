#pragma once

#include <cassert>
#include <cstddef>
#include <vector>

// One text per language slot (40 slots), stored only up to the last slot written:
// string tables fill a few languages, and a project holds thousands of records.
// Reads past the stored slots see an empty text; writing a slot makes room for it.
template <typename Text>
class LanguageTexts
{
public:
    static constexpr std::size_t kSlots = 40;

    static constexpr std::size_t size() { return kSlots; }

    // The text of `slot`; an empty one when it was never written.
    const Text& operator[](std::size_t slot) const
    {
        assert(slot < kSlots);
        static const Text kEmpty;
        return slot < m_texts.size() ? m_texts[slot] : kEmpty;
    }
    // The text of `slot`, made room for. Like a vector's elements, the texts may move
    // when a higher slot is made room for: a reference lasts until then.
    Text& operator[](std::size_t slot)
    {
        assert(slot < kSlots);
        if (slot >= m_texts.size()) {
            m_texts.resize(slot + 1);
        }
        return m_texts[slot];
    }

    // Makes room for the slots below `count` at once (a writer that knows how many
    // languages it fills); their texts stay as they are.
    void reserve(std::size_t count)
    {
        assert(count <= kSlots);
        if (count > m_texts.size()) {
            m_texts.resize(count);
        }
    }

    // Every slot gets `text` (an empty text frees the storage).
    void fill(const Text& text) { m_texts.assign(text.empty() ? 0 : kSlots, text); }

    // The stored slots, from slot 0: every slot after them is empty.
    auto begin() const { return m_texts.begin(); }
    auto end() const { return m_texts.end(); }

    friend bool operator==(const LanguageTexts& a, const LanguageTexts& b)
    {
        for (std::size_t slot = 0; slot < kSlots; ++slot) {
            if (a[slot] != b[slot]) {
                return false;
            }
        }
        return true;
    }
    friend bool operator!=(const LanguageTexts& a, const LanguageTexts& b) { return !(a == b); }

private:
    std::vector<Text> m_texts;
};
