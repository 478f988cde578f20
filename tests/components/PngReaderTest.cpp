// Our PNG reader against stb_image, which decoded every PNG of a build before it: the same
// RGBA pixels for every kind of PNG, and whatever it does not read itself left to stb_image.

#include "components/imaging/PngReader.h"
#include "components/packing/PictureEncoder.h"
#include "support/PngBytes.h"
#include "support/PngKinds.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using imaging::PngReader;
using testsupport::PngBytes;
using testsupport::PngKind;
using testsupport::PngKinds;

constexpr std::uint32_t kMaxSide = 0xFFFF;
constexpr std::size_t kMaxPixels = std::size_t{1} << 26;

const std::uint8_t* bytesOf(const std::string& s)
{
    return reinterpret_cast<const std::uint8_t*>(s.data());
}

// stb_image's RGBA pixels, empty when it cannot decode the data.
std::vector<std::uint8_t> stbPixels(const std::string& png)
{
    int w = 0, h = 0, n = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(bytesOf(png), static_cast<int>(png.size()), &w, &h, &n, 4),
        stbi_image_free);
    if (!pixels) {
        return {};
    }
    return {pixels.get(), pixels.get() + std::size_t(w) * h * 4};
}

PngReader::Outcome read(PngReader& reader, const std::string& png)
{
    return reader.decode(bytesOf(png), png.size(), kMaxSide, kMaxPixels);
}

std::vector<std::uint8_t> pixelsOf(const PngReader& reader)
{
    return {reader.pixels(), reader.pixels() + reader.width() * reader.height() * 4};
}

packing::PictureEncoder::Result encode(const std::string& png)
{
    packing::PictureRequest request;
    request.path = "picture.png";
    request.format = 5; // ARGB8888: every decoded byte reaches the entry
    request.quality = 1;
    std::vector<std::uint8_t> data;
    packing::PictureEncoder::Result result =
        packing::PictureEncoder::encodeBytes(request, {png.begin(), png.end()}, data);
    result.data = std::move(data);
    return result;
}

TEST(PngReaderTest, EveryKindDecodesToStbImagesPixels)
{
    // Sizes that leave interlacing passes empty, rows ending inside a byte, one pixel.
    const std::vector<std::pair<int, int>> sizes = {{1, 1}, {3, 2}, {7, 5}, {13, 9}, {33, 17}};
    PngReader reader; // one reader for all, as a worker thread has
    unsigned seed = 1;
    for (const PngKind& kind : PngKinds::all()) {
        for (const auto& [width, height] : sizes) {
            const std::string png = PngKinds::make(kind, width, height, seed, seed % 2 == 0);
            ++seed;
            SCOPED_TRACE(kind.name() + " " + std::to_string(width) + "x" + std::to_string(height));
            ASSERT_EQ(read(reader, png), PngReader::Outcome::Decoded);
            EXPECT_EQ(reader.width(), std::size_t(width));
            EXPECT_EQ(reader.height(), std::size_t(height));
            const std::vector<std::uint8_t> expected = stbPixels(png);
            ASSERT_FALSE(expected.empty());
            EXPECT_EQ(pixelsOf(reader), expected);
        }
    }
}

TEST(PngReaderTest, TransparencyChunksClearTheirColourOnly)
{
    PngReader reader;
    for (const PngKind& kind : PngKinds::all()) {
        if (!kind.transparency || kind.colourType == 3) {
            continue;
        }
        SCOPED_TRACE(kind.name());
        ASSERT_EQ(read(reader, PngKinds::make(kind, 16, 16, 7)), PngReader::Outcome::Decoded);
        std::size_t clear = 0;
        for (std::size_t i = 0; i < 16 * 16; ++i) {
            const std::uint8_t alpha = reader.pixels()[i * 4 + 3];
            ASSERT_TRUE(alpha == 0 || alpha == 255);
            clear += alpha == 0 ? 1 : 0;
        }
        // The made pictures give about a quarter of their pixels the transparent colour.
        EXPECT_GT(clear, 16u);
        EXPECT_LT(clear, 16u * 16u);
    }
}

TEST(PngReaderTest, WhatItDoesNotReadIsLeftToStbImage)
{
    const PngKind rgba{6, 8, false, false};
    const std::string png = PngKinds::make(rgba, 9, 4, 3);
    PngReader reader;
    // A filter that does not exist, in data stored without compression.
    std::string badFilter = PngBytes(2, 2, 0, "abcd").stored().bytes();
    badFilter[PngBytes::dataOffset(badFilter, "IDAT") + 2 + 5] = 7;
    std::string cut = png.substr(0, png.size() - 20);
    std::string noEnd = png.substr(0, png.size() - 12);
    std::string flipped = png;
    flipped[PngBytes::dataOffset(png, "IDAT") + 5] ^= 0x40;
    // A kind the format does not have, which stb_image reads all the same.
    std::string rgbOneBit = PngKinds::make({0, 1, false, false}, 9, 4, 3);
    rgbOneBit[PngBytes::dataOffset(rgbOneBit, "IHDR") + 9] = 2;
    for (const std::string* damaged : {&badFilter, &cut, &noEnd, &flipped, &rgbOneBit}) {
        EXPECT_EQ(read(reader, *damaged), PngReader::Outcome::Declined);
    }
    EXPECT_FALSE(encode(badFilter).ok);
    EXPECT_FALSE(encode(badFilter).error.empty());
    // The build takes or refuses the kind that does not exist as stb_image alone did.
    EXPECT_EQ(encode(rgbOneBit).ok, !stbPixels(rgbOneBit).empty());
    // The reader is still fine for the next picture.
    ASSERT_EQ(read(reader, png), PngReader::Outcome::Decoded);
    EXPECT_EQ(pixelsOf(reader), stbPixels(png));
}

TEST(PngReaderTest, DataRunningOnPastTheRowsDecodesAsBefore)
{
    // One more row of data than the header says: stb_image reads the rows it needs.
    std::string samples(4 * 3 * 3, '\x5A');
    std::string png = PngBytes(4, 3, 2, samples).bytes();
    const std::size_t at = PngBytes::dataOffset(png, "IHDR");
    png[at + 7] = 2; // height 2
    std::string fixed = png.substr(0, at - 8) + PngBytes::chunk("IHDR", png.substr(at, 13)) +
                        png.substr(at + 13 + 4);
    PngReader reader;
    EXPECT_EQ(read(reader, fixed), PngReader::Outcome::Declined);
    const packing::PictureEncoder::Result result = encode(fixed);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.entry.height, 2);
}

TEST(PngReaderTest, PaletteIndexBeyondThePaletteIsRefused)
{
    // Two colours, and a pixel using the third: stb_image would take it from memory never
    // written.
    std::string png = PngBytes(3, 1, 3, std::string("\x00\x01\x02", 3))
                          .add("PLTE", std::string("\xFF\x00\x00\x00\xFF\x00", 6))
                          .bytes();
    PngReader reader;
    ASSERT_EQ(read(reader, png), PngReader::Outcome::Refused);
    EXPECT_NE(reader.error().find("beyond the 2 colours"), std::string::npos);
    const packing::PictureEncoder::Result result = encode(png);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("picture.png"), std::string::npos);
}

TEST(PngReaderTest, DamagedPicturesKeepTheirReasons)
{
    const std::string png = PngKinds::make({2, 8, false, false}, 20, 10, 5);
    const packing::PictureEncoder::Result cut = encode(png.substr(0, 40));
    EXPECT_FALSE(cut.ok);
    EXPECT_NE(cut.error.find("cut short at byte 40"), std::string::npos) << cut.error;

    std::string badCrc = png;
    badCrc[badCrc.size() - 13] ^= 0x01; // the last byte of the pixel data's CRC
    const packing::PictureEncoder::Result damaged = encode(badCrc);
    ASSERT_TRUE(damaged.ok) << damaged.error;
    EXPECT_NE(damaged.warning.find("CRC"), std::string::npos) << damaged.warning;
    EXPECT_EQ(damaged.data, encode(png).data);
}

TEST(PngReaderTest, AReaderGivesBackTheBuffersOfALargePicture)
{
    PngReader reader;
    const PngKind grey{0, 8, false, false};
    const std::string large = PngKinds::make(grey, 3000, 2000, 1);
    ASSERT_EQ(read(reader, large), PngReader::Outcome::Decoded);
    reader.trim();
    const std::string small = PngKinds::make(grey, 5, 5, 2);
    ASSERT_EQ(read(reader, small), PngReader::Outcome::Decoded);
    EXPECT_EQ(pixelsOf(reader), stbPixels(small));
}

} // namespace
