#include "generate/ResourceSplitter.h"

#include "components/packing/ByteOrder.h"
#include "components/packing/StagedFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <utility>

using namespace packing;

namespace {

// The part's header and entry table: the split file's header with the part's
// count and start index, and its entries with offsets into the part.
std::vector<std::uint8_t> partTable(const ResFileReader& reader, const ResourceSplitter::Part& part)
{
    std::vector<std::uint8_t> table(kResHeaderSize + part.count * kResEntrySize);
    std::copy(reader.data(), reader.data() + kResHeaderSize, table.begin());
    putU16(table.data() + 4, static_cast<std::uint16_t>(part.count));
    putU16(table.data() + 10, part.startIndex);
    std::uint64_t offset = table.size();
    for (std::size_t i = 0; i < part.count; ++i) {
        const std::size_t entry = part.first + i;
        const std::uint8_t* from = reader.data() + kResHeaderSize + entry * kResEntrySize;
        std::uint8_t* to = table.data() + kResHeaderSize + i * kResEntrySize;
        std::copy(from, from + kResEntrySize, to);
        // Offsets only shrink against the split file, so they fit its u32 field.
        putU32(to, static_cast<std::uint32_t>(offset));
        offset += reader.spanLength(entry);
    }
    return table;
}

// The part's entry data: the spans of its entries, padding included, back to back.
std::pair<std::size_t, std::size_t> partData(const ResFileReader& reader,
                                             const ResourceSplitter::Part& part)
{
    const std::size_t last = part.first + part.count - 1;
    const std::size_t begin = reader.entries()[part.first].offset;
    const std::size_t end = reader.entries()[last].offset + reader.spanLength(last);
    return {begin, end};
}

std::string badSplitSize(long long splitSize)
{
    return "split size " + std::to_string(splitSize) + " is not a positive byte count";
}

} // namespace

bool ResourceSplitter::fail(const std::string& message)
{
    m_parts.clear();
    m_error = message;
    return false;
}

std::string ResourceSplitter::partPath(const std::string& path, std::size_t index)
{
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t nameLength =
        slash == std::string::npos ? path.size() : path.size() - slash - 1;
    if (nameLength < 4) {
        return {};
    }
    const std::size_t at = path.size() - 4;
    return path.substr(0, at) + "_" + std::to_string(index) + path.substr(at);
}

std::vector<std::string> ResourceSplitter::partsFrom(const std::string& path, std::size_t first)
{
    namespace fs = std::filesystem;
    const std::string zeroth = partPath(path, 0);
    if (zeroth.empty()) {
        return {};
    }
    // a_0.res: the name before the number and the four characters after it.
    const std::string name = fs::path(zeroth).filename().string();
    const std::string prefix = name.substr(0, name.size() - 5);
    const std::string suffix = name.substr(name.size() - 4);
    const fs::path folder = fs::path(zeroth).parent_path();
    std::vector<std::string> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (candidate.size() <= prefix.size() + suffix.size() ||
            candidate.compare(0, prefix.size(), prefix) != 0 ||
            candidate.compare(candidate.size() - suffix.size(), suffix.size(), suffix) != 0) {
            continue;
        }
        const std::string number =
            candidate.substr(prefix.size(), candidate.size() - prefix.size() - suffix.size());
        // Only the names partPath gives: decimal digits without a leading zero.
        const bool digits = number.find_first_not_of("0123456789") == std::string::npos;
        if (!digits || (number.size() > 1 && number[0] == '0') || number.size() > 9) {
            continue;
        }
        if (std::stoul(number) >= first && it->is_regular_file(ec)) {
            found.push_back((folder / candidate).string());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

bool ResourceSplitter::plan(std::vector<std::uint8_t> bytes, long long splitSize)
{
    m_parts.clear();
    m_error.clear();
    if (splitSize <= 0) {
        return fail(badSplitSize(splitSize));
    }
    if (!m_reader.parse(std::move(bytes))) {
        return fail("cannot split a damaged picture resource file: " + m_reader.error());
    }
    return group(static_cast<std::uint64_t>(splitSize));
}

bool ResourceSplitter::group(std::uint64_t splitSize)
{
    const std::vector<ResEntryInfo>& entries = m_reader.entries();
    const std::size_t base = m_reader.header().startIndex;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        // The reader has checked that offsets never decrease.
        if (!m_parts.empty() &&
            entries[i].offset - entries[m_parts.back().first].offset < splitSize) {
            ++m_parts.back().count;
            continue;
        }
        if (base + i > 0xFFFF) {
            return fail("entry " + std::to_string(i) + " would start a part at index " +
                        std::to_string(base + i) + ", beyond 65535");
        }
        Part part;
        part.first = i;
        part.count = 1;
        part.startIndex = static_cast<std::uint16_t>(base + i);
        m_parts.push_back(part);
    }
    return true;
}

std::vector<std::uint8_t> ResourceSplitter::partBytes(std::size_t index) const
{
    const Part& part = m_parts[index];
    std::vector<std::uint8_t> out = partTable(m_reader, part);
    const auto [begin, end] = partData(m_reader, part);
    out.insert(out.end(), m_reader.data() + begin, m_reader.data() + end);
    return out;
}

void ResourceSplitter::writePart(const Part& part, std::ostream& out) const
{
    const std::vector<std::uint8_t> table = partTable(m_reader, part);
    out.write(reinterpret_cast<const char*>(table.data()),
              static_cast<std::streamsize>(table.size()));
    const auto [begin, end] = partData(m_reader, part);
    out.write(reinterpret_cast<const char*>(m_reader.data() + begin),
              static_cast<std::streamsize>(end - begin));
}

bool ResourceSplitter::split(const std::string& path, long long splitSize)
{
    if (partPath(path, 0).empty()) {
        return fail("cannot name the parts of " + path + ": file name too short");
    }
    m_parts.clear();
    m_error.clear();
    if (splitSize <= 0) {
        return fail(badSplitSize(splitSize));
    }
    if (!m_reader.load(path)) {
        return fail("cannot split " + path + ": " + m_reader.error());
    }
    if (!group(static_cast<std::uint64_t>(splitSize))) {
        return fail(path + ": " + m_error);
    }
    StagedFiles files;
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        std::ofstream* out = files.begin(partPath(path, i));
        if (out == nullptr) {
            return fail(files.error());
        }
        writePart(m_parts[i], *out);
    }
    // Parts left by an earlier split into more parts would be loaded with the new ones.
    for (const std::string& stale : partsFrom(path, m_parts.size())) {
        files.remove(stale);
    }
    if (!files.commit()) {
        return fail(files.error());
    }
    return true;
}
