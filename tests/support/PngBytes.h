#pragma once

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// PNG files made chunk by chunk, for what the usual writers do not make: grey and colour
// pictures with a transparency chunk, pixel data stored without compression (so that any of its
// bytes can be changed and the picture still decodes), chunks damaged or cut anywhere.
class PngBytes
{
public:
    // An 8-bit PNG of `colourType` (0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA);
    // `samples` holds its rows top-down, without filter bytes.
    PngBytes(int width, int height, int colourType, std::string samples);

    // Adds a chunk between the header and the pixel data (PLTE, tRNS, tEXt, ...), in order.
    PngBytes& add(const std::string& type, const std::string& data);
    // Deflates the pixel data without compressing it.
    PngBytes& stored();

    // Returns the whole file.
    std::string bytes() const;
    // Writes the file to `path`, which it returns.
    std::string write(const std::string& path) const;

    // One chunk: length, type, data and CRC.
    static std::string chunk(const std::string& type, const std::string& data);
    // Where the data of the first chunk `type` in `png` starts; npos without one.
    static std::size_t dataOffset(const std::string& png, const std::string& type);

private:
    int m_width;
    int m_height;
    int m_colourType;
    std::string m_samples;
    std::vector<std::pair<std::string, std::string>> m_chunks;
    bool m_stored = false;
};

} // namespace testsupport
