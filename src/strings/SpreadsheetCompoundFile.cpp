#include "strings/SpreadsheetCompoundFile.h"

#include <cstring>

namespace {

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFEu;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFFu;
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kHeaderTableEntries = 109;
constexpr std::size_t kEntrySize = 128;
constexpr char kSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

std::uint32_t u32(std::string_view bytes, std::size_t at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t u16(std::string_view bytes, std::size_t at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

char upperAscii(char16_t c)
{
    if (c >= u'a' && c <= u'z') {
        return static_cast<char>(c - u'a' + 'A');
    }
    return c < 0x80 ? static_cast<char>(c) : '?';
}

std::string upper(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        out += upperAscii(static_cast<unsigned char>(c));
    }
    return out;
}

} // namespace

bool SpreadsheetCompoundFile::fail(const std::string& what)
{
    m_error = what;
    return false;
}

bool SpreadsheetCompoundFile::Open(std::string_view bytes)
{
    m_bytes = bytes;
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kSignature, 8) != 0) {
        return fail("not an .xls workbook");
    }
    const std::uint16_t major = u16(bytes, 0x1A);
    m_sectorShift = u16(bytes, 0x1E);
    m_miniShift = u16(bytes, 0x20);
    if (u16(bytes, 0x1C) != 0xFFFE || (major == 3 && m_sectorShift != 9) ||
        (major == 4 && m_sectorShift != 12) || (major != 3 && major != 4) || m_miniShift != 6) {
        return fail("the workbook's container header is damaged");
    }
    m_miniCutoff = u32(bytes, 0x38);
    const std::size_t sectorSize = std::size_t{1} << m_sectorShift;
    // The header takes the first sector's place; a last sector may be cut short.
    m_sectorCount = (bytes.size() - 1) / sectorSize;
    return readTables() && readDirectory();
}

bool SpreadsheetCompoundFile::chain(const std::vector<std::uint32_t>& table, std::uint32_t start,
                                    std::size_t limit, std::vector<std::uint32_t>& out)
{
    std::uint32_t sector = start;
    while (sector != kEndOfChain) {
        if (sector >= table.size() || out.size() >= limit) {
            return fail("the workbook is damaged: a sector chain is broken");
        }
        out.push_back(sector);
        sector = table[sector];
    }
    return true;
}

bool SpreadsheetCompoundFile::readTables()
{
    const std::size_t sectorSize = std::size_t{1} << m_sectorShift;
    const std::size_t perSector = sectorSize / 4;
    const std::uint32_t fatSectors = u32(m_bytes, 0x2C);
    std::vector<std::uint32_t> fatList;
    for (std::size_t i = 0; i < kHeaderTableEntries && fatList.size() < fatSectors; ++i) {
        fatList.push_back(u32(m_bytes, 0x4C + 4 * i));
    }
    // Further table sectors are listed in a chain of their own, the last entry of each
    // sector pointing at the next.
    std::uint32_t more = u32(m_bytes, 0x44);
    for (std::size_t hops = 0; fatList.size() < fatSectors; ++hops) {
        const std::size_t base = (std::size_t{more} + 1) * sectorSize;
        if (more >= m_sectorCount || hops > m_sectorCount || base + sectorSize > m_bytes.size()) {
            return fail("the workbook is damaged: its allocation table is incomplete");
        }
        for (std::size_t i = 0; i + 1 < perSector && fatList.size() < fatSectors; ++i) {
            fatList.push_back(u32(m_bytes, base + 4 * i));
        }
        more = u32(m_bytes, base + sectorSize - 4);
    }
    if (fatSectors == 0 || fatSectors > m_sectorCount) {
        return fail("the workbook is damaged: its allocation table is incomplete");
    }
    for (const std::uint32_t sector : fatList) {
        const std::size_t base = (std::size_t{sector} + 1) * sectorSize;
        if (sector >= m_sectorCount || base + sectorSize > m_bytes.size()) {
            return fail("the workbook is damaged: its allocation table lies past the file's end");
        }
        for (std::size_t i = 0; i < perSector; ++i) {
            m_fat.push_back(u32(m_bytes, base + 4 * i));
        }
    }
    std::vector<std::uint32_t> miniSectors;
    const std::uint32_t miniStart = u32(m_bytes, 0x3C);
    if (miniStart != kEndOfChain && miniStart != kFreeSector &&
        !chain(m_fat, miniStart, m_sectorCount, miniSectors)) {
        return false;
    }
    for (const std::uint32_t sector : miniSectors) {
        const std::size_t base = (std::size_t{sector} + 1) * sectorSize;
        if (sector >= m_sectorCount || base + sectorSize > m_bytes.size()) {
            return fail("the workbook is damaged: a sector lies past the file's end");
        }
        for (std::size_t i = 0; i < perSector; ++i) {
            m_miniFat.push_back(u32(m_bytes, base + 4 * i));
        }
    }
    return true;
}

bool SpreadsheetCompoundFile::readChain(std::uint32_t start, std::uint64_t size, std::string& out)
{
    const std::size_t sectorSize = std::size_t{1} << m_sectorShift;
    if (size > m_bytes.size()) {
        return fail("the workbook is damaged: a stream is longer than the file");
    }
    std::vector<std::uint32_t> sectors;
    if (size > 0 && !chain(m_fat, start, m_sectorCount, sectors)) {
        return false;
    }
    if (sectors.size() * std::uint64_t{sectorSize} < size) {
        return fail("the workbook is damaged: a stream is shorter than its directory says");
    }
    out.clear();
    out.reserve(static_cast<std::size_t>(size));
    for (const std::uint32_t sector : sectors) {
        const std::size_t base = (std::size_t{sector} + 1) * sectorSize;
        const std::size_t wanted = std::min<std::uint64_t>(sectorSize, size - out.size());
        if (base + wanted > m_bytes.size()) {
            return fail("the workbook is damaged or cut short: a sector lies past the file's end");
        }
        out.append(m_bytes.substr(base, wanted));
        if (out.size() == size) {
            break;
        }
    }
    return true;
}

bool SpreadsheetCompoundFile::readMiniChain(std::uint32_t start, std::uint64_t size,
                                            std::string& out)
{
    if (!m_miniStreamRead) {
        const Entry& root = m_entries.front();
        if (!readChain(root.start, root.size, m_miniStream)) {
            return false;
        }
        m_miniStreamRead = true;
    }
    const std::size_t miniSize = std::size_t{1} << m_miniShift;
    std::vector<std::uint32_t> sectors;
    if (size > 0 && !chain(m_miniFat, start, m_miniFat.size(), sectors)) {
        return false;
    }
    out.clear();
    for (const std::uint32_t sector : sectors) {
        const std::size_t base = std::size_t{sector} * miniSize;
        const std::size_t wanted = std::min<std::uint64_t>(miniSize, size - out.size());
        if (base + wanted > m_miniStream.size()) {
            return fail("the workbook is damaged: a small stream lies outside its container");
        }
        out.append(m_miniStream, base, wanted);
        if (out.size() == size) {
            break;
        }
    }
    if (out.size() < size) {
        return fail("the workbook is damaged: a stream is shorter than its directory says");
    }
    return true;
}

bool SpreadsheetCompoundFile::readDirectory()
{
    std::string directory;
    std::vector<std::uint32_t> sectors;
    if (!chain(m_fat, u32(m_bytes, 0x30), m_sectorCount, sectors)) {
        return false;
    }
    const std::size_t sectorSize = std::size_t{1} << m_sectorShift;
    if (!readChain(u32(m_bytes, 0x30), std::uint64_t{sectors.size()} * sectorSize, directory)) {
        return false;
    }
    const bool wideSizes = m_sectorShift == 12;
    for (std::size_t at = 0; at + kEntrySize <= directory.size(); at += kEntrySize) {
        const std::string_view entry(directory.data() + at, kEntrySize);
        Entry parsed;
        parsed.type = static_cast<unsigned char>(entry[0x42]);
        const std::size_t nameBytes = std::min<std::size_t>(u16(entry, 0x40), 64);
        for (std::size_t i = 0; i + 3 < nameBytes; i += 2) { // without the terminator
            parsed.name += upperAscii(u16(entry, i));
        }
        parsed.start = u32(entry, 0x74);
        parsed.size = u32(entry, 0x78);
        if (wideSizes) {
            parsed.size |= std::uint64_t{u32(entry, 0x7C)} << 32;
        }
        m_entries.push_back(std::move(parsed));
    }
    if (m_entries.empty() || m_entries.front().type != 5) {
        return fail("the workbook is damaged: its directory has no root entry");
    }
    return true;
}

const SpreadsheetCompoundFile::Entry* SpreadsheetCompoundFile::find(std::string_view name) const
{
    const std::string wanted = upper(name);
    for (const Entry& entry : m_entries) {
        if (entry.type == 2 && entry.name == wanted) {
            return &entry;
        }
    }
    return nullptr;
}

bool SpreadsheetCompoundFile::HasStream(std::string_view name) const
{
    return find(name) != nullptr;
}

bool SpreadsheetCompoundFile::ReadStream(std::string_view name, std::string& out)
{
    const Entry* entry = find(name);
    if (entry == nullptr) {
        return fail("the file holds no workbook");
    }
    if (entry->size > m_bytes.size()) {
        return fail("the workbook is damaged: a stream is longer than the file");
    }
    return entry->size < m_miniCutoff ? readMiniChain(entry->start, entry->size, out)
                                      : readChain(entry->start, entry->size, out);
}
