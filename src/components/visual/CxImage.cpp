#include "components/visual/CxImage.h"

#include "components/imaging/DecodeFailure.h"
#include "components/imaging/DecoderInputCheck.h"
#include "components/imaging/PngChunks.h"
#include "components/visual/CxMemFile.h"

#include <stb/stb_image.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

namespace {

std::uint32_t formatFromSignature(const std::uint8_t* data, std::size_t size)
{
    using Format = imaging::DecoderInputCheck::Format;
    switch (imaging::DecoderInputCheck::formatOf(data, size)) {
    case Format::Png:
        return CxImage::kFormatPng;
    case Format::Jpeg:
        return CxImage::kFormatJpg;
    case Format::Bmp:
        return CxImage::kFormatBmp;
    default:
        return CxImage::kFormatOther;
    }
}

// Channel counts as the decoder reports them: 2 is grey with alpha, 4 colour with alpha.
// A palette with transparency is reported as 4 as well; a grey or colour PNG whose
// transparency chunk makes one colour clear is not, though its pixels carry the alpha:
// `transparentColour` says so.
bool hasAlpha(int channels, bool transparentColour)
{
    return channels == 2 || channels == 4 || transparentColour;
}

// Bytes ReadSize reads first; the whole file only when the header is not within them.
constexpr std::size_t kHeaderPrefix = 16 * 1024;

// Checks the header values both ReadSize and Decode act on.
bool checkSize(int width, int height, std::string& error)
{
    if (width <= 0 || height <= 0) {
        error = "picture has no pixels";
        return false;
    }
    if (static_cast<long long>(width) * height > CxImage::kMaxPixels) {
        error = "picture too large (" + std::to_string(width) + " x " + std::to_string(height) +
                " pixels)";
        return false;
    }
    return true;
}

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

CxImage::CxImage(std::uint32_t imageType) : m_type(imageType) {}

CxImage::CxImage(const CxImage& other) = default;

CxImage& CxImage::operator=(const CxImage& other) = default;

CxImage::~CxImage() = default;

bool CxImage::Load(const std::string& path, std::uint32_t imageType)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        m_lastError = "cannot open " + path;
        return false;
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    if (in.bad()) {
        m_lastError = "cannot read " + path;
        return false;
    }
    if (!Decode(bytes.data(), bytes.size(), imageType)) {
        m_lastError = path + ": " + m_lastError;
        return false;
    }
    return true;
}

bool CxImage::Decode(CxMemFile& file, std::uint32_t imageType)
{
    return Decode(file.Current(), file.Remaining(), imageType);
}

bool CxImage::Decode(const std::uint8_t* data, std::size_t size, std::uint32_t)
{
    if (!data || size == 0) {
        m_lastError = "empty picture data";
        return false;
    }
    if (size > static_cast<std::size_t>(INT_MAX)) {
        m_lastError = "picture data too large";
        return false;
    }
    const std::string refused = imaging::DecoderInputCheck::refusal(data, size);
    if (!refused.empty()) {
        m_lastError = refused;
        return false;
    }
    const int length = static_cast<int>(size);
    int width = 0;
    int height = 0;
    int channels = 0;
    if (!stbi_info_from_memory(data, length, &width, &height, &channels)) {
        m_lastError = "damaged picture: " + imaging::decodeFailureReason(data, size);
        return false;
    }
    if (!checkSize(width, height, m_lastError)) {
        return false;
    }
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(data, length, &width, &height, nullptr, 4), stbi_image_free);
    if (!pixels) {
        m_lastError = "damaged picture: " + imaging::decodeFailureReason(data, size);
        return false;
    }
    const std::size_t byteCount = static_cast<std::size_t>(width) * height * 4;
    m_pixels.assign(pixels.get(), pixels.get() + byteCount);
    m_width = width;
    m_height = height;
    m_hasAlpha =
        hasAlpha(channels, imaging::PngChunks::hasTransparentColour(data, size).value_or(false));
    m_type = formatFromSignature(data, size);
    m_lastError.clear();
    return true;
}

bool CxImage::ReadSize(const std::string& path, Info& info, std::string* error)
{
    std::string reason;
    const auto fail = [&](const std::string& text) {
        if (error) {
            *error = path + ": " + text;
        }
        return false;
    };
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return fail("cannot open");
    }
    // The decoder reads the size from the part of the file that was checked: the first bytes,
    // which hold the header of nearly every picture, or else the whole file.
    std::vector<std::uint8_t> bytes(kHeaderPrefix);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
    bool whole = bytes.size() < kHeaderPrefix;
    int width = 0;
    int height = 0;
    int channels = 0;
    const auto readInfo = [&] {
        width = height = channels = 0;
        reason = imaging::DecoderInputCheck::refusal(bytes.data(), bytes.size(), true);
        return reason.empty() && stbi_info_from_memory(bytes.data(), static_cast<int>(bytes.size()),
                                                       &width, &height, &channels) != 0;
    };
    bool tooLarge = false;
    const auto readRest = [&] {
        std::uint8_t chunk[65536];
        for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) {
            bytes.insert(bytes.end(), chunk, chunk + got);
            if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
                tooLarge = true;
                return;
            }
        }
    };
    if (!readInfo() && !whole) {
        readRest();
        if (tooLarge) {
            return fail("picture data too large");
        }
        readInfo();
        whole = true;
    }
    if (!reason.empty()) {
        return fail(reason);
    }
    if (width == 0) {
        return fail("damaged picture: " + imaging::decodeFailureReason(bytes.data(), bytes.size()));
    }
    if (!checkSize(width, height, reason)) {
        return fail(reason);
    }
    // A transparency chunk comes before the pixel data, but other chunks before it may take
    // more than the first bytes.
    std::optional<bool> transparent =
        imaging::PngChunks::hasTransparentColour(bytes.data(), bytes.size());
    if (!transparent && !whole) {
        readRest();
        transparent = imaging::PngChunks::hasTransparentColour(bytes.data(), bytes.size());
    }
    info.width = width;
    info.height = height;
    info.hasAlpha = hasAlpha(channels, transparent.value_or(false));
    info.format = formatFromSignature(bytes.data(), bytes.size());
    return true;
}

int CxImage::GetColorType() const
{
    if (!IsValid()) {
        return kColorNone;
    }
    return m_hasAlpha ? kColorAlpha : kColorRgb;
}

void CxImage::Destroy()
{
    m_pixels.clear();
    m_pixels.shrink_to_fit();
    m_width = 0;
    m_height = 0;
    m_hasAlpha = false;
}
