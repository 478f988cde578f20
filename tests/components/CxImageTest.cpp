#include "PictureFiles.h"
#include "support/PngBytes.h"

#include "components/visual/CxImage.h"
#include "components/visual/CxMemFile.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::vector<std::uint8_t> gradient(int width, int height, int channels)
{
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < width * height; ++i) {
        for (int c = 0; c < channels; ++c) {
            pixels.push_back(static_cast<std::uint8_t>(i * 40 + c * 60 + 7));
        }
    }
    return pixels;
}

std::vector<std::uint8_t> firstPixel(const CxImage& image)
{
    return {image.GetBits(), image.GetBits() + 4};
}

class CxImageFiles : public ::testing::Test
{
protected:
    PictureFiles files;
};

} // namespace

TEST_F(CxImageFiles, PngReportsAlphaOnlyWhenItHasAnAlphaChannel)
{
    struct Case
    {
        int channels;
        int colorType;
    };
    for (const Case c : {Case{4, CxImage::kColorAlpha}, Case{2, CxImage::kColorAlpha},
                         Case{3, CxImage::kColorRgb}, Case{1, CxImage::kColorRgb}}) {
        const auto pixels = gradient(3, 2, c.channels);
        const std::string path =
            files.png("c" + std::to_string(c.channels) + ".png", 3, 2, c.channels, pixels);
        CxImage image(CxImage::kFormatPng);
        ASSERT_TRUE(image.Load(path, CxImage::kFormatPng)) << image.GetLastError();
        EXPECT_EQ(image.GetWidth(), 3);
        EXPECT_EQ(image.GetHeight(), 2);
        EXPECT_EQ(image.GetColorType(), c.colorType) << c.channels << " channels";
        EXPECT_EQ(image.GetType(), CxImage::kFormatPng);
        EXPECT_EQ(image.Pixels().size(), 3u * 2u * 4u);
    }

    const std::string rgba = files.png("rgba.png", 3, 2, 4, gradient(3, 2, 4));
    CxImage image;
    ASSERT_TRUE(image.Load(rgba));
    EXPECT_EQ(firstPixel(image), (std::vector<std::uint8_t>{7, 67, 127, 187}));
    const std::string rgb = files.png("rgb.png", 3, 2, 3, gradient(3, 2, 3));
    ASSERT_TRUE(image.Load(rgb));
    EXPECT_EQ(firstPixel(image), (std::vector<std::uint8_t>{7, 67, 127, 255}));
}

TEST_F(CxImageFiles, PaletteWithTransparencyCountsAsAlpha)
{
    CxImage clear;
    ASSERT_TRUE(clear.Load(files.palettePng("trns.png", true))) << clear.GetLastError();
    EXPECT_EQ(clear.GetColorType(), CxImage::kColorAlpha);
    EXPECT_EQ(firstPixel(clear), (std::vector<std::uint8_t>{255, 0, 0, 0}));

    CxImage opaque;
    ASSERT_TRUE(opaque.Load(files.palettePng("plain.png", false))) << opaque.GetLastError();
    EXPECT_EQ(opaque.GetColorType(), CxImage::kColorRgb);
    EXPECT_EQ(firstPixel(opaque), (std::vector<std::uint8_t>{255, 0, 0, 255}));
}

// A grey or colour PNG whose tRNS chunk makes one colour clear decodes with that colour's
// alpha 0, as a palette with transparent entries does: both have alpha, in the header reading too.
TEST_F(CxImageFiles, TransparentColourOfGreyAndColourPngsCountsAsAlpha)
{
    using testsupport::PngBytes;
    struct Case
    {
        const char* name;
        std::string path;
        bool alpha;
    };
    const std::string grey("\x0A\xC8", 2);
    const std::string rgb("\x0A\x14\x1E\xC8\xC8\xC8", 6);
    const std::vector<Case> cases = {
        {"grey, tRNS",
         PngBytes(2, 1, 0, grey)
             .add("tRNS", std::string("\0\x0A", 2))
             .write(files.path("grey_trns.png")),
         true},
        {"rgb, tRNS",
         PngBytes(2, 1, 2, rgb)
             .add("tRNS", std::string("\0\x0A\0\x14\0\x1E", 6))
             .write(files.path("rgb_trns.png")),
         true},
        {"grey", PngBytes(2, 1, 0, grey).write(files.path("grey.png")), false},
        {"rgb", PngBytes(2, 1, 2, rgb).write(files.path("rgb.png")), false},
        {"palette, tRNS", files.palettePng("palette_trns.png", true), true},
        {"palette", files.palettePng("palette.png", false), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CxImage image;
        ASSERT_TRUE(image.Load(c.path)) << image.GetLastError();
        EXPECT_EQ(image.GetColorType(), c.alpha ? CxImage::kColorAlpha : CxImage::kColorRgb);
        CxImage::Info info;
        std::string error;
        ASSERT_TRUE(CxImage::ReadSize(c.path, info, &error)) << error;
        EXPECT_EQ(info.hasAlpha, c.alpha);
    }
    CxImage image;
    ASSERT_TRUE(image.Load(cases[1].path));
    EXPECT_EQ(firstPixel(image), (std::vector<std::uint8_t>{10, 20, 30, 0}));
    EXPECT_EQ(image.Pixels()[7], 255);
}

// Text chunks before the transparency chunk may be larger than the header reading's first
// bytes: it reads on until the pixel data.
TEST_F(CxImageFiles, ReadSizeFindsATransparencyChunkBeyondTheFirstBytes)
{
    const std::string path =
        testsupport::PngBytes(1, 1, 0, std::string(1, '\x0A'))
            .add("tEXt", "Comment" + std::string(1, '\0') + std::string(40000, 'x'))
            .add("tRNS", std::string("\0\x0A", 2))
            .write(files.path("late_trns.png"));
    CxImage::Info info;
    std::string error;
    ASSERT_TRUE(CxImage::ReadSize(path, info, &error)) << error;
    EXPECT_TRUE(info.hasAlpha);
    EXPECT_EQ(info.width, 1);
}

TEST_F(CxImageFiles, BmpAndJpegDecodeWithoutAlpha)
{
    const auto rgb = gradient(5, 4, 3);
    CxImage bmp;
    ASSERT_TRUE(bmp.Load(files.bmp("a.bmp", 5, 4, rgb), CxImage::kFormatBmp));
    EXPECT_EQ(bmp.GetWidth(), 5);
    EXPECT_EQ(bmp.GetHeight(), 4);
    EXPECT_EQ(bmp.GetColorType(), CxImage::kColorRgb);
    EXPECT_EQ(bmp.GetType(), CxImage::kFormatBmp);
    EXPECT_EQ(firstPixel(bmp), (std::vector<std::uint8_t>{7, 67, 127, 255}));

    CxImage jpeg;
    ASSERT_TRUE(jpeg.Load(files.jpeg("a.jpg", 16, 8, gradient(16, 8, 3)), CxImage::kFormatJpg));
    EXPECT_EQ(jpeg.GetWidth(), 16);
    EXPECT_EQ(jpeg.GetHeight(), 8);
    EXPECT_EQ(jpeg.GetColorType(), CxImage::kColorRgb);
    EXPECT_EQ(jpeg.GetType(), CxImage::kFormatJpg);
}

TEST_F(CxImageFiles, ContentDecidesTheFormatNotTheNameOrTheExpectedType)
{
    const std::string png = files.png("x.png", 2, 2, 4, gradient(2, 2, 4));
    const std::string renamed = files.bytes("really_png.jpg", PictureFiles::read(png));
    CxImage image(CxImage::kFormatJpg);
    ASSERT_TRUE(image.Load(renamed, CxImage::kFormatJpg));
    EXPECT_EQ(image.GetType(), CxImage::kFormatPng);
    EXPECT_EQ(image.GetColorType(), CxImage::kColorAlpha);
}

TEST_F(CxImageFiles, ReadSizeAgreesWithLoad)
{
    const std::vector<std::string> paths = {
        files.png("a.png", 7, 3, 4, gradient(7, 3, 4)),
        files.png("b.png", 4, 9, 3, gradient(4, 9, 3)),
        files.png("c.png", 2, 2, 2, gradient(2, 2, 2)),
        files.palettePng("d.png", true),
        files.palettePng("e.png", false),
        files.bmp("f.bmp", 6, 5, gradient(6, 5, 3)),
        files.jpeg("g.jpg", 9, 11, gradient(9, 11, 3)),
    };
    for (const std::string& path : paths) {
        CxImage image;
        ASSERT_TRUE(image.Load(path)) << path;
        CxImage::Info info;
        std::string error;
        ASSERT_TRUE(CxImage::ReadSize(path, info, &error)) << error;
        EXPECT_EQ(info.width, image.GetWidth()) << path;
        EXPECT_EQ(info.height, image.GetHeight()) << path;
        EXPECT_EQ(info.hasAlpha, image.GetColorType() == CxImage::kColorAlpha) << path;
        EXPECT_EQ(info.format, image.GetType()) << path;
    }
}

TEST_F(CxImageFiles, BadFilesFailCleanlyAndKeepThePreviousPicture)
{
    const std::string good = files.png("good.png", 3, 3, 4, gradient(3, 3, 4));
    const std::string whole = PictureFiles::read(good);
    const std::vector<std::string> bad = {
        files.bytes("garbage.png", "this is not a picture at all, just some text"),
        files.bytes("empty.png", ""),
        files.bytes("truncated.png", whole.substr(0, 45)),
        files.bytes("header_only.jpg", std::string("\xFF\xD8\xFF\xE0", 4)),
        files.path("missing.png"),
    };
    CxImage image;
    ASSERT_TRUE(image.Load(good));
    for (const std::string& path : bad) {
        EXPECT_FALSE(image.Load(path)) << path;
        EXPECT_NE(image.GetLastError().find(path), std::string::npos) << image.GetLastError();
        EXPECT_EQ(image.GetWidth(), 3) << path;
        EXPECT_EQ(image.GetColorType(), CxImage::kColorAlpha) << path;
    }
    CxImage::Info info;
    std::string error;
    EXPECT_FALSE(CxImage::ReadSize(bad[0], info, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(CxImage::ReadSize(bad[4], info, nullptr));
}

TEST_F(CxImageFiles, OversizedHeaderIsRefusedBeforeDecoding)
{
    // A PNG header claiming 9000 x 9000 pixels: within the decoder's own limits, so only
    // our cap stops it before the allocation.
    std::string png = PictureFiles::read(files.png("big.png", 1, 1, 3, {1, 2, 3}));
    const std::string size("\x00\x00\x23\x28\x00\x00\x23\x28", 8);
    png.replace(16, 8, size);
    const std::string path = files.bytes("claims_big.png", png);
    CxImage image;
    EXPECT_FALSE(image.Load(path));
    CxImage::Info info;
    EXPECT_FALSE(CxImage::ReadSize(path, info));
}

TEST_F(CxImageFiles, CopiesAreIndependentAndDestroyEmpties)
{
    CxImage image;
    ASSERT_TRUE(image.Load(files.png("a.png", 2, 2, 4, gradient(2, 2, 4))));
    CxImage copy(image);
    image.Destroy();
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(image.GetColorType(), CxImage::kColorNone);
    EXPECT_EQ(firstPixel(copy), (std::vector<std::uint8_t>{7, 67, 127, 187}));
}

TEST_F(CxImageFiles, DecodesFromAMemoryFileAtItsPosition)
{
    const std::string png = PictureFiles::read(files.png("m.png", 4, 3, 3, gradient(4, 3, 3)));
    const std::string packed = "HEADER" + png;
    CxMemFile file(packed.data(), packed.size());
    CxImage image;
    EXPECT_FALSE(image.Decode(file)); // the prefix is no picture
    ASSERT_TRUE(file.Seek(6, SEEK_SET));
    ASSERT_TRUE(image.Decode(file)) << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), 4);
    EXPECT_EQ(image.GetHeight(), 3);
}

TEST(CxMemFile, ReadsAndSeeksWithinTheBufferOnly)
{
    const char data[] = "abcdef";
    CxMemFile file(data, 6);
    char out[8] = {};
    EXPECT_EQ(file.Read(out, 4), 4u);
    EXPECT_EQ(std::string(out, 4), "abcd");
    EXPECT_EQ(file.Read(out, 8), 2u);
    EXPECT_TRUE(file.Eof());
    EXPECT_EQ(file.Read(out, 8), 0u);

    EXPECT_TRUE(file.Seek(-2, SEEK_END));
    EXPECT_EQ(file.Tell(), 4u);
    EXPECT_FALSE(file.Seek(-5, SEEK_CUR));
    EXPECT_FALSE(file.Seek(7, SEEK_SET));
    EXPECT_FALSE(file.Seek(0, 42));
    EXPECT_EQ(file.Tell(), 4u);
    EXPECT_TRUE(file.Seek(6, SEEK_SET));
    EXPECT_EQ(file.Size(), 6u);

    CxMemFile none(nullptr, 100);
    EXPECT_EQ(none.Size(), 0u);
    EXPECT_EQ(none.Read(out, 1), 0u);
}
