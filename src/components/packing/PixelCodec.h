#pragma once

#include <cstddef>
#include <cstdint>

namespace packing {

// Converts between RGBA pictures and the colour and alpha planes of picture
// entries. Channels are quantised by rounding to the nearest level and
// expanded back by bit replication, so a round trip is off by at most half a
// level and 0 and 255 survive exactly.
class PixelCodec
{
public:
    // Writes the colour plane of `pixelCount` RGBA pixels (4 bytes each, see
    // RgbaImage) in `format` (a code with a non-zero bytesPerPixel) to `out`,
    // which has room for pixelCount * bytesPerPixel(format) bytes. Formats
    // without alpha keep the colour channels and drop the alpha; with
    // `alphaPlane` the format's own alpha bits are written as fully opaque,
    // since the separate plane carries the alpha.
    static void encodeColour(const std::uint8_t* rgba, std::size_t pixelCount, std::uint8_t format,
                             bool alphaPlane, std::uint8_t* out);
    // Writes one alpha byte per pixel to `out` (room for `pixelCount` bytes).
    static void encodeAlpha(const std::uint8_t* rgba, std::size_t pixelCount, std::uint8_t* out);

    // Decodes `pixelCount` pixels of `format` from `colour` into RGBA at `rgba`
    // (4 bytes per pixel). `alpha`, when not null, replaces the alpha of every
    // pixel. The caller guarantees the sizes.
    static void decode(const std::uint8_t* colour, std::uint8_t format, const std::uint8_t* alpha,
                       std::size_t pixelCount, std::uint8_t* rgba);
};

} // namespace packing
