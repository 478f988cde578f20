#pragma once

#include <cstdint>
#include <string>

namespace packing {

// One picture to pack, with the options the build passes per picture.
struct PictureRequest
{
    std::string name; // "PIC%d"; kept in memory only
    std::string path;
    int compress = 0;    // 1: the compressor may compress this entry
    int format = 0;      // PIC_RES_FORMAT code
    int quality = 1;     // 1 best quality, 0 smallest size
    int alphaFormat = 0; // 8: PNG A8, an 8-bit alpha plane; anything else: none
    int argbOutput = 0;  // 6: ARGB6666, 8: ARGB8888, anything else: the format above
    int rawJpeg = 0;     // 1: a JPEG file is packed with its bytes unchanged
    bool strict = false; // a PNG chunk whose CRC does not match refuses the picture
    // The hash of the file's bytes (PictureCache::contentOf), when the caller knows it: an
    // entry cache then finds the entry without reading the file.
    bool contentKnown = false;
    std::uint64_t contentHigh = 0;
    std::uint64_t contentLow = 0;
};

} // namespace packing
