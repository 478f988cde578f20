#include "PictureResizer.h"

#include "components/imaging/DecoderInputCheck.h"
#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/UiText.h"

#include <stb/stb_image.h>
#include <stb/stb_image_resize.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

enum class Format
{
    Png,
    Bmp,
    Jpeg,
    None
};

Format formatOf(const std::string& path)
{
    const std::string extension = platform::toLowerAscii(platform::extensionOf(path));
    if (extension == ".png") {
        return Format::Png;
    }
    if (extension == ".bmp") {
        return Format::Bmp;
    }
    if (extension == ".jpg" || extension == ".jpeg") {
        return Format::Jpeg;
    }
    return Format::None;
}

void append(void* context, void* data, int size)
{
    auto* bytes = static_cast<std::string*>(context);
    bytes->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

} // namespace

bool PictureResizer::isPicture(const std::string& path)
{
    return formatOf(path) != Format::None;
}

int PictureResizer::scaledLength(int length, double factor)
{
    const long scaled = std::lround(length * factor);
    return scaled < 1 ? 1 : static_cast<int>(scaled);
}

bool PictureResizer::resize(const std::string& from, const std::string& to, double factorX,
                            double factorY, std::string& error)
{
    const Format format = formatOf(from);
    if (format == Format::None) {
        error =
            platform::formatText(platform::toolText("cannot read %s: not a picture"), from.c_str());
        return false;
    }
    std::error_code readError;
    const std::optional<std::string> file = platform::readFile(from, &readError);
    if (!file) {
        error = platform::formatText(platform::toolText("cannot read %s: %s"), from.c_str(),
                                     readError.message().c_str());
        return false;
    }
    const auto* source = reinterpret_cast<const stbi_uc*>(file->data());
    const std::string refused = imaging::DecoderInputCheck::refusal(source, file->size());
    if (!refused.empty() || file->size() > static_cast<std::size_t>(INT_MAX)) {
        error = platform::formatText(platform::toolText("cannot read %s: %s"), from.c_str(),
                                     refused.empty() ? platform::toolText("file too large")
                                                     : refused.c_str());
        return false;
    }
    const int length = static_cast<int>(file->size());
    int width = 0;
    int height = 0;
    int channels = 0;
    if (!stbi_info_from_memory(source, length, &width, &height, &channels)) {
        error = platform::formatText(platform::toolText("cannot read %s: %s"), from.c_str(),
                                     stbi_failure_reason());
        return false;
    }
    // PNG keeps an alpha channel it has, also one given by a transparency chunk (a palette's
    // or a transparent colour's, which the header alone does not tell); BMP and JPEG are
    // written without one.
    const int loadChannels = format == Format::Png ? 4 : 3;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(source, length, &width, &height, nullptr, loadChannels),
        stbi_image_free);
    if (!pixels) {
        error = platform::formatText(platform::toolText("cannot read %s: %s"), from.c_str(),
                                     stbi_failure_reason());
        return false;
    }
    const std::size_t pixelCount = static_cast<std::size_t>(width) * height;
    bool alpha = false;
    if (format == Format::Png) {
        alpha = channels == 2 || channels == 4;
        for (std::size_t i = 0; !alpha && i < pixelCount; ++i) {
            alpha = pixels.get()[i * 4 + 3] != 255;
        }
        if (!alpha) {
            // Opaque: keep it a colour picture of three channels.
            for (std::size_t i = 0; i < pixelCount; ++i) {
                std::copy_n(pixels.get() + i * 4, 3, pixels.get() + i * 3);
            }
        }
    }
    const int outChannels = alpha ? 4 : 3;
    const int newWidth = scaledLength(width, factorX);
    const int newHeight = scaledLength(height, factorY);
    std::vector<unsigned char> resized(static_cast<std::size_t>(newWidth) * newHeight *
                                       outChannels);
    if (!stbir_resize_uint8_srgb(pixels.get(), width, height, 0, resized.data(), newWidth,
                                 newHeight, 0, outChannels, alpha ? 3 : STBIR_ALPHA_CHANNEL_NONE,
                                 0)) {
        error = platform::formatText(platform::toolText("cannot resize %s"), from.c_str());
        return false;
    }
    std::string bytes;
    int written = 0;
    switch (format) {
    case Format::Png:
        written = stbi_write_png_to_func(append, &bytes, newWidth, newHeight, outChannels,
                                         resized.data(), newWidth * outChannels);
        break;
    case Format::Bmp:
        written = stbi_write_bmp_to_func(append, &bytes, newWidth, newHeight, outChannels,
                                         resized.data());
        break;
    case Format::Jpeg:
        written = stbi_write_jpg_to_func(append, &bytes, newWidth, newHeight, outChannels,
                                         resized.data(), 90);
        break;
    case Format::None:
        break;
    }
    if (written == 0 || !platform::createDirectories(platform::directoryOf(to)) ||
        !platform::writeFileAtomically(to, bytes)) {
        error = platform::formatText(platform::toolText("cannot write %s"), to.c_str());
        return false;
    }
    return true;
}
