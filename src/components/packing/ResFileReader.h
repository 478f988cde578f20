#pragma once

#include "components/packing/MappedFile.h"
#include "components/packing/ResFileLayout.h"
#include "components/packing/RgbaImage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace packing {

// Reads a picture resource file (whole, compressed or a split part) and
// decodes its entries. Every count, offset and size is checked when the file
// is parsed, so a damaged file is rejected with a message and the accessors
// never read outside it.
class ResFileReader
{
public:
    // Returns false with error() set when the file cannot be read or is
    // damaged. load() maps the file (see MappedFile); parse() takes the bytes.
    bool load(const std::string& path);
    bool parse(std::vector<std::uint8_t> bytes);

    const ResFileHeader& header() const { return m_header; }
    const std::vector<ResEntryInfo>& entries() const { return m_entries; }
    // The whole file, valid while the reader lives and loads nothing else.
    const std::uint8_t* data() const { return m_data; }
    std::size_t size() const { return m_size; }
    const std::string& error() const { return m_error; }

    // The entry's stored bytes (entry.size of them), inside bytes().
    const std::uint8_t* storedData(std::size_t index) const;
    // Bytes from the entry's offset to the next entry's offset, or to the end
    // of the file for the last one: the entry's length when splitting.
    std::size_t spanLength(std::size_t index) const;

    // The entry's uncompressed colour plane and, when flagged, alpha plane.
    // Returns false with error() set when the data do not decode; JPEG entries
    // have no planes.
    bool decodePlanes(std::size_t index, std::vector<std::uint8_t>& planes);
    // The entry as an RGBA picture. Returns false with error() set on failure.
    bool decodeRgba(std::size_t index, RgbaImage& image);

private:
    bool fail(const std::string& message);
    bool check();
    bool checkHeader();
    bool checkEntry(std::size_t index, std::size_t dataStart, std::size_t previousEnd);

    MappedFile m_mapped;
    std::vector<std::uint8_t> m_owned;
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    ResFileHeader m_header;
    std::vector<ResEntryInfo> m_entries;
    std::string m_error;
};

} // namespace packing
