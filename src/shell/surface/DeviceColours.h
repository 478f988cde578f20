#pragma once

#include <cstdint>
#include <vector>

class CxImage;

// A picture as the firmware gets it: converted to the pixel format the resource build
// would choose, and read back, with the packing component's own codec. So the surface
// shows RGB565's banding and ARGB1555's one-bit alpha before anything is built.
class DeviceColours
{
public:
    // The encoding the build chooses for a picture, from the project's pixel format
    // (RES_FORMAT) and the element's alpha format and ARGB output.
    struct Choice
    {
        int format = 0;
        int alphaFormat = 0;
        int argbOutput = 0;

        bool operator==(const Choice& other) const
        {
            return format == other.format && alphaFormat == other.alphaFormat &&
                   argbOutput == other.argbOutput;
        }
    };

    // Returns the RGBA pixels of `image` after the round trip through `choice`; the
    // pixels unchanged for a format the packer does not know (nothing to show then).
    static std::vector<std::uint8_t> Convert(const CxImage& image, const Choice& choice);
};
