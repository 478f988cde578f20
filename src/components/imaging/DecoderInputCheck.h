#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace imaging {

// What may be handed to the picture decoder (stb_image). Projects use PNG, BMP and JPEG
// pictures; the decoder would also take GIF, PSD, TGA and other formats by their content, and
// its JPEG reader writes past its Huffman tables when a table declares more than 256 codes,
// and decodes a scan with tables no segment defined. Data of other formats and such JPEG data
// are refused before the decoder sees them.
class DecoderInputCheck
{
public:
    enum class Format
    {
        None,
        Png,
        Bmp,
        Jpeg
    };

    // The format the data's signature gives, None for any other.
    static Format formatOf(const std::uint8_t* data, std::size_t size);

    // Why `data` must not be decoded; empty when it may be. With `headerOnly` a JPEG is
    // walked only up to its frame header, as far as reading its size goes.
    static std::string refusal(const std::uint8_t* data, std::size_t size, bool headerOnly = false);
};

} // namespace imaging
