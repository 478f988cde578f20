#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct libdeflate_decompressor;

namespace imaging {

// A PNG reader for well-formed files: the pixel data inflated in one piece, unfiltered in
// place and expanded to RGBA with 8 bits a channel, exactly as stb_image converts them (16-bit
// samples keep their high byte, a transparent colour gets alpha 0, grey below 8 bits is
// scaled to 0..255). Anything it does not read the same way, such as damaged data, unusual
// chunk orders or kinds that do not exist, it declines, and the caller hands the file to
// stb_image, which reads it as before and gives its reasons. One reader per thread: it keeps
// its buffers from one picture to the next.
class PngReader
{
public:
    enum class Outcome
    {
        Decoded,  // pixels() holds width() x height() RGBA pixels
        Declined, // not read here: decode with stb_image
        Refused   // the file is wrong in a way that would give wrong pixels: see error()
    };

    PngReader();
    ~PngReader();
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    // Pictures wider or higher than `maxSide` or of more than `maxPixels` pixels are declined
    // before any memory is taken.
    Outcome decode(const std::uint8_t* data, std::size_t size, std::uint32_t maxSide,
                   std::size_t maxPixels);

    const std::uint8_t* pixels() const { return m_rgba.data(); }
    std::size_t width() const { return m_width; }
    std::size_t height() const { return m_height; }
    const std::string& error() const { return m_error; }

    // Gives back the buffers of a large picture, so that an idle reader holds little memory.
    void trim();

private:
    struct Header
    {
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        int depth = 0;
        int colourType = 0;
        bool interlaced = false;
        int channels = 0;
    };
    bool readChunks(const std::uint8_t* data, std::size_t size);
    bool readHeader(const std::uint8_t* body, std::uint32_t length);
    bool readPalette(const std::uint8_t* body, std::uint32_t length);
    bool readTransparency(const std::uint8_t* body, std::uint32_t length);
    bool inflate();
    bool unfilterAndExpand();
    bool expandPass(std::uint8_t* rows, std::size_t columns, std::size_t lines, std::size_t x0,
                    std::size_t y0, std::size_t xStep, std::size_t yStep);
    void unpack(const std::uint8_t* row, std::size_t columns);
    void makeGreyTable();
    void expandRow(const std::uint8_t* row, std::size_t columns, std::uint8_t* out,
                   std::size_t step);

    libdeflate_decompressor* m_inflater = nullptr;
    std::uint32_t m_maxSide = 0;
    std::size_t m_maxPixels = 0;
    Header m_header;
    std::uint8_t m_colours[256 * 4] = {}; // the palette (or grey levels) as RGBA
    std::size_t m_paletteSize = 0;
    bool m_hasPalette = false;
    bool m_hasTransparency = false;
    std::uint16_t m_transparent[3] = {}; // the transparent colour: 16-bit, or as stb scales it
    bool m_paletteIndexTooLarge = false;
    std::vector<const std::uint8_t*> m_idatData;
    std::vector<std::uint32_t> m_idatLength;
    std::vector<std::uint8_t> m_joined; // the pixel data of several chunks, one after the other
    std::vector<std::uint8_t> m_raw;    // inflated rows, each led by its filter byte
    std::vector<std::uint8_t> m_rgba;
    std::vector<std::uint8_t> m_unpacked; // a row of samples below 8 bits, a byte each
    std::size_t m_width = 0;
    std::size_t m_height = 0;
    std::string m_error;
};

} // namespace imaging
