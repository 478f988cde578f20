// res-extract: decodes every picture of a resource file back to a picture
// file, so that what the firmware will draw can be looked at and compared.

#include "CliCommand.h"

#include "components/packing/ResFileReader.h"
#include "platform/FileSystem.h"
#include "platform/UiText.h"

#include <stb/stb_image_write.h>

#include <iostream>

using namespace packing;

namespace {

const char kUsage[] = "Usage: skinsmith-cli res-extract FILE.res DIR\n"
                      "\n"
                      "Decodes every entry of a picture resource file (whole, compressed or a\n"
                      "split part) into DIR, which is created when missing. Each picture is\n"
                      "named after the index the firmware uses for it (start index + position):\n"
                      "N.png with the pixels as the firmware decodes them, or N.jpg with the\n"
                      "bytes of an entry packed as raw JPEG, unchanged. Existing files of these\n"
                      "names are replaced. Prints the path of each file written.\n";

void appendBytes(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<std::size_t>(size));
}

// Writes entry `index` to `base` + ".png" or ".jpg". Returns the path written,
// or "" with `error` set.
std::string extractEntry(ResFileReader& reader, std::size_t index, const std::string& base,
                         std::string& error)
{
    const ResEntryInfo& entry = reader.entries()[index];
    std::string content;
    std::string path = base + ".jpg";
    if (entry.format == kFormatJpeg) {
        const std::uint8_t* data = reader.storedData(index);
        content.assign(data, data + entry.size);
    } else {
        RgbaImage image;
        if (!reader.decodeRgba(index, image)) {
            error = reader.error();
            return {};
        }
        path = base + ".png";
        if (stbi_write_png_to_func(appendBytes, &content, image.width, image.height, 4,
                                   image.pixels.data(), image.width * 4) == 0) {
            error = platform::formatText(platform::toolText("cannot encode %s"), path.c_str());
            return {};
        }
    }
    std::error_code written;
    if (!platform::writeFileAtomically(path, content, &written)) {
        error = platform::formatText(platform::toolText("cannot write %s: %s"), path.c_str(),
                                     written.message().c_str());
        return {};
    }
    return path;
}

int runResExtract(const std::vector<std::string>& args);

const CliCommand kCommand = {"res-extract", "decode the pictures of a .res file to PNG files",
                             kUsage, runResExtract};

int runResExtract(const std::vector<std::string>& args)
{
    if (args.size() != 2) {
        return usageError(kCommand, platform::toolText("expected FILE.res and DIR"));
    }
    const std::string& file = args[0];
    const std::string& dir = args[1];
    ResFileReader reader;
    if (!reader.load(file)) {
        std::cerr << "skinsmith-cli res-extract: " << file << ": " << reader.error() << '\n';
        return kExitFailed;
    }
    if (!platform::createDirectories(dir)) {
        std::cerr << "skinsmith-cli res-extract: "
                  << platform::formatText(platform::toolText("cannot create directory %s"),
                                          dir.c_str())
                  << '\n';
        return kExitFailed;
    }
    int status = kExitOk;
    for (std::size_t i = 0; i < reader.entries().size(); ++i) {
        const std::size_t number = reader.header().startIndex + i;
        std::string error;
        const std::string path = extractEntry(reader, i, dir + "/" + std::to_string(number), error);
        if (path.empty()) {
            std::cerr << "skinsmith-cli res-extract: " << file << ": " << error << '\n';
            status = kExitFailed;
            continue;
        }
        std::cout << path << '\n';
    }
    return status;
}

} // namespace

const CliCommand& resExtractCommand()
{
    return kCommand;
}
