#include "components/packing/ResFileReader.h"

#include "components/imaging/DecoderInputCheck.h"
#include "components/packing/ByteOrder.h"
#include "components/packing/EntryCompressor.h"
#include "components/packing/PixelCodec.h"

#include <stb/stb_image.h>

#include <limits>
#include <memory>

namespace packing {

namespace {

std::string entryName(std::size_t index)
{
    return "entry " + std::to_string(index) + ": ";
}

struct StbFree
{
    void operator()(unsigned char* p) const { stbi_image_free(p); }
};

} // namespace

bool ResFileReader::load(const std::string& path)
{
    m_owned.clear();
    if (!m_mapped.open(path)) {
        m_data = nullptr;
        m_size = 0;
        m_entries.clear();
        return fail("cannot read " + path);
    }
    m_data = m_mapped.data();
    m_size = m_mapped.size();
    return check();
}

bool ResFileReader::parse(std::vector<std::uint8_t> bytes)
{
    m_mapped.close();
    m_owned = std::move(bytes);
    m_data = m_owned.data();
    m_size = m_owned.size();
    return check();
}

bool ResFileReader::check()
{
    m_entries.clear();
    m_error.clear();
    if (!checkHeader()) {
        return false;
    }
    const std::size_t dataStart = kResHeaderSize + std::size_t{m_header.count} * kResEntrySize;
    if (dataStart > m_size) {
        return fail("entry table of " + std::to_string(m_header.count) +
                    " entries exceeds the file of " + std::to_string(m_size) + " bytes");
    }
    std::size_t previousEnd = dataStart;
    for (std::size_t i = 0; i < m_header.count; ++i) {
        m_entries.push_back(readResEntry(m_data + kResHeaderSize + i * kResEntrySize));
        if (!checkEntry(i, dataStart, previousEnd)) {
            m_entries.clear();
            return false;
        }
        previousEnd = std::size_t{m_entries[i].offset} + m_entries[i].size;
    }
    return true;
}

bool ResFileReader::checkHeader()
{
    if (m_size < kResHeaderSize || getU32(m_data) != kResMagic) {
        return fail("not a picture resource file");
    }
    m_header = readResHeader(m_data);
    if (m_header.version != kResVersion) {
        return fail("unknown picture resource file version " + std::to_string(m_header.version));
    }
    if (m_header.method != kCompressionRle && m_header.method != kCompressionLz4) {
        return fail("unknown compression method " + std::to_string(m_header.method));
    }
    if ((m_header.tileWidth == 0) != (m_header.tileHeight == 0)) {
        return fail("tile size " + std::to_string(m_header.tileWidth) + "x" +
                    std::to_string(m_header.tileHeight) + " has a zero side");
    }
    return true;
}

bool ResFileReader::checkEntry(std::size_t index, std::size_t dataStart, std::size_t previousEnd)
{
    const ResEntryInfo& e = m_entries[index];
    const std::string name = entryName(index);
    if (e.offset < dataStart || e.offset < previousEnd) {
        return fail(name + "data offset " + std::to_string(e.offset) +
                    " overlaps the table or the previous entry");
    }
    if (e.offset > m_size || e.size > m_size - e.offset) {
        return fail(name + std::to_string(e.size) + " bytes at offset " + std::to_string(e.offset) +
                    " exceed the file of " + std::to_string(m_size) + " bytes");
    }
    if (!isKnownFormat(e.format) || e.compression > kCompressionLz4 ||
        (e.flags & ~kKnownFlags) != 0) {
        return fail(name + "unknown format, compression or flags");
    }
    if (e.width == 0 || e.height == 0) {
        return fail(name + "empty picture");
    }
    if (e.format == kFormatJpeg) {
        if (e.compression != kCompressionNone || (e.flags & (kFlagAlphaPlane | kFlagTiled)) != 0) {
            return fail(name + "JPEG data cannot be compressed, tiled or carry an alpha plane");
        }
        return true;
    }
    if ((e.flags & kFlagTiled) != 0 &&
        (e.compression == kCompressionNone || m_header.tileWidth == 0)) {
        return fail(name + "tiled without compression or without a tile size");
    }
    if (e.compression == kCompressionNone && e.size != rawPlaneSize(e)) {
        return fail(name + std::to_string(e.size) + " bytes do not hold " +
                    std::to_string(e.width) + "x" + std::to_string(e.height) + " " +
                    formatName(e.format) + " pixels");
    }
    return true;
}

const std::uint8_t* ResFileReader::storedData(std::size_t index) const
{
    return m_data + m_entries[index].offset;
}

std::size_t ResFileReader::spanLength(std::size_t index) const
{
    const std::size_t end = index + 1 < m_entries.size() ? m_entries[index + 1].offset : m_size;
    return end - m_entries[index].offset;
}

bool ResFileReader::decodePlanes(std::size_t index, std::vector<std::uint8_t>& planes)
{
    const ResEntryInfo& e = m_entries[index];
    if (e.format == kFormatJpeg) {
        return fail(entryName(index) + "JPEG data have no planes");
    }
    std::string error;
    if (!EntryCompressor::restore(e, storedData(index), e.size, m_header.tileWidth,
                                  m_header.tileHeight, planes, error)) {
        return fail(entryName(index) + error);
    }
    return true;
}

bool ResFileReader::decodeRgba(std::size_t index, RgbaImage& image)
{
    const ResEntryInfo& e = m_entries[index];
    image.width = e.width;
    image.height = e.height;
    const std::size_t pixels = std::size_t{e.width} * e.height;
    if (pixels > kMaxPicturePixels) {
        return fail(entryName(index) + "picture too large to decode");
    }
    if (e.format == kFormatJpeg) {
        int w = 0;
        int h = 0;
        int channels = 0;
        const int size = static_cast<int>(std::min<std::size_t>(
            e.size, static_cast<std::size_t>(std::numeric_limits<int>::max())));
        const std::string refused =
            imaging::DecoderInputCheck::refusal(storedData(index), static_cast<std::size_t>(size));
        if (!refused.empty()) {
            return fail(entryName(index) + refused);
        }
        // The header is checked first, so that a damaged entry is not decoded at all.
        if (stbi_info_from_memory(storedData(index), size, &w, &h, &channels) == 0 ||
            w != e.width || h != e.height) {
            return fail(entryName(index) + "JPEG header does not match the entry's size");
        }
        std::unique_ptr<unsigned char, StbFree> decoded(
            stbi_load_from_memory(storedData(index), size, &w, &h, &channels, 4));
        if (!decoded || w != e.width || h != e.height) {
            return fail(entryName(index) + "JPEG data do not decode to the entry's size");
        }
        image.pixels.assign(decoded.get(), decoded.get() + pixels * 4);
        return true;
    }
    std::vector<std::uint8_t> planes;
    if (!decodePlanes(index, planes)) {
        return false;
    }
    const std::size_t colourBytes = pixels * bytesPerPixel(e.format);
    image.pixels.assign(pixels * 4, 0);
    PixelCodec::decode(planes.data(), e.format,
                       e.hasAlphaPlane() ? planes.data() + colourBytes : nullptr, pixels,
                       image.pixels.data());
    return true;
}

bool ResFileReader::fail(const std::string& message)
{
    m_error = message;
    return false;
}

} // namespace packing
