#include "components/packing/PixelCodec.h"

#include "components/packing/ResFileLayout.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace packing {

namespace {

// Nearest of 2^bits levels for an 8-bit value.
unsigned quantise(unsigned value, unsigned bits)
{
    const unsigned maxLevel = (1u << bits) - 1;
    return (value * maxLevel + 127) / 255;
}

// Back to 8 bits by repeating the high bits in the low ones.
std::uint8_t expand(unsigned level, unsigned bits)
{
    unsigned value = level << (8 - bits);
    for (unsigned filled = bits; filled < 8; filled += bits) {
        value |= value >> bits;
    }
    return static_cast<std::uint8_t>(value);
}

// quantise() for every 8-bit value: one table look-up per channel instead of
// a division.
struct Levels
{
    std::uint8_t five[256];
    std::uint8_t six[256];
};

const Levels& levels()
{
    static const Levels table = [] {
        Levels t{};
        for (unsigned v = 0; v < 256; ++v) {
            t.five[v] = static_cast<std::uint8_t>(quantise(v, 5));
            t.six[v] = static_cast<std::uint8_t>(quantise(v, 6));
        }
        return t;
    }();
    return table;
}

unsigned rgb565(const Levels& q, const std::uint8_t* p)
{
    return (unsigned{q.five[p[0]]} << 11) | (unsigned{q.six[p[1]]} << 5) | q.five[p[2]];
}

inline void putLe(std::uint8_t* out, unsigned value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// The format is chosen once per picture, not once per pixel.
template <class Encode>
void forEachPixel(const std::uint8_t* rgba, std::size_t count, std::uint8_t* out, std::size_t step,
                  Encode encode)
{
    for (std::size_t i = 0; i < count; ++i) {
        encode(rgba + i * 4, out + i * step);
    }
}

// Eight pixels at a time where the processor has 128-bit integer vectors: the converters
// below hand whole blocks to them and finish the pixels left over one by one.
constexpr std::size_t kBlock = 8;

#if defined(__SSE2__)
// The RGB565 words and the alpha values of eight pixels, one per 16-bit lane.
struct Rgb565Lanes
{
    __m128i words;
    __m128i alpha;
};

// (v * levels + 127) / 255 in every 16-bit lane (v up to 255): the division is exact as
// (x + 1 + (x >> 8)) >> 8 for every x below 65535.
inline __m128i quantiseLanes(__m128i v, short levels)
{
    const __m128i x =
        _mm_add_epi16(_mm_mullo_epi16(v, _mm_set1_epi16(levels)), _mm_set1_epi16(127));
    const __m128i sum = _mm_add_epi16(_mm_add_epi16(x, _mm_set1_epi16(1)), _mm_srli_epi16(x, 8));
    return _mm_srli_epi16(sum, 8);
}

// Channel Shift / 8 of eight RGBA pixels, one per 16-bit lane.
template <int Shift>
inline __m128i channelLanes(__m128i first, __m128i second)
{
    const __m128i byte = _mm_set1_epi32(0xFF);
    return _mm_packs_epi32(_mm_and_si128(_mm_srli_epi32(first, Shift), byte),
                           _mm_and_si128(_mm_srli_epi32(second, Shift), byte));
}

inline Rgb565Lanes convertLanes(const std::uint8_t* rgba)
{
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rgba));
    const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rgba + 16));
    const __m128i r = quantiseLanes(channelLanes<0>(first, second), 31);
    const __m128i g = quantiseLanes(channelLanes<8>(first, second), 63);
    const __m128i b = quantiseLanes(channelLanes<16>(first, second), 31);
    return {_mm_or_si128(_mm_or_si128(_mm_slli_epi16(r, 11), _mm_slli_epi16(g, 5)), b),
            channelLanes<24>(first, second)};
}

// Hands store(first pixel, lanes) every whole block of eight that leaves at least `keep`
// pixels after it. Returns the pixels handed over.
template <class Store>
std::size_t forEachBlock(const std::uint8_t* rgba, std::size_t count, std::size_t keep, Store store)
{
    std::size_t i = 0;
    for (; i + kBlock + keep <= count; i += kBlock) {
        store(i, convertLanes(rgba + i * 4));
    }
    return i;
}

std::size_t rgb565Blocks(const std::uint8_t* rgba, std::size_t count, std::uint8_t* out)
{
    return forEachBlock(rgba, count, 0, [out](std::size_t i, const Rgb565Lanes& lanes) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i * 2), lanes.words);
    });
}

std::size_t watchBlocks(const std::uint8_t* rgba, std::size_t count, std::uint8_t* out)
{
    return forEachBlock(rgba, count, 0, [out](std::size_t i, const Rgb565Lanes& lanes) {
        const __m128i swapped =
            _mm_or_si128(_mm_slli_epi16(lanes.words, 8), _mm_srli_epi16(lanes.words, 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i * 2), swapped);
    });
}

// The low three bytes of each 32-bit lane (the top one is zero) packed into the low 12 bytes.
inline __m128i packThreeByteLanes(__m128i pixels)
{
    // In each 64-bit lane the odd pixel moves down a byte onto the even one's empty top byte.
    const __m128i even = _mm_set_epi32(0, 0x00FFFFFF, 0, 0x00FFFFFF);
    const __m128i odd = _mm_set_epi32(0x0000FFFF, static_cast<int>(0xFF000000u), 0x0000FFFF,
                                      static_cast<int>(0xFF000000u));
    const __m128i pairs =
        _mm_or_si128(_mm_and_si128(pixels, even), _mm_and_si128(_mm_srli_epi64(pixels, 8), odd));
    // Six bytes per 64-bit lane: the second lane's follow the first's.
    return _mm_or_si128(_mm_move_epi64(pairs), _mm_slli_si128(_mm_srli_si128(pairs, 8), 6));
}

// Four pixels take 12 bytes but are stored with 16-byte writes whose last four bytes the next
// write (or the pixels after the block) overwrites, so two pixels are left to the caller.
std::size_t argb8565Blocks(const std::uint8_t* rgba, std::size_t count, unsigned forced,
                           std::uint8_t* out)
{
    const __m128i forcedLanes = _mm_set1_epi16(static_cast<short>(forced));
    return forEachBlock(rgba, count, 2, [&](std::size_t i, const Rgb565Lanes& lanes) {
        const __m128i alpha = _mm_or_si128(lanes.alpha, forcedLanes);
        std::uint8_t* o = out + i * 3;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o),
                         packThreeByteLanes(_mm_unpacklo_epi16(lanes.words, alpha)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 12),
                         packThreeByteLanes(_mm_unpackhi_epi16(lanes.words, alpha)));
    });
}
#else
std::size_t rgb565Blocks(const std::uint8_t*, std::size_t, std::uint8_t*)
{
    return 0;
}

std::size_t watchBlocks(const std::uint8_t*, std::size_t, std::uint8_t*)
{
    return 0;
}

std::size_t argb8565Blocks(const std::uint8_t*, std::size_t, unsigned, std::uint8_t*)
{
    return 0;
}
#endif

void unpackRgb565(unsigned word, std::uint8_t* rgba)
{
    rgba[0] = expand((word >> 11) & 0x1F, 5);
    rgba[1] = expand((word >> 5) & 0x3F, 6);
    rgba[2] = expand(word & 0x1F, 5);
}

unsigned get(const std::uint8_t* in, int bytes)
{
    unsigned value = 0;
    for (int i = 0; i < bytes; ++i) {
        value |= static_cast<unsigned>(in[i]) << (8 * i);
    }
    return value;
}

// Returns the pixel's own alpha (255 for formats without one).
std::uint8_t decodePixel(const std::uint8_t* in, std::uint8_t format, std::uint8_t* rgba)
{
    switch (format) {
    case kFormatRgb565:
        unpackRgb565(get(in, 2), rgba);
        return 255;
    case kFormatWatch:
        unpackRgb565((unsigned{in[0]} << 8) | in[1], rgba);
        return 255;
    case kFormatArgb8565: {
        const unsigned v = get(in, 3);
        unpackRgb565(v & 0xFFFF, rgba);
        return static_cast<std::uint8_t>(v >> 16);
    }
    case kFormatArgb8888:
        rgba[0] = in[2];
        rgba[1] = in[1];
        rgba[2] = in[0];
        return in[3];
    case kFormatRgb888:
        rgba[0] = in[2];
        rgba[1] = in[1];
        rgba[2] = in[0];
        return 255;
    case kFormatArgb6666: {
        const unsigned v = get(in, 3);
        rgba[0] = expand((v >> 12) & 0x3F, 6);
        rgba[1] = expand((v >> 6) & 0x3F, 6);
        rgba[2] = expand(v & 0x3F, 6);
        return expand((v >> 18) & 0x3F, 6);
    }
    case kFormatArgb1555: {
        const unsigned v = get(in, 2);
        rgba[0] = expand((v >> 10) & 0x1F, 5);
        rgba[1] = expand((v >> 5) & 0x1F, 5);
        rgba[2] = expand(v & 0x1F, 5);
        return (v & 0x8000) != 0 ? 255 : 0;
    }
    default:
        rgba[0] = rgba[1] = rgba[2] = 0;
        return 255;
    }
}

} // namespace

void PixelCodec::encodeColour(const std::uint8_t* rgba, std::size_t pixelCount, std::uint8_t format,
                              bool alphaPlane, std::uint8_t* out)
{
    const Levels& q = levels();
    // OR-ing 255 into every alpha makes the format's own alpha opaque.
    const unsigned forced = alphaPlane ? 255u : 0u;
    switch (format) {
    case kFormatRgb565: {
        const std::size_t done = rgb565Blocks(rgba, pixelCount, out);
        forEachPixel(rgba + done * 4, pixelCount - done, out + done * 2, 2,
                     [&](const std::uint8_t* p, std::uint8_t* o) { putLe(o, rgb565(q, p), 2); });
        break;
    }
    case kFormatWatch: {
        const std::size_t done = watchBlocks(rgba, pixelCount, out);
        forEachPixel(rgba + done * 4, pixelCount - done, out + done * 2, 2,
                     [&](const std::uint8_t* p, std::uint8_t* o) {
                         const unsigned word = rgb565(q, p);
                         o[0] = static_cast<std::uint8_t>(word >> 8);
                         o[1] = static_cast<std::uint8_t>(word);
                     });
        break;
    }
    case kFormatArgb8565: {
        const std::size_t done = argb8565Blocks(rgba, pixelCount, forced, out);
        forEachPixel(rgba + done * 4, pixelCount - done, out + done * 3, 3,
                     [&](const std::uint8_t* p, std::uint8_t* o) {
                         putLe(o, rgb565(q, p) | ((p[3] | forced) << 16), 3);
                     });
        break;
    }
    case kFormatArgb8888:
        forEachPixel(rgba, pixelCount, out, 4, [&](const std::uint8_t* p, std::uint8_t* o) {
            o[0] = p[2];
            o[1] = p[1];
            o[2] = p[0];
            o[3] = static_cast<std::uint8_t>(p[3] | forced);
        });
        break;
    case kFormatRgb888:
        forEachPixel(rgba, pixelCount, out, 3, [&](const std::uint8_t* p, std::uint8_t* o) {
            o[0] = p[2];
            o[1] = p[1];
            o[2] = p[0];
        });
        break;
    case kFormatArgb6666:
        forEachPixel(rgba, pixelCount, out, 3, [&](const std::uint8_t* p, std::uint8_t* o) {
            putLe(o,
                  (unsigned{q.six[p[3] | forced]} << 18) | (unsigned{q.six[p[0]]} << 12) |
                      (unsigned{q.six[p[1]]} << 6) | q.six[p[2]],
                  3);
        });
        break;
    case kFormatArgb1555:
        forEachPixel(rgba, pixelCount, out, 2, [&](const std::uint8_t* p, std::uint8_t* o) {
            putLe(o,
                  (((p[3] | forced) >= 128 ? 1u : 0u) << 15) | (unsigned{q.five[p[0]]} << 10) |
                      (unsigned{q.five[p[1]]} << 5) | q.five[p[2]],
                  2);
        });
        break;
    default:
        break;
    }
}

void PixelCodec::encodeAlpha(const std::uint8_t* rgba, std::size_t pixelCount, std::uint8_t* out)
{
    for (std::size_t i = 0; i < pixelCount; ++i) {
        out[i] = rgba[i * 4 + 3];
    }
}

void PixelCodec::decode(const std::uint8_t* colour, std::uint8_t format, const std::uint8_t* alpha,
                        std::size_t pixelCount, std::uint8_t* rgba)
{
    const std::size_t step = bytesPerPixel(format);
    for (std::size_t i = 0; i < pixelCount; ++i) {
        const std::uint8_t own = decodePixel(colour + i * step, format, rgba + i * 4);
        rgba[i * 4 + 3] = alpha != nullptr ? alpha[i] : own;
    }
}

} // namespace packing
