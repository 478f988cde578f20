#include "components/imaging/DecoderInputCheck.h"

#include <cstring>

namespace imaging {
namespace {

constexpr std::uint8_t kMarker = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kHuffmanTables = 0xC4;
constexpr std::uint8_t kProgressiveFrame = 0xC2;
constexpr std::size_t kMaxHuffmanCodes = 256;

bool isRestart(std::uint8_t marker)
{
    return marker >= 0xD0 && marker <= 0xD7;
}

bool isFrameHeader(std::uint8_t marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != kHuffmanTables && marker != 0xC8 &&
           marker != 0xCC;
}

// Walks the segments of a JPEG stream the way the decoder reads them: markers with their
// lengths, the tables of each Huffman segment one after the other, and the entropy-coded data
// after a scan header up to the next marker that is no stuffed byte and no restart.
class JpegWalk
{
public:
    JpegWalk(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::string refusal(bool headerOnly)
    {
        m_at = 2; // past the start-of-image marker
        while (m_at < m_size) {
            const int marker = nextMarker();
            if (marker < 0 || marker == kEndOfImage) {
                return {};
            }
            if (marker == kStartOfImage || isRestart(static_cast<std::uint8_t>(marker))) {
                continue;
            }
            if (isFrameHeader(static_cast<std::uint8_t>(marker))) {
                if (headerOnly) {
                    return {};
                }
                m_progressive = marker == kProgressiveFrame;
            }
            const long long length = segmentLength();
            if (length < 2) {
                return {}; // the decoder stops here
            }
            const std::size_t body = m_at + 2;
            if (marker == kHuffmanTables) {
                std::string refused = checkHuffmanTables(body, length - 2);
                if (!refused.empty()) {
                    return refused;
                }
            }
            if (marker == kStartOfScan) {
                std::string refused = checkScanTables(body);
                if (!refused.empty()) {
                    return refused;
                }
            }
            m_at = body + static_cast<std::size_t>(length - 2);
            if (marker == kStartOfScan) {
                skipEntropyCodedData();
            }
        }
        return {};
    }

private:
    // The next marker code, skipping bytes before it and fill bytes; -1 at the end.
    int nextMarker()
    {
        while (m_at < m_size && m_data[m_at] != kMarker) {
            ++m_at;
        }
        while (m_at < m_size && m_data[m_at] == kMarker) {
            ++m_at;
        }
        return m_at < m_size ? m_data[m_at++] : -1;
    }

    long long segmentLength() const
    {
        if (m_at + 2 > m_size) {
            return -1;
        }
        return (static_cast<long long>(m_data[m_at]) << 8) | m_data[m_at + 1];
    }

    std::uint8_t byteAt(std::size_t at) const { return at < m_size ? m_data[at] : 0; }

    std::string checkHuffmanTables(std::size_t at, long long left)
    {
        while (left > 0 && at < m_size) {
            const unsigned kind = byteAt(at) >> 4;
            const unsigned slot = byteAt(at) & 15;
            if (kind > 1 || slot > 3) {
                return {}; // the decoder refuses the segment itself
            }
            std::size_t codes = 0;
            for (std::size_t i = 1; i <= 16; ++i) {
                codes += byteAt(at + i);
            }
            if (codes > kMaxHuffmanCodes) {
                return "damaged JPEG: a Huffman table declares " + std::to_string(codes) +
                       " codes, at most 256 are possible";
            }
            m_defined[kind][slot] = true;
            at += 17 + codes;
            left -= static_cast<long long>(17 + codes);
        }
        return {};
    }

    // The decoder takes the tables a scan names without asking whether they were ever
    // defined, and decodes with whatever its memory holds then.
    std::string checkScanTables(std::size_t at) const
    {
        const unsigned components = byteAt(at);
        const std::size_t spectrum = at + 1 + 2 * components;
        const bool dcScan = byteAt(spectrum) == 0;
        const bool refinement = (byteAt(spectrum + 2) >> 4) != 0;
        const bool needsDc = m_progressive ? dcScan && !refinement : true;
        const bool needsAc = m_progressive ? !dcScan : true;
        for (unsigned i = 0; i < components && i < 4; ++i) {
            const unsigned dc = byteAt(at + 2 + 2 * i) >> 4;
            const unsigned ac = byteAt(at + 2 + 2 * i) & 15;
            if (dc > 3 || ac > 3) {
                return {}; // the decoder refuses the scan itself
            }
            if ((needsDc && !m_defined[0][dc]) || (needsAc && !m_defined[1][ac])) {
                return "damaged JPEG: a scan uses a Huffman table that is not defined";
            }
        }
        return {};
    }

    void skipEntropyCodedData()
    {
        while (m_at < m_size) {
            const void* found = std::memchr(m_data + m_at, kMarker, m_size - m_at);
            if (found == nullptr) {
                m_at = m_size;
                return;
            }
            std::size_t at =
                static_cast<std::size_t>(static_cast<const std::uint8_t*>(found) - m_data);
            std::size_t next = at + 1;
            while (next < m_size && m_data[next] == kMarker) {
                ++next;
            }
            if (next < m_size && m_data[next] != 0 && !isRestart(m_data[next])) {
                m_at = at;
                return;
            }
            m_at = next + 1;
        }
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
    bool m_progressive = false;
    bool m_defined[2][4] = {}; // DC and AC tables by slot
};

} // namespace

DecoderInputCheck::Format DecoderInputCheck::formatOf(const std::uint8_t* data, std::size_t size)
{
    static const std::uint8_t png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (data == nullptr) {
        return Format::None;
    }
    if (size >= sizeof png && std::memcmp(data, png, sizeof png) == 0) {
        return Format::Png;
    }
    if (size >= 3 && data[0] == kMarker && data[1] == kStartOfImage && data[2] == kMarker) {
        return Format::Jpeg;
    }
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        return Format::Bmp;
    }
    return Format::None;
}

std::string DecoderInputCheck::refusal(const std::uint8_t* data, std::size_t size, bool headerOnly)
{
    switch (formatOf(data, size)) {
    case Format::None:
        return "not a PNG, BMP or JPEG picture";
    case Format::Jpeg:
        return JpegWalk(data, size).refusal(headerOnly);
    default:
        return {};
    }
}

} // namespace imaging
