#include "components/packing/PictureEncoder.h"

#include "components/imaging/DecodeFailure.h"
#include "components/imaging/DecoderInputCheck.h"
#include "components/imaging/PngChunks.h"
#include "components/imaging/PngReader.h"
#include "components/packing/FileBytes.h"
#include "components/packing/PixelCodec.h"

#include <stb/stb_image.h>

#include <chrono>
#include <limits>
#include <memory>

namespace packing {

namespace {

// The same colours without alpha bits, where the family has such a member.
std::uint8_t opaqueCounterpart(std::uint8_t format)
{
    switch (format) {
    case kFormatArgb8565:
    case kFormatArgb1555:
        return kFormatRgb565;
    case kFormatArgb8888:
        return kFormatRgb888;
    default:
        return format;
    }
}

bool isJpeg(const std::vector<std::uint8_t>& bytes)
{
    return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

struct StbFree
{
    void operator()(unsigned char* p) const { stbi_image_free(p); }
};

// A picture decoded to RGBA, rows top to bottom: by this thread's PNG reader, or by
// stb_image. The pixels are converted straight from the decoder's buffer, without a copy.
struct Decoded
{
    std::unique_ptr<unsigned char, StbFree> stbPixels;
    const unsigned char* pixels = nullptr;
    std::size_t width = 0;
    std::size_t height = 0;

    std::size_t count() const { return width * height; }
    bool isOpaque() const
    {
        const unsigned char* p = pixels;
        unsigned char all = 255;
        for (std::size_t i = 0; i < count(); ++i) {
            all &= p[i * 4 + 3];
        }
        return all == 255;
    }
};

// Each converting thread keeps its reader, and with it its buffers, from one picture to the
// next.
imaging::PngReader& pngReader()
{
    thread_local imaging::PngReader reader;
    return reader;
}

bool decode(const std::vector<std::uint8_t>& bytes, Decoded& image, std::string& error)
{
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        error = "file too large";
        return false;
    }
    imaging::PngReader& reader = pngReader();
    switch (reader.decode(bytes.data(), bytes.size(), 0xFFFF, kMaxPicturePixels)) {
    case imaging::PngReader::Outcome::Decoded:
        image.pixels = reader.pixels();
        image.width = reader.width();
        image.height = reader.height();
        return true;
    case imaging::PngReader::Outcome::Refused:
        error = reader.error();
        return false;
    case imaging::PngReader::Outcome::Declined:
        break;
    }
    const std::string refused = imaging::DecoderInputCheck::refusal(bytes.data(), bytes.size());
    if (!refused.empty()) {
        error = "cannot decode picture: " + refused;
        return false;
    }
    const auto failure = [&] {
        error =
            "cannot decode picture: " + imaging::decodeFailureReason(bytes.data(), bytes.size());
        return false;
    };
    const auto sizeRefused = [&error](int w, int h) {
        if (w > 0 && h > 0 && w <= 0xFFFF && h <= 0xFFFF &&
            std::size_t(w) * std::size_t(h) <= kMaxPicturePixels) {
            return false;
        }
        error = "picture size " + std::to_string(w) + "x" + std::to_string(h) +
                " outside 1..65535 or too large";
        return true;
    };
    const int length = static_cast<int>(bytes.size());
    int w = 0;
    int h = 0;
    int channels = 0;
    // The header first: a picture too large for the file is refused before its pixels take
    // the memory.
    if (stbi_info_from_memory(bytes.data(), length, &w, &h, &channels) == 0) {
        return failure();
    }
    if (sizeRefused(w, h)) {
        return false;
    }
    image.stbPixels.reset(stbi_load_from_memory(bytes.data(), length, &w, &h, &channels, 4));
    image.pixels = image.stbPixels.get();
    if (!image.pixels) {
        return failure();
    }
    if (sizeRefused(w, h)) {
        return false;
    }
    image.width = static_cast<std::size_t>(w);
    image.height = static_cast<std::size_t>(h);
    return true;
}

} // namespace

bool PictureEncoder::isSupportedFormat(int format)
{
    return format >= 0 && format <= 7 && format != 2;
}

PictureEncoder::Encoding PictureEncoder::chooseEncoding(int format, int quality, int alphaFormat,
                                                        int argbOutput, bool opaque)
{
    std::uint8_t base = static_cast<std::uint8_t>(format);
    if (argbOutput == 8) {
        base = kFormatArgb8888;
    } else if (argbOutput == 6) {
        base = kFormatArgb6666;
    }
    if (quality == 0 && opaque) {
        return {opaqueCounterpart(base), false};
    }
    if (alphaFormat == 8) {
        return {opaqueCounterpart(base), true};
    }
    return {base, false};
}

PictureEncoder::Result PictureEncoder::encodeInto(const PictureRequest& request,
                                                  std::vector<std::uint8_t>& bytes,
                                                  std::vector<std::uint8_t>& data,
                                                  PackingTimes* times)
{
    const auto start = std::chrono::steady_clock::now();
    if (isSupportedFormat(request.format) && !readFileBytes(request.path, bytes)) {
        Result result;
        result.error = "cannot read " + request.path;
        return result;
    }
    if (times != nullptr) {
        PackingTimes::add(times->decodeNs, start);
    }
    return encodeBytes(request, bytes, data, times);
}

PictureEncoder::Result PictureEncoder::encodeBytes(const PictureRequest& request,
                                                   const std::vector<std::uint8_t>& bytes,
                                                   std::vector<std::uint8_t>& data,
                                                   PackingTimes* times)
{
    Result result;
    if (!isSupportedFormat(request.format)) {
        result.error = "unknown pixel format " + std::to_string(request.format);
        return result;
    }
    auto start = std::chrono::steady_clock::now();
    Decoded image;
    // Decoding a raw JPEG as well proves that it can be read, and gives its size.
    if (!decode(bytes, image, result.error)) {
        result.error += " (" + request.path + ")";
        return result;
    }
    if (times != nullptr) {
        start = PackingTimes::add(times->decodeNs, start);
    }
    // The decoder does not look at chunk CRCs: damage inside the data would be packed unseen.
    const std::string crc = imaging::PngChunks::crcProblem(bytes.data(), bytes.size());
    if (!crc.empty() && request.strict) {
        result.error = "damaged picture: " + crc + " (" + request.path + ")";
        return result;
    }
    if (!crc.empty()) {
        result.warning = "damaged picture: " + crc + "; packed as it decodes";
    }
    ResEntryInfo& entry = result.entry;
    entry.width = static_cast<std::uint16_t>(image.width);
    entry.height = static_cast<std::uint16_t>(image.height);
    if (request.rawJpeg != 0 && isJpeg(bytes)) {
        entry.format = kFormatJpeg;
        data.assign(bytes.begin(), bytes.end());
    } else {
        // Only packing for smallest size looks at opacity: the scan is skipped otherwise.
        const bool opaque = request.quality == 0 && image.isOpaque();
        const Encoding encoding = chooseEncoding(request.format, request.quality,
                                                 request.alphaFormat, request.argbOutput, opaque);
        entry.format = encoding.format;
        if (encoding.alphaPlane) {
            entry.flags |= kFlagAlphaPlane;
        }
        data.resize(rawPlaneSize(entry));
        PixelCodec::encodeColour(image.pixels, image.count(), encoding.format, encoding.alphaPlane,
                                 data.data());
        if (encoding.alphaPlane) {
            PixelCodec::encodeAlpha(image.pixels, image.count(),
                                    data.data() + image.count() * bytesPerPixel(encoding.format));
        }
        if (request.compress != 0) {
            entry.flags |= kFlagCompress;
        }
        if (request.quality == 0) {
            entry.flags |= kFlagSmallest;
        }
    }
    pngReader().trim();
    entry.size = static_cast<std::uint32_t>(data.size());
    result.ok = true;
    if (times != nullptr) {
        PackingTimes::add(times->convertNs, start);
    }
    return result;
}

} // namespace packing
