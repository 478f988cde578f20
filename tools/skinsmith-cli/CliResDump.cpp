// res-dump: lists a picture resource file's header and entries, or a string
// file's strings, so that what the firmware gets can be read without it.

#include "CliCommand.h"

#include "components/packing/ByteOrder.h"
#include "components/packing/ResFileReader.h"
#include "components/packing/StrFileBuilder.h"
#include "components/packing/StrFileReader.h"
#include "platform/FileSystem.h"
#include "platform/UiText.h"

#include <iomanip>
#include <iostream>
#include <sstream>

using namespace packing;

namespace {

const char kUsage[] = "Usage: skinsmith-cli res-dump FILE\n"
                      "\n"
                      "Lists a picture resource file (.res, whole, compressed or a split part):\n"
                      "its header, then one line per entry with the index the firmware uses\n"
                      "(start index + position), data offset and size in bytes, size in pixels,\n"
                      "pixel format, compression and flags.\n"
                      "A per-language string file is recognised by its magic number and listed\n"
                      "with its language and every string (length in bytes, text).\n";

std::string flagNames(std::uint8_t flags)
{
    static const struct
    {
        std::uint8_t mask;
        const char* name;
    } names[] = {{kFlagCompress, "compress"},
                 {kFlagAlphaPlane, "alpha"},
                 {kFlagSmallest, "smallest"},
                 {kFlagTiled, "tiled"}};
    std::string text;
    for (const auto& n : names) {
        if ((flags & n.mask) != 0) {
            text += text.empty() ? n.name : std::string(",") + n.name;
        }
    }
    return text.empty() ? "-" : text;
}

// Length of the valid UTF-8 sequence at `text[i]`, or 0.
std::size_t utf8Length(const std::string& text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                               : lead >= 0xE0                 ? 3
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                                                              : 0;
    if (length == 0 || lead > 0xF4 || i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

// The text in double quotes, with control characters, quotes, backslashes and
// bytes that are not UTF-8 escaped, so that every byte can be told apart.
std::string quoted(const std::string& text)
{
    std::ostringstream out;
    out << '"';
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out << '\\' << c;
        } else if (c == '\n') {
            out << "\\n";
        } else if (c == '\t') {
            out << "\\t";
        } else if (c >= 0x20 && c < 0x7F) {
            out << c;
        } else if (const std::size_t n = c >= 0x80 ? utf8Length(text, i) : 0; n != 0) {
            out << text.substr(i, n);
            i += n;
            continue;
        } else {
            out << "\\x" << std::hex << std::setw(2) << std::setfill('0') << unsigned{c} << std::dec
                << std::setfill(' ');
        }
        ++i;
    }
    out << '"';
    return out.str();
}

int dumpPictures(const std::string& path, std::vector<std::uint8_t> bytes)
{
    const std::size_t size = bytes.size();
    ResFileReader reader;
    if (!reader.parse(std::move(bytes))) {
        std::cerr << "skinsmith-cli res-dump: " << path << ": " << reader.error() << '\n';
        return kExitFailed;
    }
    const ResFileHeader& h = reader.header();
    std::cout << "picture resource file " << path << " (" << size << " bytes)\n"
              << "entries: " << reader.entries().size() << '\n'
              << "version: " << unsigned{h.version} << '\n'
              << "compression method: " << compressionName(h.method) << '\n'
              << "start index: " << h.startIndex << '\n'
              << "tile size: "
              << (h.tileWidth == 0
                      ? std::string("none")
                      : std::to_string(h.tileWidth) + "x" + std::to_string(h.tileHeight))
              << "\n\n";
    std::cout << std::left << std::setw(7) << "index" << std::setw(11) << "offset" << std::setw(11)
              << "size" << std::setw(12) << "pixels" << std::setw(10) << "format" << std::setw(12)
              << "compression"
              << "flags\n";
    for (std::size_t i = 0; i < reader.entries().size(); ++i) {
        const ResEntryInfo& e = reader.entries()[i];
        std::cout << std::setw(7) << h.startIndex + i << std::setw(11) << e.offset << std::setw(11)
                  << e.size << std::setw(12)
                  << std::to_string(e.width) + "x" + std::to_string(e.height) << std::setw(10)
                  << formatName(e.format) << std::setw(12) << compressionName(e.compression)
                  << flagNames(e.flags) << '\n';
    }
    return kExitOk;
}

int dumpStrings(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    StrFileReader reader;
    if (!reader.parse(bytes.data(), bytes.size())) {
        std::cerr << "skinsmith-cli res-dump: " << path << ": " << reader.error() << '\n';
        return kExitFailed;
    }
    std::cout << "string file " << path << " (" << bytes.size() << " bytes)\n"
              << "language: " << reader.language() << " of " << reader.languageCount() << '\n'
              << "strings: " << reader.texts().size() << "\n\n"
              << std::left << std::setw(7) << "index" << std::setw(9) << "length"
              << "text\n";
    for (std::size_t i = 0; i < reader.texts().size(); ++i) {
        const std::string& text = reader.texts()[i];
        std::cout << std::setw(7) << i << std::setw(9) << text.size() << quoted(text) << '\n';
    }
    return kExitOk;
}

int runResDump(const std::vector<std::string>& args);

const CliCommand kCommand = {"res-dump", "list the entries of a .res or string file", kUsage,
                             runResDump};

int runResDump(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        return usageError(kCommand, platform::toolText("expected one FILE"));
    }
    const std::string& path = args[0];
    std::error_code error;
    const std::optional<std::string> content = platform::readFile(path, &error);
    if (!content) {
        std::cerr << "skinsmith-cli res-dump: cannot read " << path << ": " << error.message()
                  << '\n';
        return kExitFailed;
    }
    std::vector<std::uint8_t> bytes(content->begin(), content->end());
    const std::uint32_t magic = bytes.size() >= 4 ? getU32(bytes.data()) : 0;
    if (magic == kStrMagic) {
        return dumpStrings(path, bytes);
    }
    if (magic == kResMagic) {
        return dumpPictures(path, std::move(bytes));
    }
    std::cerr << "skinsmith-cli res-dump: " << path
              << ": neither a picture resource file nor a string file\n";
    return kExitFailed;
}

} // namespace

const CliCommand& resDumpCommand()
{
    return kCommand;
}
