#include "PictureFiles.h"

#include "components/imaging/DecoderInputCheck.h"
#include "components/packing/PictureEncoder.h"
#include "components/visual/CxImage.h"

#include <gtest/gtest.h>

using imaging::DecoderInputCheck;

namespace {

std::string segment(unsigned char marker, const std::string& body)
{
    const std::size_t length = body.size() + 2;
    return std::string{'\xFF', static_cast<char>(marker), static_cast<char>(length >> 8),
                       static_cast<char>(length & 0xFF)} +
           body;
}

// A Huffman table segment whose one table declares 32 codes of each length: 512 in all.
std::string oversizedHuffmanTables()
{
    return segment(0xC4, std::string(1, '\x10') + std::string(16, '\x20') + std::string(512, 'x'));
}

std::string refusalOf(const std::string& bytes, bool headerOnly = false)
{
    return DecoderInputCheck::refusal(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                      bytes.size(), headerOnly);
}

std::vector<std::uint8_t> grey(int width, int height)
{
    std::vector<std::uint8_t> rgb;
    for (int i = 0; i < width * height * 3; ++i) {
        rgb.push_back(static_cast<std::uint8_t>(i * 7));
    }
    return rgb;
}

// What the build makes of the picture file at `path`.
packing::PictureEncoder::Result encode(const std::string& path)
{
    packing::PictureRequest request;
    request.path = path;
    std::vector<std::uint8_t> file;
    std::vector<std::uint8_t> planes;
    return packing::PictureEncoder::encodeInto(request, file, planes);
}

class DecoderInput : public ::testing::Test
{
protected:
    // A 16 x 8 JPEG with `inserted` right after its start marker and `appended` before its
    // end marker.
    std::string jpeg(const std::string& name, const std::string& inserted,
                     const std::string& appended = {})
    {
        std::string bytes = PictureFiles::read(files.jpeg("plain.jpg", 16, 8, grey(16, 8)));
        bytes.insert(bytes.size() - 2, appended);
        bytes.insert(2, inserted);
        return files.bytes(name, bytes);
    }

    PictureFiles files;
};

} // namespace

TEST_F(DecoderInput, JpegWithAnOversizedHuffmanTableNeverReachesTheDecoder)
{
    EXPECT_EQ("", refusalOf(PictureFiles::read(jpeg("plain.jpg", ""))));

    // Before the frame header: neither the size nor the pixels are read.
    const std::string early = jpeg("early.jpg", oversizedHuffmanTables());
    EXPECT_NE(std::string::npos, refusalOf(PictureFiles::read(early)).find("512 codes"));
    CxImage image;
    EXPECT_FALSE(image.Load(early, CxImage::kFormatJpg));
    EXPECT_NE(std::string::npos, image.GetLastError().find("Huffman"));
    CxImage::Info info;
    std::string error;
    EXPECT_FALSE(CxImage::ReadSize(early, info, &error));
    EXPECT_NE(std::string::npos, error.find("Huffman")) << error;

    // After the first scan, where progressive files define their later tables: the size can
    // be read, the pixels cannot, and a build names the file.
    const std::string late = jpeg("late.jpg", "", oversizedHuffmanTables());
    const std::string bytes = PictureFiles::read(late);
    EXPECT_EQ("", refusalOf(bytes, true));
    EXPECT_NE("", refusalOf(bytes));
    ASSERT_TRUE(CxImage::ReadSize(late, info, &error)) << error;
    EXPECT_EQ(16, info.width);
    EXPECT_FALSE(image.Load(late, CxImage::kFormatJpg));
    const packing::PictureEncoder::Result result = encode(late);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(std::string::npos, result.error.find("Huffman")) << result.error;
    EXPECT_NE(std::string::npos, result.error.find(late)) << result.error;
}

TEST_F(DecoderInput, ScansMayUseOnlyDefinedHuffmanTables)
{
    // Real files: a progressive one defines tables between its scans.
    for (const char* name : {"progressive.jpg", "restarts.jpg"}) {
        const std::string path = std::string(SKINSMITH_TEST_DATA_DIR) + "/jpeg/" + name;
        EXPECT_EQ("", refusalOf(PictureFiles::read(path))) << name;
        CxImage image;
        ASSERT_TRUE(image.Load(path, CxImage::kFormatJpg)) << name << image.GetLastError();
        EXPECT_EQ(40, image.GetWidth());
        EXPECT_EQ(24, image.GetHeight());
    }
    // The scan's first component names AC table 2, which no segment defines: the decoder
    // would decode with what its memory happens to hold.
    std::string bytes = PictureFiles::read(jpeg("plain.jpg", ""));
    const std::size_t scan = bytes.find("\xFF\xDA");
    ASSERT_NE(std::string::npos, scan);
    bytes[scan + 6] = static_cast<char>((bytes[scan + 6] & 0xF0) | 2);
    EXPECT_NE(std::string::npos, refusalOf(bytes).find("not defined"));
    CxImage image;
    EXPECT_FALSE(image.Load(files.bytes("undefined.jpg", bytes), CxImage::kFormatJpg));
}

TEST_F(DecoderInput, EntropyCodedDataIsSkippedAsTheDecoderReadsIt)
{
    // One DC and one AC table of a single code each, and a scan of one component using both.
    const std::string oneCode = std::string(1, '\x01') + std::string(15, '\x00') + '\x00';
    const std::string tables = segment(0xC4, '\x00' + oneCode + '\x10' + oneCode);
    const std::string scan = tables + segment(0xDA, std::string("\x01\x01\x00\x00\x3F\x00", 6));
    const std::string start = "\xFF\xD8";
    const std::string end = "\xFF\xD9";
    // A stuffed 0xFF and a restart marker are part of the data: the bytes after them are no
    // segment, however much they look like one.
    const std::string data = std::string("\x12\xFF\x00", 3) + oversizedHuffmanTables().substr(1) +
                             "\xFF\xD3" + oversizedHuffmanTables().substr(1);
    EXPECT_EQ("", refusalOf(start + scan + data + end));
    // A marker after fill bytes is one.
    EXPECT_NE("",
              refusalOf(start + scan + "\x12\xFF\xFF" + oversizedHuffmanTables().substr(1) + end));
    // Several tables in one segment are each counted, also one that runs past the segment.
    const std::string two = segment(0xC4, std::string(1, '\x00') + std::string(16, '\x01') +
                                              std::string(16, 'v') + std::string(1, '\x11') +
                                              std::string(14, '\x00') + std::string(2, '\x90'));
    EXPECT_NE("", refusalOf(start + two + end));
    // Cut anywhere, the walk ends without reading past the data.
    const std::string whole = PictureFiles::read(jpeg("cut.jpg", "", oversizedHuffmanTables()));
    for (std::size_t size = 0; size < whole.size(); size += 7) {
        refusalOf(whole.substr(0, size));
    }
}

TEST_F(DecoderInput, OnlyPngBmpAndJpegDataReachTheDecoder)
{
    const std::string gif = files.bytes("animated.png", std::string("GIF89a\x02\x00\x02\x00", 10) +
                                                            std::string(32, '\0'));
    CxImage image;
    EXPECT_FALSE(image.Load(gif, CxImage::kFormatPng));
    EXPECT_NE(std::string::npos, image.GetLastError().find("not a PNG, BMP or JPEG picture"));
    EXPECT_EQ(DecoderInputCheck::Format::None, DecoderInputCheck::formatOf(nullptr, 0));
    const std::string png = files.png("a.png", 2, 2, 3, grey(2, 2));
    const std::string bmp = files.bmp("a.bmp", 2, 2, grey(2, 2));
    for (const std::string& path : {png, bmp}) {
        EXPECT_EQ("", refusalOf(PictureFiles::read(path))) << path;
        EXPECT_TRUE(image.Load(path, CxImage::kFormatPng)) << path;
    }
}

TEST_F(DecoderInput, SizeIsReadWhereTheHeaderLiesBeyondTheFirstBytes)
{
    // Two large metadata blocks before the frame header, as cameras write them.
    const std::string metadata = segment(0xE1, std::string(60000, 'm'));
    const std::string path = jpeg("camera.jpg", metadata + metadata);
    CxImage::Info info;
    std::string error;
    ASSERT_TRUE(CxImage::ReadSize(path, info, &error)) << error;
    EXPECT_EQ(16, info.width);
    EXPECT_EQ(8, info.height);
}

TEST_F(DecoderInput, BuildRefusesAPictureTooLargeByItsHeader)
{
    // 9000 x 9000 pixels in a header of a few bytes: refused before 324 MB are taken.
    std::string png = std::string("\x89PNG\r\n\x1A\n", 8) + std::string("\0\0\0\x0D", 4) + "IHDR" +
                      std::string("\0\0\x23\x28\0\0\x23\x28\x08\x06\0\0\0", 13) +
                      std::string(4, '\0') + std::string("\0\0\0\0IEND", 8) + std::string(4, '\0');
    const packing::PictureEncoder::Result result = encode(files.bytes("huge.png", png));
    EXPECT_FALSE(result.ok);
    EXPECT_NE(std::string::npos, result.error.find("9000x9000")) << result.error;
}
