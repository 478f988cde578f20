#pragma once

#include "model/Crc32Key.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>

// A registry's O(1) lookup: CRC-32 key of a text to a record index. Different texts
// may share a key, so the registries confirm a hit against the record's own text.
class CrcIndex
{
public:
    void Clear() { m_map.clear(); }
    bool Empty() const { return m_map.empty(); }
    std::size_t Size() const { return m_map.size(); }

    // Registers `index` under the key of `text`; a later registration of the same
    // key replaces the earlier one.
    void Put(std::string_view text, std::uint32_t index) { m_map[Crc32Key(text)] = index; }
    // Registers `index` unless the key of `text` is taken already.
    void PutIfAbsent(std::string_view text, std::uint32_t index)
    {
        m_map.emplace(Crc32Key(text), index);
    }
    // Returns the index registered under the key of `text`, or -1.
    long Lookup(std::string_view text) const
    {
        const auto found = m_map.find(Crc32Key(text));
        return found == m_map.end() ? -1 : static_cast<long>(found->second);
    }
    const std::unordered_map<std::uint32_t, std::uint32_t>& Map() const { return m_map; }
    std::unordered_map<std::uint32_t, std::uint32_t>& Map() { return m_map; }

private:
    std::unordered_map<std::uint32_t, std::uint32_t> m_map;
};
