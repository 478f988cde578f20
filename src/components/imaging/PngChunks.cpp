#include "components/imaging/PngChunks.h"

#include <zlib.h>

#include <cctype>
#include <cstdio>
#include <cstring>

namespace imaging {
namespace {

constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Length, type and CRC around a chunk's data.
constexpr std::size_t kChunkFrame = 12;
constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFFu;

constexpr std::uint8_t kGrey = 0;
constexpr std::uint8_t kColour = 2;

std::uint32_t bigEndian(const std::uint8_t* at)
{
    return std::uint32_t(at[0]) << 24 | std::uint32_t(at[1]) << 16 | std::uint32_t(at[2]) << 8 |
           std::uint32_t(at[3]);
}

// Bit depths the PNG standard allows for each colour type.
bool validKind(std::uint8_t colourType, std::uint8_t bitDepth)
{
    switch (colourType) {
    case 0:
        return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
    case 3:
        return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
    case 2:
    case 4:
    case 6:
        return bitDepth == 8 || bitDepth == 16;
    default:
        return false;
    }
}

std::string headerProblem(const PngChunks::Chunk& header)
{
    if (header.type != PngChunks::typeOf("IHDR")) {
        return "bad header: the first chunk is " + PngChunks::typeName(header.type) + ", not IHDR";
    }
    if (header.length != 13) {
        return "bad header: IHDR holds " + std::to_string(header.length) + " bytes instead of 13";
    }
    const std::uint8_t* d = header.data;
    if (bigEndian(d) == 0 || bigEndian(d + 4) == 0 || bigEndian(d) > kMaxChunkLength ||
        bigEndian(d + 4) > kMaxChunkLength) {
        return "bad header: size " + std::to_string(bigEndian(d)) + " x " +
               std::to_string(bigEndian(d + 4));
    }
    if (!validKind(d[9], d[8])) {
        return "unsupported kind: colour type " + std::to_string(d[9]) + " with bit depth " +
               std::to_string(d[8]);
    }
    if (d[10] != 0 || d[11] != 0 || d[12] > 1) {
        return "bad header: unknown compression, filter or interlace method";
    }
    return {};
}

} // namespace

PngChunks::PngChunks(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size)
{
    m_isPng = data != nullptr && size >= sizeof kSignature &&
              std::memcmp(data, kSignature, sizeof kSignature) == 0;
    m_at = m_isPng ? sizeof kSignature : size;
}

bool PngChunks::next(Chunk& chunk)
{
    if (m_cutShort || m_at >= m_size) {
        return false;
    }
    const std::size_t left = m_size - m_at;
    const std::uint32_t length = left >= 4 ? bigEndian(m_data + m_at) : 0;
    if (left < kChunkFrame || length > kMaxChunkLength || length > left - kChunkFrame) {
        m_cutShort = true;
        return false;
    }
    chunk.offset = m_at;
    chunk.length = length;
    chunk.type = bigEndian(m_data + m_at + 4);
    chunk.data = m_data + m_at + 8;
    m_at += kChunkFrame + length;
    return true;
}

std::optional<bool> PngChunks::hasTransparentColour(const std::uint8_t* data, std::size_t size)
{
    PngChunks chunks(data, size);
    if (!chunks.isPng()) {
        return false;
    }
    Chunk chunk;
    if (!chunks.next(chunk) || (chunk.type == typeOf("CgBI") && !chunks.next(chunk))) {
        return std::nullopt;
    }
    // The header comes first (after the mark of a PNG variant that the decoder reads too) and names
    // the colour type in its tenth byte.
    if (chunk.type != typeOf("IHDR") || chunk.length != 13) {
        return false;
    }
    const std::uint8_t colourType = chunk.data[9];
    if (colourType != kGrey && colourType != kColour) {
        return false;
    }
    // One 16-bit sample for grey, three for colour: the decoder refuses any other length.
    const std::uint32_t expected = colourType == kGrey ? 2 : 6;
    while (chunks.next(chunk)) {
        if (chunk.type == typeOf("tRNS")) {
            return chunk.length == expected;
        }
        // The decoder takes a transparency chunk only before the pixel data.
        if (chunk.type == typeOf("IDAT") || chunk.type == typeOf("IEND")) {
            return false;
        }
    }
    return std::nullopt;
}

std::string PngChunks::structureProblem(const std::uint8_t* data, std::size_t size)
{
    PngChunks chunks(data, size);
    if (!chunks.isPng()) {
        return {};
    }
    const auto cutShort = [&] {
        return "cut short at byte " + std::to_string(size) + " (in the chunk at byte " +
               std::to_string(chunks.position()) + ")";
    };
    Chunk chunk;
    if (!chunks.next(chunk) || (chunk.type == typeOf("CgBI") && !chunks.next(chunk))) {
        return chunks.cutShort() ? cutShort() : "cut short at byte " + std::to_string(size);
    }
    const std::string header = headerProblem(chunk);
    if (!header.empty()) {
        return header;
    }
    bool pixels = false;
    while (chunks.next(chunk)) {
        if (chunk.type == typeOf("IDAT")) {
            pixels = true;
        } else if (chunk.type == typeOf("IEND")) {
            return pixels ? std::string() : "no pixel data (no IDAT chunk)";
        }
    }
    return chunks.cutShort() ? cutShort() : "cut short at byte " + std::to_string(size);
}

std::string PngChunks::crcProblem(const std::uint8_t* data, std::size_t size)
{
    PngChunks chunks(data, size);
    Chunk chunk;
    while (chunks.isPng() && chunks.next(chunk)) {
        if (!crcMatches(chunk)) {
            return "CRC of its " + typeName(chunk.type) + " chunk at byte " +
                   std::to_string(chunk.offset) + " does not match";
        }
    }
    return {};
}

bool PngChunks::crcMatches(const Chunk& chunk)
{
    const std::uint8_t* typeAndData = chunk.data - 4;
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), typeAndData, static_cast<uInt>(chunk.length + 4));
    return bigEndian(chunk.data + chunk.length) == static_cast<std::uint32_t>(crc);
}

std::string PngChunks::typeName(std::uint32_t type)
{
    std::string name;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((type >> shift) & 0xFF);
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%08X", type);
            return hex;
        }
        name.push_back(c);
    }
    return name;
}

} // namespace imaging
