#include "support/PngKinds.h"

#include "support/PngBytes.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <random>

namespace testsupport {
namespace {

struct Pass
{
    int x0, y0, xStep, yStep;
};
constexpr Pass kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                            {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

int channelsOf(int colourType)
{
    switch (colourType) {
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 1;
    }
}

void putBigEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

using Samples = std::vector<std::uint16_t>; // width x height x channels

// Packs one row of samples, high bits first.
std::string packRow(const Samples& samples, int width, int channels, int depth, int y, int x0,
                    int xStep)
{
    std::string row;
    unsigned acc = 0;
    int bits = 0;
    for (int x = x0; x < width; x += xStep) {
        for (int c = 0; c < channels; ++c) {
            const std::uint16_t v = samples[(std::size_t(y) * width + x) * channels + c];
            if (depth == 16) {
                putBigEndian(row, v, 2);
                continue;
            }
            acc = acc << depth | v;
            bits += depth;
            if (bits == 8) {
                row.push_back(static_cast<char>(acc));
                acc = 0;
                bits = 0;
            }
        }
    }
    if (bits > 0) {
        row.push_back(static_cast<char>(acc << (8 - bits)));
    }
    return row;
}

int paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) {
        return a;
    }
    return pb <= pc ? b : c;
}

// The row filtered with `filter` against the row above (`prior`, empty for a first row).
std::string filterRow(int filter, const std::string& row, const std::string& prior, int bpp)
{
    std::string out(1, static_cast<char>(filter));
    for (std::size_t k = 0; k < row.size(); ++k) {
        const int x = static_cast<unsigned char>(row[k]);
        const int a = k >= std::size_t(bpp) ? static_cast<unsigned char>(row[k - bpp]) : 0;
        const int b = prior.empty() ? 0 : static_cast<unsigned char>(prior[k]);
        const int c =
            prior.empty() || k < std::size_t(bpp) ? 0 : static_cast<unsigned char>(prior[k - bpp]);
        int predicted = 0;
        switch (filter) {
        case 1:
            predicted = a;
            break;
        case 2:
            predicted = b;
            break;
        case 3:
            predicted = (a + b) / 2;
            break;
        case 4:
            predicted = paeth(a, b, c);
            break;
        default:
            break;
        }
        out.push_back(static_cast<char>((x - predicted) & 0xFF));
    }
    return out;
}

std::string filteredPass(const Samples& samples, const PngKind& kind, int width, int height,
                         const Pass& pass, int& filter)
{
    const int channels = channelsOf(kind.colourType);
    const int bpp = std::max(1, channels * kind.depth / 8);
    std::string out;
    std::string prior;
    if (pass.x0 >= width) {
        return out;
    }
    for (int y = pass.y0; y < height; y += pass.yStep) {
        const std::string row =
            packRow(samples, width, channels, kind.depth, y, pass.x0, pass.xStep);
        out += filterRow(filter, row, prior, bpp);
        filter = (filter + 1) % 5;
        prior = row;
    }
    return out;
}

} // namespace

std::string PngKind::name() const
{
    return "type" + std::to_string(colourType) + "_" + std::to_string(depth) + "bit" +
           (interlaced ? "_interlaced" : "") + (transparency ? "_trns" : "");
}

std::vector<PngKind> PngKinds::all()
{
    const std::vector<std::pair<int, std::vector<int>>> depths = {
        {0, {1, 2, 4, 8, 16}}, {2, {8, 16}}, {3, {1, 2, 4, 8}}, {4, {8, 16}}, {6, {8, 16}}};
    std::vector<PngKind> kinds;
    for (const auto& [colourType, list] : depths) {
        for (int depth : list) {
            for (bool interlaced : {false, true}) {
                for (bool transparency : {false, true}) {
                    if (transparency && (colourType == 4 || colourType == 6)) {
                        continue;
                    }
                    kinds.push_back({colourType, depth, interlaced, transparency});
                }
            }
        }
    }
    return kinds;
}

std::string PngKinds::make(const PngKind& kind, int width, int height, unsigned seed,
                           bool splitData)
{
    std::mt19937 random(seed);
    const int channels = channelsOf(kind.colourType);
    const std::uint32_t levels = 1u << kind.depth;
    const std::uint32_t paletteSize = std::min<std::uint32_t>(levels, 256);
    const std::uint32_t limit = kind.colourType == 3 ? paletteSize : levels;
    Samples samples(std::size_t(width) * height * channels);
    for (std::uint16_t& s : samples) {
        s = static_cast<std::uint16_t>(random() % limit);
    }
    std::string chunks;
    if (kind.colourType == 3) {
        std::string palette;
        for (std::uint32_t i = 0; i < paletteSize * 3; ++i) {
            palette.push_back(static_cast<char>(random()));
        }
        chunks += PngBytes::chunk("PLTE", palette);
        if (kind.transparency) {
            std::string alpha; // shorter than the palette: the rest stay opaque
            for (std::uint32_t i = 0; i < paletteSize / 2 + 1; ++i) {
                alpha.push_back(static_cast<char>(random()));
            }
            chunks += PngBytes::chunk("tRNS", alpha);
        }
    } else if (kind.transparency) {
        std::string colour;
        for (int c = 0; c < channels; ++c) {
            putBigEndian(colour, samples[c], 2);
        }
        chunks += PngBytes::chunk("tRNS", colour);
        for (std::size_t p = 1; p < samples.size() / channels; ++p) {
            const unsigned pick = random() % 8;
            for (int c = 0; c < channels && pick < 3; ++c) {
                std::uint16_t v = samples[c];
                if (pick == 2 && kind.depth == 16 && c == channels - 1) {
                    v ^= 1; // the same high byte, another colour
                }
                samples[p * channels + c] = v;
            }
        }
    }
    int filter = static_cast<int>(seed % 5);
    std::string raw;
    if (kind.interlaced) {
        for (const Pass& pass : kAdam7) {
            raw += filteredPass(samples, kind, width, height, pass, filter);
        }
    } else {
        raw = filteredPass(samples, kind, width, height, {0, 0, 1, 1}, filter);
    }
    std::string packed(compressBound(raw.size()), '\0');
    uLongf packedSize = packed.size();
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
              reinterpret_cast<const Bytef*>(raw.data()), raw.size(), 6);
    packed.resize(packedSize);

    std::string header;
    putBigEndian(header, static_cast<std::uint32_t>(width), 4);
    putBigEndian(header, static_cast<std::uint32_t>(height), 4);
    header += {static_cast<char>(kind.depth), static_cast<char>(kind.colourType), '\0', '\0',
               static_cast<char>(kind.interlaced ? 1 : 0)};
    std::string png("\x89PNG\r\n\x1A\n", 8);
    png += PngBytes::chunk("IHDR", header);
    png += PngBytes::chunk("tEXt", std::string("Comment\0generated", 17));
    png += chunks;
    const std::size_t piece = splitData ? 97 : packed.size();
    for (std::size_t at = 0; at < packed.size(); at += piece) {
        png += PngBytes::chunk("IDAT", packed.substr(at, piece));
    }
    png += PngBytes::chunk("IEND", "");
    return png;
}

} // namespace testsupport
