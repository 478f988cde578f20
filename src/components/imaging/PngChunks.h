#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace imaging {

// The chunk list of a PNG file, read one chunk after the other from the signature on without
// inflating anything. It answers what the decoder does not tell, such as whether a grey or
// colour picture has a transparent colour.
class PngChunks
{
public:
    struct Chunk
    {
        std::uint32_t type = 0;   // the four type bytes, big-endian
        std::size_t offset = 0;   // of its length field in the file
        std::uint32_t length = 0; // of its data
        const std::uint8_t* data = nullptr;
    };

    // Walks `data`, which must outlive the object. Starts after the signature when the data
    // has one; isPng() says whether it does.
    PngChunks(const std::uint8_t* data, std::size_t size);

    bool isPng() const { return m_isPng; }
    // Reads the next whole chunk (length, type, data and CRC all within the data) into `chunk`.
    // False at the end of the data, or at a chunk the data ends within or that declares more
    // than 2^31 - 1 bytes: cutShort() is then true.
    bool next(Chunk& chunk);
    // True once next() has met a chunk that does not fit in the data: the file was cut short
    // at byte size (or is damaged in that chunk's length field).
    bool cutShort() const { return m_cutShort; }
    // Where the chunk next() could not read starts.
    std::size_t position() const { return m_at; }

    static constexpr std::uint32_t typeOf(const char (&name)[5])
    {
        return std::uint32_t(std::uint8_t(name[0])) << 24 |
               std::uint32_t(std::uint8_t(name[1])) << 16 |
               std::uint32_t(std::uint8_t(name[2])) << 8 | std::uint32_t(std::uint8_t(name[3]));
    }

    // For a grey or colour PNG without an alpha channel: true when a transparency chunk
    // (tRNS) before its pixel data makes one colour transparent, which the decoder turns into
    // an alpha channel. False for every other kind of PNG and for data that is no PNG; nothing
    // when the data ends before the pixel data, so that the answer needs more of the file.
    static std::optional<bool> hasTransparentColour(const std::uint8_t* data, std::size_t size);

    // What is wrong with the chunks of a PNG file, worded for a message: cut short at a byte,
    // a bad header, a kind of PNG that does not exist, no pixel data. Empty when nothing is, and
    // for data that is no PNG.
    static std::string structureProblem(const std::uint8_t* data, std::size_t size);
    // The first whole chunk whose CRC does not match its type and data, worded for a message;
    // empty when every CRC matches or the data is no PNG.
    static std::string crcProblem(const std::uint8_t* data, std::size_t size);
    // Whether the CRC stored after `chunk` matches its type and data.
    static bool crcMatches(const Chunk& chunk);
    // The four letters of a chunk type, or its bytes in hexadecimal when they are not letters.
    static std::string typeName(std::uint32_t type);

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
    bool m_isPng = false;
    bool m_cutShort = false;
};

} // namespace imaging
