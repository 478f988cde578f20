#include "components/packing/ResFileLayout.h"

#include "components/packing/ByteOrder.h"

#include <cstring>

namespace packing {

void writeResHeader(const ResFileHeader& header, std::uint8_t* out)
{
    std::memset(out, 0, kResHeaderSize);
    putU32(out, kResMagic);
    putU16(out + 4, header.count);
    out[6] = header.version;
    out[7] = header.method;
    putU16(out + 10, header.startIndex);
    putU16(out + 12, header.tileWidth);
    putU16(out + 14, header.tileHeight);
}

ResFileHeader readResHeader(const std::uint8_t* in)
{
    ResFileHeader header;
    header.count = getU16(in + 4);
    header.version = in[6];
    header.method = in[7];
    header.startIndex = getU16(in + 10);
    header.tileWidth = getU16(in + 12);
    header.tileHeight = getU16(in + 14);
    return header;
}

void writeResEntry(const ResEntryInfo& entry, std::uint8_t* out)
{
    std::memset(out, 0, kResEntrySize);
    putU32(out, entry.offset);
    putU32(out + 4, entry.size);
    putU16(out + 8, entry.width);
    putU16(out + 10, entry.height);
    out[12] = entry.format;
    out[13] = entry.compression;
    out[14] = entry.flags;
}

ResEntryInfo readResEntry(const std::uint8_t* in)
{
    ResEntryInfo entry;
    entry.offset = getU32(in);
    entry.size = getU32(in + 4);
    entry.width = getU16(in + 8);
    entry.height = getU16(in + 10);
    entry.format = in[12];
    entry.compression = in[13];
    entry.flags = in[14];
    return entry;
}

std::size_t bytesPerPixel(std::uint8_t format)
{
    switch (format) {
    case kFormatRgb565:
    case kFormatWatch:
    case kFormatArgb1555:
        return 2;
    case kFormatArgb8565:
    case kFormatRgb888:
    case kFormatArgb6666:
        return 3;
    case kFormatArgb8888:
        return 4;
    default:
        return 0;
    }
}

bool isKnownFormat(std::uint8_t format)
{
    return format == kFormatJpeg || bytesPerPixel(format) != 0;
}

std::string formatName(std::uint8_t format)
{
    switch (format) {
    case kFormatRgb565:
        return "RGB565";
    case kFormatArgb8565:
        return "ARGB565";
    case kFormatArgb8888:
        return "ARGB8888";
    case kFormatRgb888:
        return "RGB888";
    case kFormatWatch:
        return "Watch";
    case kFormatArgb6666:
        return "ARGB6666";
    case kFormatArgb1555:
        return "ARGB1555";
    case kFormatJpeg:
        return "JPEG";
    default:
        return "?";
    }
}

std::string compressionName(std::uint8_t compression)
{
    switch (compression) {
    case kCompressionNone:
        return "none";
    case kCompressionRle:
        return "RLE";
    case kCompressionLz4:
        return "LZ4";
    default:
        return "?";
    }
}

std::size_t rawPlaneSize(const ResEntryInfo& entry)
{
    const std::size_t pixels = std::size_t{entry.width} * entry.height;
    const std::size_t colour = pixels * bytesPerPixel(entry.format);
    return entry.hasAlphaPlane() ? colour + pixels : colour;
}

} // namespace packing
