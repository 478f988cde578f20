#pragma once

#include "components/packing/ResFileLayout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace packing {

// Compresses and restores the planes of one picture entry, whole or in tiles.
// A tile holds the colour rows of its rectangle, then the alpha rows of the
// same rectangle when the entry has an alpha plane; each tile is coded on its
// own so that firmware can decode only the tiles it draws.
class EntryCompressor
{
public:
    struct Packed
    {
        ResEntryInfo entry; // compression and tiled flag updated; offset untouched
        std::vector<std::uint8_t> data;
    };

    // Packs the raw `planes` of `entry` (which must be uncompressed). Entries
    // not flagged for compression, and JPEG entries, come back unchanged. An
    // entry flagged "smallest" tries both methods; otherwise `method` is used.
    // The data stay raw when no method makes them smaller.
    static Packed pack(const ResEntryInfo& entry, std::vector<std::uint8_t> planes,
                       std::uint8_t method, std::uint16_t tileWidth, std::uint16_t tileHeight);

    // As pack(), but `planes` stay as they are and the coding goes through
    // `scratch` (its capacity reused): the result's data are an exact-size copy.
    static Packed packCopy(const ResEntryInfo& entry, const std::vector<std::uint8_t>& planes,
                           std::uint8_t method, std::uint16_t tileWidth, std::uint16_t tileHeight,
                           std::vector<std::uint8_t>& scratch);

    // Codes `planes` with `method` (RLE or LZ4), tiled when both tile sizes are
    // non-zero, into `out` (cleared first; its capacity reused).
    static void compressInto(const ResEntryInfo& entry, const std::vector<std::uint8_t>& planes,
                             std::uint8_t method, std::uint16_t tileWidth, std::uint16_t tileHeight,
                             std::vector<std::uint8_t>& out);

    // Restores the raw planes of a compressed or raw entry from its `size`
    // stored bytes. Returns false with `error` set when the data do not decode
    // to exactly the planes the entry describes.
    static bool restore(const ResEntryInfo& entry, const std::uint8_t* stored, std::size_t size,
                        std::uint16_t tileWidth, std::uint16_t tileHeight,
                        std::vector<std::uint8_t>& planes, std::string& error);
};

} // namespace packing
