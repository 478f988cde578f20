#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CxMemFile;

// A decoded picture (PNG, BMP, JPEG and the other formats the decoder knows), kept as
// RGBA pixels for drawing. A failed Load or Decode keeps the previous picture and leaves
// the reason in GetLastError.
class CxImage
{
public:
    // Picture formats. The one passed to the constructor or to Load is what the caller
    // expects; the content decides, so that a renamed file still loads.
    enum Format : std::uint32_t
    {
        kFormatUnknown = 0,
        kFormatBmp = 1,
        kFormatJpg = 2,
        kFormatPng = 3,
        kFormatOther = 4, // decodable, but none of the three above
    };
    // What GetColorType returns.
    enum ColorType
    {
        kColorNone = 0,
        kColorRgb = 2,
        kColorAlpha = 4
    };

    // What ReadSize finds in a file's header.
    struct Info
    {
        int width = 0;
        int height = 0;
        bool hasAlpha = false;
        std::uint32_t format = kFormatUnknown;
    };

    // Pictures above this many pixels are refused: no screen of the device comes near it,
    // and a damaged header must not make us allocate gigabytes.
    static constexpr long long kMaxPixels = 8192LL * 8192LL;

    explicit CxImage(std::uint32_t imageType = kFormatUnknown);
    CxImage(const CxImage& other);
    CxImage& operator=(const CxImage& other);
    ~CxImage();

    // Decodes the picture file at `path`. Returns true on success.
    bool Load(const std::string& path, std::uint32_t imageType = kFormatUnknown);
    // Decodes the picture held in `file` from its current position to its end.
    bool Decode(CxMemFile& file, std::uint32_t imageType = kFormatUnknown);
    bool Decode(const std::uint8_t* data, std::size_t size,
                std::uint32_t imageType = kFormatUnknown);

    // Reads width, height and alpha of the picture at `path` from its header, without
    // decoding the pixels. Agrees with what Load gives for the same file. Returns false
    // (with the reason in `error`, when given) for a file Load would refuse at its header.
    static bool ReadSize(const std::string& path, Info& info, std::string* error = nullptr);

    bool IsValid() const { return !m_pixels.empty(); }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // kColorAlpha (4) when the picture has any transparency: an alpha channel, a palette
    // with transparent entries or a transparent colour (a PNG's tRNS chunk); kColorRgb
    // without, kColorNone without a picture.
    int GetColorType() const;
    // The format found in the content of the last decoded picture.
    std::uint32_t GetType() const { return m_type; }
    // RGBA pixels, 4 bytes a pixel, rows top-down; null without a picture. Owned here.
    const std::uint8_t* GetBits() const { return m_pixels.empty() ? nullptr : m_pixels.data(); }
    const std::vector<std::uint8_t>& Pixels() const { return m_pixels; }
    const std::string& GetLastError() const { return m_lastError; }
    // Releases the picture.
    void Destroy();

private:
    std::uint32_t m_type;
    int m_width = 0;
    int m_height = 0;
    bool m_hasAlpha = false;
    std::vector<std::uint8_t> m_pixels;
    std::string m_lastError;
};
