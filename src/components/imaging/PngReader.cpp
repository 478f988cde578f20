#include "components/imaging/PngReader.h"

#include "components/imaging/PngChunks.h"

#include <libdeflate.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace imaging {
namespace {

constexpr std::uint32_t kIhdr = PngChunks::typeOf("IHDR");
constexpr std::uint32_t kPlte = PngChunks::typeOf("PLTE");
constexpr std::uint32_t kTrns = PngChunks::typeOf("tRNS");
constexpr std::uint32_t kIdat = PngChunks::typeOf("IDAT");
constexpr std::uint32_t kIend = PngChunks::typeOf("IEND");

constexpr int kGrey = 0;
constexpr int kColour = 2;
constexpr int kIndexed = 3;
constexpr int kGreyAlpha = 4;
constexpr int kColourAlpha = 6;

// stb_image's limits on the header: larger pictures are left to it to refuse.
constexpr std::uint32_t kMaxSide = 1u << 24;
constexpr std::uint32_t kMaxBytes = 1u << 30;

// Buffers above this size are given back by trim().
constexpr std::size_t kKeptBufferBytes = 16u << 20;

struct Pass
{
    std::size_t x0, y0, xStep, yStep;
};
constexpr Pass kFullPicture = {0, 0, 1, 1};
constexpr Pass kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                            {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

std::uint32_t bigEndian32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

std::uint16_t bigEndian16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

bool validDepth(int colourType, int depth)
{
    switch (colourType) {
    case kGrey:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case kIndexed:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case kColour:
    case kGreyAlpha:
    case kColourAlpha:
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}

int channelsOf(int colourType)
{
    switch (colourType) {
    case kColour:
        return 3;
    case kGreyAlpha:
        return 2;
    case kColourAlpha:
        return 4;
    default:
        return 1;
    }
}

// What grey samples below 8 bits are multiplied by to span 0..255.
std::uint8_t greyScale(int depth)
{
    switch (depth) {
    case 1:
        return 0xFF;
    case 2:
        return 0x55;
    case 4:
        return 0x11;
    default:
        return 1;
    }
}

std::size_t passSize(std::size_t size, std::size_t origin, std::size_t step)
{
    return (size + step - 1 - origin) / step;
}

std::size_t rowBytes(std::size_t columns, int channels, int depth)
{
    return (columns * std::size_t(channels) * std::size_t(depth) + 7) / 8;
}

int paeth(int a, int b, int c)
{
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    if (pa <= pb && pa <= pc) {
        return a;
    }
    return pb <= pc ? b : c;
}

// Undoes the filter of one row in place. `prior` is the row above, unfiltered, or null for
// a pass's first row (a row of zeros). False for a filter that does not exist.
bool unfilterRow(int filter, std::uint8_t* row, const std::uint8_t* prior, std::size_t length,
                 std::size_t bpp)
{
    switch (filter) {
    case 0:
        return true;
    case 1:
        for (std::size_t k = bpp; k < length; ++k) {
            row[k] = static_cast<std::uint8_t>(row[k] + row[k - bpp]);
        }
        return true;
    case 2:
        if (prior != nullptr) {
            for (std::size_t k = 0; k < length; ++k) {
                row[k] = static_cast<std::uint8_t>(row[k] + prior[k]);
            }
        }
        return true;
    case 3:
        if (prior == nullptr) {
            for (std::size_t k = bpp; k < length; ++k) {
                row[k] = static_cast<std::uint8_t>(row[k] + (row[k - bpp] >> 1));
            }
            return true;
        }
        for (std::size_t k = 0; k < bpp && k < length; ++k) {
            row[k] = static_cast<std::uint8_t>(row[k] + (prior[k] >> 1));
        }
        for (std::size_t k = bpp; k < length; ++k) {
            row[k] = static_cast<std::uint8_t>(row[k] + ((prior[k] + row[k - bpp]) >> 1));
        }
        return true;
    case 4:
        if (prior == nullptr) { // the left neighbour, as Paeth of (left, 0, 0) gives
            for (std::size_t k = bpp; k < length; ++k) {
                row[k] = static_cast<std::uint8_t>(row[k] + row[k - bpp]);
            }
            return true;
        }
        for (std::size_t k = 0; k < bpp && k < length; ++k) {
            row[k] = static_cast<std::uint8_t>(row[k] + prior[k]);
        }
        for (std::size_t k = bpp; k < length; ++k) {
            row[k] =
                static_cast<std::uint8_t>(row[k] + paeth(row[k - bpp], prior[k], prior[k - bpp]));
        }
        return true;
    default:
        return false;
    }
}

void put(std::uint8_t* out, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a)
{
    out[0] = r;
    out[1] = g;
    out[2] = b;
    out[3] = a;
}

} // namespace

PngReader::PngReader() : m_inflater(libdeflate_alloc_decompressor()) {}

PngReader::~PngReader()
{
    libdeflate_free_decompressor(m_inflater);
}

void PngReader::trim()
{
    for (std::vector<std::uint8_t>* buffer : {&m_joined, &m_raw, &m_rgba}) {
        if (buffer->capacity() > kKeptBufferBytes) {
            std::vector<std::uint8_t>().swap(*buffer);
        }
    }
}

PngReader::Outcome PngReader::decode(const std::uint8_t* data, std::size_t size,
                                     std::uint32_t maxSide, std::size_t maxPixels)
{
    m_error.clear();
    m_width = m_height = 0;
    m_maxSide = std::min(maxSide, kMaxSide);
    m_maxPixels = maxPixels;
    if (m_inflater == nullptr || !readChunks(data, size) || !inflate() || !unfilterAndExpand()) {
        return Outcome::Declined;
    }
    if (m_paletteIndexTooLarge) {
        m_error = "damaged picture: a pixel uses a colour beyond the " +
                  std::to_string(m_paletteSize) + " colours of its palette";
        return Outcome::Refused;
    }
    m_width = m_header.width;
    m_height = m_header.height;
    return Outcome::Decoded;
}

// Takes the chunks in the order the format lays down: the header first, at most one palette
// and one transparency chunk before the pixel data, the end chunk last. Other chunks must be
// ancillary ones, which are passed over.
bool PngReader::readChunks(const std::uint8_t* data, std::size_t size)
{
    PngChunks chunks(data, size);
    if (!chunks.isPng()) {
        return false;
    }
    m_hasPalette = false;
    m_hasTransparency = false;
    m_paletteSize = 0;
    m_idatData.clear();
    m_idatLength.clear();
    PngChunks::Chunk chunk;
    bool first = true;
    while (chunks.next(chunk)) {
        const bool header = chunk.type == kIhdr;
        if (first != header) {
            return false;
        }
        first = false;
        const bool afterPixels = !m_idatData.empty();
        if (header) {
            if (!readHeader(chunk.data, chunk.length)) {
                return false;
            }
        } else if (chunk.type == kPlte) {
            if (afterPixels || m_hasPalette || m_hasTransparency ||
                !readPalette(chunk.data, chunk.length)) {
                return false;
            }
        } else if (chunk.type == kTrns) {
            if (afterPixels || m_hasTransparency || !readTransparency(chunk.data, chunk.length)) {
                return false;
            }
        } else if (chunk.type == kIdat) {
            m_idatData.push_back(chunk.data);
            m_idatLength.push_back(chunk.length);
        } else if (chunk.type == kIend) {
            if (m_header.colourType == kGrey && m_header.depth <= 8) {
                makeGreyTable();
            }
            return !m_idatData.empty() && (m_header.colourType != kIndexed || m_hasPalette);
        } else if ((chunk.type & (1u << 29)) == 0) {
            return false; // a critical chunk unknown here
        }
    }
    return false;
}

bool PngReader::readHeader(const std::uint8_t* body, std::uint32_t length)
{
    if (length != 13) {
        return false;
    }
    Header& h = m_header;
    h.width = bigEndian32(body);
    h.height = bigEndian32(body + 4);
    h.depth = body[8];
    h.colourType = body[9];
    h.interlaced = body[12] == 1;
    h.channels = channelsOf(h.colourType);
    if (body[10] != 0 || body[11] != 0 || body[12] > 1 || !validDepth(h.colourType, h.depth)) {
        return false;
    }
    if (h.width == 0 || h.height == 0 || h.width > m_maxSide || h.height > m_maxSide) {
        return false;
    }
    const std::uint32_t samples = h.colourType == kIndexed ? 4 : std::uint32_t(h.channels);
    if (kMaxBytes / h.width / samples < h.height) {
        return false;
    }
    return std::size_t(h.width) * h.height <= m_maxPixels;
}

bool PngReader::readPalette(const std::uint8_t* body, std::uint32_t length)
{
    if (length == 0 || length > 256 * 3 || length % 3 != 0) {
        return false;
    }
    m_hasPalette = true;
    m_paletteSize = length / 3;
    for (std::size_t i = 0; i < m_paletteSize; ++i) {
        std::memcpy(&m_colours[i * 4], body + i * 3, 3);
        m_colours[i * 4 + 3] = 255;
    }
    return true;
}

bool PngReader::readTransparency(const std::uint8_t* body, std::uint32_t length)
{
    const Header& h = m_header;
    if (h.colourType == kIndexed) {
        if (!m_hasPalette || length > m_paletteSize) {
            return false;
        }
        for (std::uint32_t i = 0; i < length; ++i) {
            m_colours[i * 4 + 3] = body[i];
        }
        m_hasTransparency = true;
        return true;
    }
    if (h.colourType != kGrey && h.colourType != kColour) {
        return false;
    }
    if (length != std::uint32_t(h.channels) * 2) {
        return false;
    }
    for (int k = 0; k < h.channels; ++k) {
        const std::uint16_t value = bigEndian16(body + 2 * k);
        // Below 16 bits the decoder compares the low byte, scaled as the samples are.
        m_transparent[k] =
            h.depth == 16 ? value : static_cast<std::uint8_t>((value & 255) * greyScale(h.depth));
    }
    m_hasTransparency = true;
    return true;
}

bool PngReader::inflate()
{
    const Header& h = m_header;
    std::size_t need = 0;
    if (!h.interlaced) {
        need = h.height * (1 + rowBytes(h.width, h.channels, h.depth));
    } else {
        for (const Pass& pass : kAdam7) {
            const std::size_t columns = passSize(h.width, pass.x0, pass.xStep);
            const std::size_t lines = passSize(h.height, pass.y0, pass.yStep);
            if (columns != 0 && lines != 0) {
                need += lines * (1 + rowBytes(columns, h.channels, h.depth));
            }
        }
    }
    const std::uint8_t* input = m_idatData.front();
    std::size_t inputSize = m_idatLength.front();
    if (m_idatData.size() > 1) {
        m_joined.clear();
        for (std::size_t i = 0; i < m_idatData.size(); ++i) {
            m_joined.insert(m_joined.end(), m_idatData[i], m_idatData[i] + m_idatLength[i]);
        }
        input = m_joined.data();
        inputSize = m_joined.size();
    }
    if (m_raw.size() < need) {
        m_raw.resize(need);
    }
    // Data that ends early or runs on past the rows is left to stb_image, which refuses the
    // first and reads the second.
    std::size_t got = 0;
    return libdeflate_zlib_decompress(m_inflater, input, inputSize, m_raw.data(), need, &got) ==
               LIBDEFLATE_SUCCESS &&
           got == need;
}

bool PngReader::unfilterAndExpand()
{
    const Header& h = m_header;
    const std::size_t bytes = std::size_t(h.width) * h.height * 4;
    if (m_rgba.size() < bytes) {
        m_rgba.resize(bytes);
    }
    m_paletteIndexTooLarge = false;
    if (!h.interlaced) {
        return expandPass(m_raw.data(), h.width, h.height, kFullPicture.x0, kFullPicture.y0,
                          kFullPicture.xStep, kFullPicture.yStep);
    }
    std::uint8_t* rows = m_raw.data();
    for (const Pass& pass : kAdam7) {
        const std::size_t columns = passSize(h.width, pass.x0, pass.xStep);
        const std::size_t lines = passSize(h.height, pass.y0, pass.yStep);
        if (columns == 0 || lines == 0) {
            continue;
        }
        if (!expandPass(rows, columns, lines, pass.x0, pass.y0, pass.xStep, pass.yStep)) {
            return false;
        }
        rows += lines * (1 + rowBytes(columns, h.channels, h.depth));
    }
    return true;
}

// Unfilters the rows of one pass in place and writes each, while it is in the cache, to its
// pixels of the picture.
bool PngReader::expandPass(std::uint8_t* rows, std::size_t columns, std::size_t lines,
                           std::size_t x0, std::size_t y0, std::size_t xStep, std::size_t yStep)
{
    const Header& h = m_header;
    const std::size_t length = rowBytes(columns, h.channels, h.depth);
    const std::size_t bpp = std::max<std::size_t>(1, std::size_t(h.channels) * h.depth / 8);
    const std::uint8_t* prior = nullptr;
    for (std::size_t line = 0; line < lines; ++line) {
        std::uint8_t* row = rows + line * (length + 1);
        if (!unfilterRow(row[0], row + 1, prior, length, bpp)) {
            return false;
        }
        std::uint8_t* out = m_rgba.data() + ((y0 + line * yStep) * h.width + x0) * 4;
        expandRow(row + 1, columns, out, xStep * 4);
        prior = row + 1;
    }
    return true;
}

// Spreads the samples below 8 bits of a row to one byte each, high bits first.
void PngReader::unpack(const std::uint8_t* row, std::size_t columns)
{
    const int depth = m_header.depth;
    const int perByte = 8 / depth;
    const unsigned mask = (1u << depth) - 1;
    if (m_unpacked.size() < columns + 8) {
        m_unpacked.resize(columns + 8);
    }
    std::uint8_t* out = m_unpacked.data();
    for (std::size_t i = 0; i < columns; i += perByte, ++row) {
        for (int k = 0; k < perByte; ++k) {
            *out++ = static_cast<std::uint8_t>((*row >> (8 - depth * (k + 1))) & mask);
        }
    }
}

// Grey levels up to 8 bits as a colour table, scaled to 0..255 and cleared where the
// transparency chunk says, as stb_image does it.
void PngReader::makeGreyTable()
{
    const int levels = 1 << m_header.depth;
    const std::uint8_t scale = greyScale(m_header.depth);
    for (int v = 0; v < levels; ++v) {
        const std::uint8_t g = static_cast<std::uint8_t>(v * scale);
        const std::uint8_t a = m_hasTransparency && g == m_transparent[0] ? 0 : 255;
        const std::uint8_t rgba[4] = {g, g, g, a};
        std::memcpy(&m_colours[v * 4], rgba, 4);
    }
    m_paletteSize = std::size_t(levels);
}

void PngReader::expandRow(const std::uint8_t* row, std::size_t columns, std::uint8_t* out,
                          std::size_t step)
{
    const Header& h = m_header;
    const bool clear = m_hasTransparency;
    const std::uint16_t* tc = m_transparent;
    if (h.colourType == kIndexed || (h.colourType == kGrey && h.depth <= 8)) {
        // One sample a pixel, at most 8 bits: a look-up in the colour table.
        const std::uint8_t* samples = row;
        if (h.depth < 8) {
            unpack(row, columns);
            samples = m_unpacked.data();
        }
        std::uint8_t largest = 0;
        for (std::size_t i = 0; i < columns; ++i, out += step) {
            largest = std::max(largest, samples[i]);
            std::memcpy(out, &m_colours[samples[i] * 4], 4);
        }
        if (largest >= m_paletteSize) {
            m_paletteIndexTooLarge = true;
        }
        return;
    }
    const std::size_t s = h.depth == 16 ? 2 : 1; // bytes a sample; the high byte comes first
    switch (h.colourType) {
    case kColourAlpha:
        if (s == 1 && step == 4) {
            std::memcpy(out, row, columns * 4);
            return;
        }
        for (std::size_t i = 0; i < columns; ++i, out += step, row += 4 * s) {
            put(out, row[0], row[s], row[2 * s], row[3 * s]);
        }
        return;
    case kGreyAlpha:
        for (std::size_t i = 0; i < columns; ++i, out += step, row += 2 * s) {
            put(out, row[0], row[0], row[0], row[s]);
        }
        return;
    case kColour:
        for (std::size_t i = 0; i < columns; ++i, out += step, row += 3 * s) {
            bool transparent = clear;
            if (clear) {
                for (int k = 0; k < 3; ++k) {
                    const std::uint16_t v = s == 2 ? bigEndian16(row + 2 * k) : row[k];
                    transparent = transparent && v == tc[k];
                }
            }
            put(out, row[0], row[s], row[2 * s], transparent ? 0 : 255);
        }
        return;
    default: // grey
        for (std::size_t i = 0; i < columns; ++i, out += step, row += s) {
            const std::uint16_t v = s == 2 ? bigEndian16(row) : row[0];
            put(out, row[0], row[0], row[0], clear && v == tc[0] ? 0 : 255);
        }
        return;
    }
}

} // namespace imaging
