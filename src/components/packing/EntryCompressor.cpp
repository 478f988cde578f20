#include "components/packing/EntryCompressor.h"

#include "components/packing/ByteOrder.h"
#include "components/packing/RleCodec.h"
#include "components/packing/TileGrid.h"

#include <lz4.h>

#include <cstring>

namespace packing {

namespace {

bool tiledSize(std::uint16_t tileWidth, std::uint16_t tileHeight)
{
    return tileWidth != 0 && tileHeight != 0;
}

// Room that LZ4 wants beyond its bound for the whole picture when the picture
// is coded in several tiles: each block's bound has its own small overhead.
constexpr std::size_t kLz4TileSlack = 16;

// Bytes the coded planes take at most, so that the output grows only once.
std::size_t codeBound(std::size_t size, std::uint8_t method)
{
    // RLE writes at most one control byte per unit of the literal packets.
    return method == kCompressionRle
               ? size + size / 2 + 2
               : static_cast<std::size_t>(LZ4_compressBound(static_cast<int>(size)));
}

void codeTile(const std::uint8_t* tile, std::size_t size, std::size_t colourBytes, std::size_t bpp,
              std::uint8_t method, std::vector<std::uint8_t>& out)
{
    if (method == kCompressionRle) {
        // Colour and alpha are coded as two runs of packets with their own unit size.
        RleCodec::encode(tile, colourBytes, bpp, out);
        RleCodec::encode(tile + colourBytes, size - colourBytes, 1, out);
        return;
    }
    // LZ4 writes into a buffer that only grows, so that no picture pays for zeroing the
    // bound's room in `out`: only the bytes written are appended.
    thread_local std::vector<std::uint8_t> coded;
    const int bound = LZ4_compressBound(static_cast<int>(size));
    if (coded.size() < static_cast<std::size_t>(bound)) {
        coded.resize(static_cast<std::size_t>(bound));
    }
    const int written =
        LZ4_compress_default(reinterpret_cast<const char*>(tile),
                             reinterpret_cast<char*>(coded.data()), static_cast<int>(size), bound);
    if (written > 0) {
        out.insert(out.end(), coded.begin(), coded.begin() + written);
    }
}

bool restoreTile(const std::uint8_t* in, std::size_t inSize, std::uint8_t compression,
                 std::size_t colourBytes, std::size_t tileBytes, std::size_t bpp,
                 std::vector<std::uint8_t>& out)
{
    out.clear();
    if (compression == kCompressionLz4) {
        out.resize(tileBytes);
        const int n = LZ4_decompress_safe(reinterpret_cast<const char*>(in),
                                          reinterpret_cast<char*>(out.data()),
                                          static_cast<int>(inSize), static_cast<int>(tileBytes));
        return n >= 0 && static_cast<std::size_t>(n) == tileBytes;
    }
    std::size_t colourUsed = 0;
    std::size_t alphaUsed = 0;
    if (!RleCodec::decode(in, inSize, bpp, colourBytes, out, colourUsed)) {
        return false;
    }
    if (!RleCodec::decode(in + colourUsed, inSize - colourUsed, 1, tileBytes - colourBytes, out,
                          alphaUsed)) {
        return false;
    }
    return colourUsed + alphaUsed == inSize;
}

// Codes `planes` with each method `entry` may use (both when it is packed for
// smallest size) and hands `keep` each coding smaller than the planes and than
// those before. Returns the method of the coding kept last, or none when the
// entry is not to be compressed or no coding is smaller.
template <class Keep>
std::uint8_t codeSmallest(const ResEntryInfo& entry, const std::vector<std::uint8_t>& planes,
                          std::uint8_t method, std::uint16_t tileWidth, std::uint16_t tileHeight,
                          std::vector<std::uint8_t>& scratch, Keep keep)
{
    if ((entry.flags & kFlagCompress) == 0 || entry.format == kFormatJpeg) {
        return kCompressionNone;
    }
    std::vector<std::uint8_t> methods{method};
    if ((entry.flags & kFlagSmallest) != 0) {
        methods = {kCompressionRle, kCompressionLz4};
    }
    std::uint8_t chosen = kCompressionNone;
    std::size_t bestSize = planes.size();
    for (const std::uint8_t m : methods) {
        EntryCompressor::compressInto(entry, planes, m, tileWidth, tileHeight, scratch);
        // Ties keep the earlier choice, so the result never depends on timing.
        if (scratch.size() < bestSize) {
            bestSize = scratch.size();
            keep(scratch);
            chosen = m;
        }
    }
    return chosen;
}

// Records in `packed.entry` how its data are coded: `compression`, tiled or not, and size.
void markCoding(EntryCompressor::Packed& packed, std::uint8_t compression, bool tiled)
{
    ResEntryInfo& entry = packed.entry;
    entry.compression = compression;
    const bool tiledEntry = tiled && compression != kCompressionNone;
    entry.flags = static_cast<std::uint8_t>(tiledEntry ? (entry.flags | kFlagTiled)
                                                       : (entry.flags & ~kFlagTiled));
    entry.size = static_cast<std::uint32_t>(packed.data.size());
}

} // namespace

void EntryCompressor::compressInto(const ResEntryInfo& entry,
                                   const std::vector<std::uint8_t>& planes, std::uint8_t method,
                                   std::uint16_t tileWidth, std::uint16_t tileHeight,
                                   std::vector<std::uint8_t>& out)
{
    const TileGrid grid(entry, tileWidth, tileHeight);
    const std::size_t bpp = bytesPerPixel(entry.format);
    const bool tiled = tiledSize(tileWidth, tileHeight);
    const std::size_t tiles = grid.count();
    out.clear();
    if (tiled) {
        out.resize((tiles + 1) * 4);
    }
    out.reserve(out.size() + codeBound(planes.size(), method) + tiles * kLz4TileSlack);
    std::vector<std::uint8_t> tile;
    for (std::size_t i = 0; i < tiles; ++i) {
        if (tiled) {
            putU32(out.data() + i * 4, static_cast<std::uint32_t>(out.size()));
        }
        const TileGrid::Tile rect = grid.tile(i);
        if (tiles == 1) {
            // One tile covering the picture holds exactly the planes.
            codeTile(planes.data(), planes.size(), grid.colourBytes(rect), bpp, method, out);
            continue;
        }
        tile.clear();
        grid.gather(planes, rect, tile);
        codeTile(tile.data(), tile.size(), grid.colourBytes(rect), bpp, method, out);
    }
    if (tiled) {
        putU32(out.data() + tiles * 4, static_cast<std::uint32_t>(out.size()));
    }
}

EntryCompressor::Packed EntryCompressor::packCopy(const ResEntryInfo& entry,
                                                  const std::vector<std::uint8_t>& planes,
                                                  std::uint8_t method, std::uint16_t tileWidth,
                                                  std::uint16_t tileHeight,
                                                  std::vector<std::uint8_t>& scratch)
{
    Packed best{entry, {}};
    const std::uint8_t chosen =
        codeSmallest(entry, planes, method, tileWidth, tileHeight, scratch,
                     [&](const std::vector<std::uint8_t>& coded) { best.data = coded; });
    if (chosen == kCompressionNone) {
        best.data = planes;
    }
    markCoding(best, chosen, tiledSize(tileWidth, tileHeight));
    return best;
}

EntryCompressor::Packed EntryCompressor::pack(const ResEntryInfo& entry,
                                              std::vector<std::uint8_t> planes, std::uint8_t method,
                                              std::uint16_t tileWidth, std::uint16_t tileHeight)
{
    Packed best{entry, {}};
    std::vector<std::uint8_t> scratch;
    const std::uint8_t chosen =
        codeSmallest(entry, planes, method, tileWidth, tileHeight, scratch,
                     [&](std::vector<std::uint8_t>& coded) { best.data.swap(coded); });
    if (chosen == kCompressionNone) {
        best.data = std::move(planes);
    }
    markCoding(best, chosen, tiledSize(tileWidth, tileHeight));
    return best;
}

bool EntryCompressor::restore(const ResEntryInfo& entry, const std::uint8_t* stored,
                              std::size_t size, std::uint16_t tileWidth, std::uint16_t tileHeight,
                              std::vector<std::uint8_t>& planes, std::string& error)
{
    const std::size_t rawSize = rawPlaneSize(entry);
    if (entry.compression == kCompressionNone) {
        if (size != rawSize) {
            error = "raw picture data of " + std::to_string(size) + " bytes, expected " +
                    std::to_string(rawSize);
            return false;
        }
        planes.assign(stored, stored + size);
        return true;
    }
    if (entry.compression != kCompressionRle && entry.compression != kCompressionLz4) {
        error = "unknown compression " + std::to_string(entry.compression);
        return false;
    }
    // Neither method expands more than 255-fold: a larger claim is a damaged
    // entry, and believing it would allocate without bound.
    if (rawSize > static_cast<std::size_t>(LZ4_MAX_INPUT_SIZE) || rawSize / 255 > size + 16) {
        error = "compressed picture data too short for " + std::to_string(entry.width) + "x" +
                std::to_string(entry.height) + " pixels";
        return false;
    }
    const bool tiled = (entry.flags & kFlagTiled) != 0;
    if (tiled && !tiledSize(tileWidth, tileHeight)) {
        error = "tiled picture in a file without a tile size";
        return false;
    }
    const TileGrid grid(entry, tiled ? tileWidth : 0, tiled ? tileHeight : 0);
    const std::size_t tiles = grid.count();
    if (tiled && (tiles + 1) > size / 4) {
        error = "tile table larger than the picture data";
        return false;
    }
    planes.assign(rawSize, 0);
    std::vector<std::uint8_t> tile;
    const std::size_t bpp = bytesPerPixel(entry.format);
    for (std::size_t i = 0; i < tiles; ++i) {
        std::size_t begin = 0;
        std::size_t end = size;
        if (tiled) {
            begin = getU32(stored + i * 4);
            end = getU32(stored + (i + 1) * 4);
            const bool first = i == 0 && begin != (tiles + 1) * 4;
            const bool last = i + 1 == tiles && end != size;
            if (first || last || begin > end || end > size) {
                error = "tile " + std::to_string(i) + " lies outside the picture data";
                return false;
            }
        }
        const TileGrid::Tile rect = grid.tile(i);
        if (!restoreTile(stored + begin, end - begin, entry.compression, grid.colourBytes(rect),
                         grid.tileBytes(rect), bpp, tile)) {
            error = "tile " + std::to_string(i) + " does not decompress to its size";
            return false;
        }
        grid.scatter(tile.data(), rect, planes);
    }
    return true;
}

} // namespace packing
