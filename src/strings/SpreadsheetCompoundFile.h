#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// An .xls file's container: the compound document that holds the workbook stream
// beside other streams, in sectors chained through an allocation table. Reads the
// whole file from memory and checks every chain it follows, so that a truncated or
// damaged file is reported instead of read as zeros or garbage.
class SpreadsheetCompoundFile
{
public:
    // Parses the header, the allocation tables and the directory of `bytes`. Returns
    // false and sets Error() when it is not a compound document or is damaged.
    bool Open(std::string_view bytes);

    // Returns whether the directory holds a stream named `name` (ASCII, any case).
    bool HasStream(std::string_view name) const;
    // Copies stream `name` into `out`. Returns false and sets Error() when it is
    // missing or its sectors cannot all be read.
    bool ReadStream(std::string_view name, std::string& out);

    const std::string& Error() const { return m_error; }

private:
    struct Entry
    {
        std::string name; // ASCII upper case; other characters as '?'
        int type = 0;
        std::uint32_t start = 0;
        std::uint64_t size = 0;
    };

    bool fail(const std::string& what);
    // Appends the sectors of the chain from `start` in `table` to `out`, at most
    // `limit` of them. Returns false on a loop, a bad index or a missing sector.
    bool chain(const std::vector<std::uint32_t>& table, std::uint32_t start, std::size_t limit,
               std::vector<std::uint32_t>& out);
    bool readChain(std::uint32_t start, std::uint64_t size, std::string& out);
    bool readMiniChain(std::uint32_t start, std::uint64_t size, std::string& out);
    bool readTables();
    bool readDirectory();
    const Entry* find(std::string_view name) const;

    std::string_view m_bytes;
    unsigned m_sectorShift = 9;
    unsigned m_miniShift = 6;
    std::uint32_t m_miniCutoff = 4096;
    std::size_t m_sectorCount = 0;
    std::vector<std::uint32_t> m_fat;
    std::vector<std::uint32_t> m_miniFat;
    std::vector<Entry> m_entries;
    std::string m_miniStream;
    bool m_miniStreamRead = false;
    std::string m_error;
};
