#pragma once

#include "components/packing/ResFileReader.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// Cuts a picture resource file (compressed or not) into part files that the
// firmware loads one at a time. Entries are grouped in order: an entry joins
// the open group while its data offset lies less than the split size after
// the offset of the group's first entry; otherwise it opens the next group.
// Part i is written beside the file as name_i.res; the file itself is kept.
//
// The whole file is checked before anything is written, and the parts are
// written to temporary files that replace their targets only when all of
// them are complete, so a damaged file or a failed write leaves every part
// file as it was.
class ResourceSplitter
{
public:
    struct Part
    {
        std::size_t first = 0;        // index of its first entry in the split file
        std::size_t count = 0;        // number of entries
        std::uint16_t startIndex = 0; // header bytes 10..11 of the part
    };

    // Reads and checks `path`, then writes its parts and removes the part
    // files beyond them that an earlier split into more parts left. `splitSize`
    // is in bytes and must be positive. Returns false with error() set; then
    // no part file was created, changed or removed.
    bool split(const std::string& path, long long splitSize);

    // Checks the file held in `bytes` and groups its entries, writing
    // nothing. Returns false with error() set when the file is damaged.
    bool plan(std::vector<std::uint8_t> bytes, long long splitSize);

    // The parts found by the last successful plan() or split().
    const std::vector<Part>& parts() const { return m_parts; }
    // The bytes of part `index` of the planned file.
    std::vector<std::uint8_t> partBytes(std::size_t index) const;
    // Path of part `index` of `path`: "_" and the number inserted before the
    // last four characters (a.res gives a_0.res). Empty when the file name
    // is shorter than four characters, which would move the part elsewhere.
    static std::string partPath(const std::string& path, std::size_t index);

    // The part files of `path` that exist with a number of `first` or more,
    // named exactly as partPath names them.
    static std::vector<std::string> partsFrom(const std::string& path, std::size_t first);

    const std::string& error() const { return m_error; }

private:
    bool fail(const std::string& message);
    bool group(std::uint64_t splitSize);
    void writePart(const Part& part, std::ostream& out) const;

    packing::ResFileReader m_reader;
    std::vector<Part> m_parts;
    std::string m_error;
};
