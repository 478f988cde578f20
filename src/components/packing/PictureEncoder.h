#pragma once

#include "components/packing/PackingTimes.h"
#include "components/packing/PictureRequest.h"
#include "components/packing/ResFileLayout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace packing {

// The per-picture work of packing: read the file, choose the entry's
// encoding, convert. Depends on nothing but its request, so pictures can be
// encoded on any thread and in any order.
class PictureEncoder
{
public:
    struct Result
    {
        bool ok = false;
        std::string error;   // why the picture was refused
        std::string warning; // what is wrong with a picture packed all the same
        ResEntryInfo entry;  // offset 0; size = data size
        std::vector<std::uint8_t> data;
    };

    struct Encoding
    {
        std::uint8_t format;
        bool alphaPlane;
    };

    // Returns the entry for `request`, or ok = false with the reason. The data
    // (planes, or a raw JPEG's bytes) go to `data` and the file is read through
    // `file`; both are resized and keep their capacity, so a worker converting
    // many pictures reuses its memory. The result's own data stay empty.
    static Result encodeInto(const PictureRequest& request, std::vector<std::uint8_t>& file,
                             std::vector<std::uint8_t>& data, PackingTimes* times = nullptr);
    // As encodeInto, for the picture file's `bytes` already read.
    static Result encodeBytes(const PictureRequest& request, const std::vector<std::uint8_t>& bytes,
                              std::vector<std::uint8_t>& data, PackingTimes* times = nullptr);

    // The colour format and alpha plane for a picture: an ARGB output of 6 or 8
    // overrides `format`; an A8 alpha format moves the alpha into its own plane
    // beside an opaque colour format; packing for smallest size drops the
    // alpha of a fully opaque picture.
    static Encoding chooseEncoding(int format, int quality, int alphaFormat, int argbOutput,
                                   bool opaque);

    static bool isSupportedFormat(int format);
};

} // namespace packing
