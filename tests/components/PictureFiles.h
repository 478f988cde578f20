#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes small picture files into a temporary folder that is removed again with the
// object, so the picture tests need no binary files in the tree.
class PictureFiles
{
public:
    PictureFiles();
    ~PictureFiles();
    PictureFiles(const PictureFiles&) = delete;
    PictureFiles& operator=(const PictureFiles&) = delete;

    const std::string& dir() const { return m_dir; }
    std::string path(const std::string& name) const { return m_dir + "/" + name; }

    // Each returns the path written. `pixels` hold `channels` bytes a pixel, rows top-down.
    std::string png(const std::string& name, int width, int height, int channels,
                    const std::vector<std::uint8_t>& pixels) const;
    std::string bmp(const std::string& name, int width, int height,
                    const std::vector<std::uint8_t>& rgb) const;
    std::string jpeg(const std::string& name, int width, int height,
                     const std::vector<std::uint8_t>& rgb) const;
    // A 2 x 2 palette PNG (red, blue); with `transparentRed` a tRNS chunk makes red clear.
    std::string palettePng(const std::string& name, bool transparentRed) const;
    std::string bytes(const std::string& name, const std::string& content) const;
    // Returns the whole content of a file.
    static std::string read(const std::string& path);

private:
    std::string m_dir;
};
