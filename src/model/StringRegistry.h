#pragma once

#include "model/CrcIndex.h"
#include "model/StringRecord.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The string resources of a project (or a scratch list an import fills), in order,
// with the strings that have no text, an O(1) lookup by identifier, the import's
// second map and the language names and column titles of the imported tables.
class StringRegistry
{
public:
    // Empties records, missing list, numbers and both maps. Language names, column
    // titles and the text file list are kept.
    void Clear();
    // Empties the language names and column titles.
    void ClearLanguages();
    bool Empty() const { return m_records.empty(); }
    std::size_t Size() const { return m_records.size(); }

    // Returns the index of the record with `identifier` (the later one when it is
    // listed twice), or -1 when the registry or the identifier is empty or unknown.
    int Find(std::string_view identifier) const;

    // Appends a record with `number` and `identifier` (cut to 32 bytes; no
    // duplicate check) and registers its key. Returns the new record.
    StringRecord& Append(std::uint32_t number, std::string_view identifier);

    // Removes the records at `indices` (any order, duplicates allowed), keeping the others
    // in their order; the lookup is rebuilt and the last number becomes that of the last
    // remaining record (0 when none remains).
    void RemoveAt(const std::vector<std::size_t>& indices);

    std::vector<StringRecord>& Records() { return m_records; }
    const std::vector<StringRecord>& Records() const { return m_records; }

    std::vector<std::uint32_t>& Missing() { return m_missing; }
    const std::vector<std::uint32_t>& Missing() const { return m_missing; }

    std::uint32_t FirstNumber() const { return m_firstNumber; }
    std::uint32_t LastNumber() const { return m_lastNumber; }
    void SetFirstNumber(std::uint32_t number) { m_firstNumber = number; }
    void SetLastNumber(std::uint32_t number) { m_lastNumber = number; }

    const CrcIndex& Lookup() const { return m_lookup; }
    CrcIndex& Lookup() { return m_lookup; }
    // Key of a name to the index of the string file it came from (string import).
    CrcIndex& SecondMap() { return m_secondMap; }
    const CrcIndex& SecondMap() const { return m_secondMap; }

    // The "[RESLAN]" language names and the language column titles of a table.
    std::array<std::string, StringRecord::kLanguages>& LanguageNames() { return m_languageNames; }
    const std::array<std::string, StringRecord::kLanguages>& LanguageNames() const
    {
        return m_languageNames;
    }
    // Returns the language names up to the first unnamed one: the languages that get files.
    std::vector<std::string> NamedLanguages() const;
    std::array<std::string, StringRecord::kLanguages>& ColumnTitles() { return m_columnTitles; }
    const std::array<std::string, StringRecord::kLanguages>& ColumnTitles() const
    {
        return m_columnTitles;
    }

    // The project's text file list when this registry keeps its string files, or
    // null (a scratch registry). Not owned.
    std::vector<std::string>* TextFiles() const { return m_textFiles; }
    void SetTextFiles(std::vector<std::string>* files) { m_textFiles = files; }

private:
    std::vector<StringRecord> m_records;
    std::vector<std::uint32_t> m_missing;
    std::uint32_t m_firstNumber = 0;
    std::uint32_t m_lastNumber = 0;
    CrcIndex m_lookup;
    CrcIndex m_secondMap;
    std::vector<std::string>* m_textFiles = nullptr;
    std::array<std::string, StringRecord::kLanguages> m_languageNames;
    std::array<std::string, StringRecord::kLanguages> m_columnTitles;
};
