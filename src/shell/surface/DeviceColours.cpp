#include "shell/surface/DeviceColours.h"

#include "components/packing/PictureEncoder.h"
#include "components/packing/PixelCodec.h"
#include "components/packing/ResFileLayout.h"
#include "components/visual/CxImage.h"

std::vector<std::uint8_t> DeviceColours::Convert(const CxImage& image, const Choice& choice)
{
    std::vector<std::uint8_t> pixels = image.Pixels();
    const std::size_t count = pixels.size() / 4;
    if (count == 0 || !packing::PictureEncoder::isSupportedFormat(choice.format)) {
        return pixels;
    }
    bool opaque = true;
    for (std::size_t i = 0; i < count && opaque; ++i) {
        opaque = pixels[i * 4 + 3] == 255;
    }
    // Best quality, as the build packs by default: the alpha stays even on opaque pictures.
    const auto encoding = packing::PictureEncoder::chooseEncoding(
        choice.format, 1, choice.alphaFormat, choice.argbOutput, opaque);
    const std::size_t bytes = packing::bytesPerPixel(encoding.format);
    if (bytes == 0) {
        return pixels;
    }
    std::vector<std::uint8_t> colour(count * bytes);
    packing::PixelCodec::encodeColour(pixels.data(), count, encoding.format, encoding.alphaPlane,
                                      colour.data());
    std::vector<std::uint8_t> alpha;
    if (encoding.alphaPlane) {
        alpha.resize(count);
        packing::PixelCodec::encodeAlpha(pixels.data(), count, alpha.data());
    }
    packing::PixelCodec::decode(colour.data(), encoding.format,
                                alpha.empty() ? nullptr : alpha.data(), count, pixels.data());
    return pixels;
}
