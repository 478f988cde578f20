#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The picture resource file container (see docs/formats.md): a 16-byte header,
// one 16-byte entry per picture, then the entry data in entry order.
namespace packing {

constexpr std::uint32_t kResMagic = 0x19534552;
constexpr std::uint8_t kResVersion = 1;
constexpr std::size_t kResHeaderSize = 16;
constexpr std::size_t kResEntrySize = 16;
// Entry data start on 4-byte boundaries so that firmware can read pixels in place.
constexpr std::size_t kResDataAlignment = 4;
constexpr std::size_t kResMaxEntries = 0xFFFF;
// Far above any device screen; bounds what a damaged file can make a reader allocate.
constexpr std::size_t kMaxPicturePixels = std::size_t{1} << 26;

// Entry encodings (entry byte 12). 0..7 match PIC_RES_FORMAT where they exist.
enum EntryFormat : std::uint8_t
{
    kFormatRgb565 = 0,
    kFormatArgb8565 = 1, // "ARGB565": RGB565 word then an alpha byte
    kFormatArgb8888 = 3,
    kFormatRgb888 = 4,
    kFormatWatch = 5, // RGB565, high byte first
    kFormatArgb6666 = 6,
    kFormatArgb1555 = 7,
    kFormatJpeg = 0x80, // the JPEG file's bytes, unchanged
};

// Entry compression (entry byte 13) and the compressor's method (header byte 7).
enum EntryCompression : std::uint8_t
{
    kCompressionNone = 0,
    kCompressionRle = 1,
    kCompressionLz4 = 2,
};

// Entry flags (entry byte 14).
enum EntryFlag : std::uint8_t
{
    kFlagCompress = 0x01,   // the compressor may compress this entry
    kFlagAlphaPlane = 0x02, // an 8-bit alpha plane follows the colour plane
    kFlagSmallest = 0x04,   // packed for smallest size: keep the smallest encoding
    kFlagTiled = 0x08,      // compressed in tiles of the header's tile size
};
constexpr std::uint8_t kKnownFlags = 0x0F;

struct ResFileHeader
{
    std::uint16_t count = 0;
    std::uint8_t version = kResVersion;
    std::uint8_t method = kCompressionLz4;
    std::uint16_t startIndex = 0;
    std::uint16_t tileWidth = 0;
    std::uint16_t tileHeight = 0;
};

struct ResEntryInfo
{
    std::uint32_t offset = 0;
    std::uint32_t size = 0; // stored bytes, without the alignment padding
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t format = kFormatRgb565;
    std::uint8_t compression = kCompressionNone;
    std::uint8_t flags = 0;

    bool hasAlphaPlane() const { return (flags & kFlagAlphaPlane) != 0; }
};

// Writes the 16 header bytes to `out`.
void writeResHeader(const ResFileHeader& header, std::uint8_t* out);
// Reads the 16 header bytes; the magic is checked by the caller.
ResFileHeader readResHeader(const std::uint8_t* in);
void writeResEntry(const ResEntryInfo& entry, std::uint8_t* out);
ResEntryInfo readResEntry(const std::uint8_t* in);

// Bytes per pixel of a colour plane in `format`; 0 for JPEG and unknown codes.
std::size_t bytesPerPixel(std::uint8_t format);
bool isKnownFormat(std::uint8_t format);
// A short name for listings ("RGB565", "JPEG", ...); "?" for unknown codes.
std::string formatName(std::uint8_t format);
std::string compressionName(std::uint8_t compression);

// Size of the uncompressed planes (colour plane, then the alpha plane when
// flagged) of a picture entry; 0 for JPEG entries.
std::size_t rawPlaneSize(const ResEntryInfo& entry);

inline std::size_t alignedSize(std::size_t size)
{
    return (size + kResDataAlignment - 1) / kResDataAlignment * kResDataAlignment;
}

} // namespace packing
