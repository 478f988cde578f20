#pragma once

#include <string>
#include <vector>

namespace testsupport {

// PNG files of every kind the format has, made sample by sample: each colour type with each of
// its bit depths, plain or interlaced, with or without a transparency chunk. Rows use all five
// filters in turn, and the pixel data may be split over several chunks, so that a reader meets
// every path. The samples are random but fixed by `seed`; with a transparency chunk, about a
// quarter of the pixels have the transparent colour (16-bit ones also pixels that differ from
// it only in the low byte).
struct PngKind
{
    int colourType = 6; // 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA
    int depth = 8;
    bool interlaced = false;
    bool transparency = false;

    std::string name() const;
};

class PngKinds
{
public:
    // Every valid kind: 5 colour types x their depths x interlacing x tRNS where allowed.
    static std::vector<PngKind> all();

    // A picture of `kind`, `width` x `height`.
    static std::string make(const PngKind& kind, int width, int height, unsigned seed,
                            bool splitData = false);
};

} // namespace testsupport
