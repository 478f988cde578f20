#include "support/PngBytes.h"

#include "components/imaging/PngChunks.h"
#include "components/visual/CxImage.h"

#include <gtest/gtest.h>

namespace {

using imaging::PngChunks;
using testsupport::PngBytes;

std::string structure(const std::string& png)
{
    return PngChunks::structureProblem(reinterpret_cast<const std::uint8_t*>(png.data()),
                                       png.size());
}

std::string crc(const std::string& png)
{
    return PngChunks::crcProblem(reinterpret_cast<const std::uint8_t*>(png.data()), png.size());
}

// A 4 x 2 RGB picture whose pixel data is stored uncompressed.
std::string storedRgb()
{
    return PngBytes(4, 2, 2, std::string(24, '\x50')).stored().bytes();
}

// `png` with its header replaced by `header`, CRC and all.
std::string withHeader(const std::string& png, const std::string& header)
{
    return png.substr(0, 8) + PngBytes::chunk("IHDR", header) + png.substr(8 + 25);
}

std::string header(char bitDepth, char colourType)
{
    return std::string("\0\0\0\4\0\0\0\2", 8) + bitDepth + colourType + std::string(3, '\0');
}

TEST(PngChunksTest, StructureProblemsNameWhatIsWrong)
{
    const std::string png = storedRgb();
    EXPECT_EQ(structure(png), "");
    EXPECT_EQ(structure("GIF89a"), "");

    // Cut anywhere: in the signature's chunk, the header, the pixel data, before the end.
    for (const std::size_t size :
         {std::size_t{12}, std::size_t{20}, std::size_t{40}, png.size() - 12, png.size() - 1}) {
        SCOPED_TRACE(size);
        EXPECT_EQ(
            structure(png.substr(0, size)).rfind("cut short at byte " + std::to_string(size), 0),
            0u)
            << structure(png.substr(0, size));
    }
    EXPECT_EQ(structure(png.substr(0, 8) + png.substr(33)),
              "bad header: the first chunk is IDAT, not IHDR");
    EXPECT_EQ(structure(withHeader(png, header('\4', '\2'))),
              "unsupported kind: colour type 2 with bit depth 4");
    EXPECT_EQ(structure(withHeader(png, header('\x08', '\7'))),
              "unsupported kind: colour type 7 with bit depth 8");
    const std::string noPixels = png.substr(0, 33) + PngBytes::chunk("IEND", "");
    EXPECT_EQ(structure(noPixels), "no pixel data (no IDAT chunk)");
}

TEST(PngChunksTest, CrcProblemNamesTheFirstDamagedChunk)
{
    std::string png = storedRgb();
    EXPECT_EQ(crc(png), "");
    const std::size_t pixels = PngBytes::dataOffset(png, "IDAT");
    png[pixels + 10] ^= 0x01;
    EXPECT_EQ(crc(png),
              "CRC of its IDAT chunk at byte " + std::to_string(pixels - 8) + " does not match");
    png[20] ^= 0x01; // the header's height: now the header fails first
    EXPECT_EQ(crc(png), "CRC of its IHDR chunk at byte 8 does not match");
}

// The decoder's own word for a PNG cut inside its header is "unknown image type"; the reason
// given names the byte instead, and is never empty.
TEST(PngChunksTest, UndecodablePicturesAreGivenTheirReason)
{
    const std::string png = storedRgb();
    const std::string cut = png.substr(0, 20);
    CxImage image;
    EXPECT_FALSE(image.Decode(reinterpret_cast<const std::uint8_t*>(cut.data()), cut.size(), 0));
    EXPECT_EQ(image.GetLastError(),
              "damaged picture: cut short at byte 20 (in the chunk at byte 8)");

    const std::string wrongKind = withHeader(png, header('\4', '\2'));
    EXPECT_FALSE(
        image.Decode(reinterpret_cast<const std::uint8_t*>(wrongKind.data()), wrongKind.size(), 0));
    EXPECT_EQ(image.GetLastError(),
              "damaged picture: unsupported kind: colour type 2 with bit depth 4");
}

} // namespace
