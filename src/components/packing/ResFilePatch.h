#pragma once

#include "components/packing/ResFileLayout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace packing {

// Writes a picture resource file into an open file that may already hold some of its entries
// at their places (an earlier file of the same pictures), so that only what differs is written.
// Every other entry comes from its bytes in memory or from a range of another open file.
class ResFilePatch
{
public:
    struct Entry
    {
        ResEntryInfo info; // offset: where the entry goes, set by place()
        // The entry's bytes, or else where to copy them from.
        const std::vector<std::uint8_t>* data = nullptr;
        int sourceFd = -1;
        std::uint64_t sourceOffset = 0;
        // The file written holds the entry at info.offset already, padding included.
        bool inPlace = false;
    };

    // Sets each entry's offset as the file lays the entries out after the header and table;
    // false past 4 GiB.
    static bool place(std::vector<Entry>& entries);
    // Writes the header, the table and every entry not in place into `fd`, and cuts the file
    // to its end. Returns false with `error` set when a read or write failed.
    static bool write(int fd, const ResFileHeader& header, const std::vector<Entry>& entries,
                      std::string& error);
};

} // namespace packing
