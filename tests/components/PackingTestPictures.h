#pragma once

// Pictures and folders for the packing tests, made at run time.

#include "components/packing/RgbaImage.h"

#include <stb/stb_image_write.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace packingtest {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempDir
{
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "packing-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~TempDir() { std::filesystem::remove_all(m_path); }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Every channel value occurs, with alphas from transparent to opaque.
inline packing::RgbaImage gradient(int width, int height, bool opaque = false)
{
    packing::RgbaImage image{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int i = y * width + x;
            image.pixels.push_back(static_cast<std::uint8_t>(i * 7));
            image.pixels.push_back(static_cast<std::uint8_t>(i * 13 + y));
            image.pixels.push_back(static_cast<std::uint8_t>(255 - i * 3));
            image.pixels.push_back(opaque ? 255 : static_cast<std::uint8_t>(i * 11 + x));
        }
    }
    return image;
}

// Large flat areas with a few edges: what compresses well.
inline packing::RgbaImage blocks(int width, int height)
{
    packing::RgbaImage image{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool band = (x / 9 + y / 5) % 2 == 0;
            image.pixels.insert(image.pixels.end(), {static_cast<std::uint8_t>(band ? 200 : 20), 60,
                                                     static_cast<std::uint8_t>(x < 10 ? 255 : 0),
                                                     static_cast<std::uint8_t>(y < 3 ? 0 : 255)});
        }
    }
    return image;
}

inline std::string writePng(const std::string& path, const packing::RgbaImage& image)
{
    stbi_write_png(path.c_str(), image.width, image.height, 4, image.pixels.data(),
                   image.width * 4);
    return path;
}

inline std::string writeJpeg(const std::string& path, int width, int height)
{
    const packing::RgbaImage image = gradient(width, height, true);
    stbi_write_jpg(path.c_str(), width, height, 4, image.pixels.data(), 90);
    return path;
}

inline std::vector<std::uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

} // namespace packingtest
