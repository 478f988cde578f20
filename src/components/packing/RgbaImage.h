#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace packing {

// A decoded picture: 4 bytes per pixel in the order R, G, B, A, rows top to bottom.
struct RgbaImage
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    bool isOpaque() const
    {
        for (std::size_t i = 3; i < pixels.size(); i += 4) {
            if (pixels[i] != 255) {
                return false;
            }
        }
        return true;
    }
};

} // namespace packing
