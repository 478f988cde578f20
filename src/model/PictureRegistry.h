#pragma once

#include "model/CrcIndex.h"
#include "model/PictureRecord.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The picture resources of a project, in resource-section order, with the pictures
// found missing on disk and an O(1) lookup by stored path.
class PictureRegistry
{
public:
    // Empties the records, the missing list, the numbers and the lookup.
    void Clear();
    bool Empty() const { return m_records.empty(); }
    std::size_t Size() const { return m_records.size(); }

    // Returns the index of the record whose stored path is `storedPath`, or -1 when
    // the registry is empty, the text is empty or not registered.
    int Find(std::string_view storedPath) const;

    // Appends a record with `number` for `storedPath` (no duplicate check), names
    // it after the file and registers its key. Returns the new record.
    const PictureRecord& Append(std::uint32_t number, const std::string& storedPath);

    // Removes the records at `indices` (any order, duplicates allowed), keeping the others
    // in their order; the lookup is rebuilt and the last number becomes that of the last
    // remaining record (0 when none remains).
    void RemoveAt(const std::vector<std::size_t>& indices);

    const std::vector<PictureRecord>& Records() const { return m_records; }
    const PictureRecord& At(std::size_t index) const { return m_records.at(index); }
    // Sets the alpha format (0 or 8) the record at `index` is packed with; the path and
    // the name, which the lookup depends on, stay as registered.
    void SetAlphaFormat(std::size_t index, std::uint8_t alphaFormat)
    {
        m_records.at(index).alphaFormat = alphaFormat;
    }
    // Sets the ARGB output (0, 6 or 8) the record at `index` is packed with.
    void SetArgbOutput(std::size_t index, std::uint8_t argbOutput)
    {
        m_records.at(index).argbOutput = argbOutput;
    }

    // Numbers of the pictures whose file was not found.
    std::vector<std::uint32_t>& Missing() { return m_missing; }
    const std::vector<std::uint32_t>& Missing() const { return m_missing; }

    std::uint32_t FirstNumber() const { return m_firstNumber; }
    std::uint32_t LastNumber() const { return m_lastNumber; }
    void SetFirstNumber(std::uint32_t number) { m_firstNumber = number; }
    void SetLastNumber(std::uint32_t number) { m_lastNumber = number; }

    const CrcIndex& Lookup() const { return m_lookup; }

    // The record name for a path: the file name without directory and extension,
    // upper-cased, cut to 32 bytes.
    static std::string NameOf(std::string_view path);

private:
    std::vector<PictureRecord> m_records;
    std::vector<std::uint32_t> m_missing;
    std::uint32_t m_firstNumber = 0;
    std::uint32_t m_lastNumber = 0;
    CrcIndex m_lookup;
};
