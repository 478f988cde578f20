#include "PictureFiles.h"

#include <stb/stb_image_write.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

void putBigEndian(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

std::string pngChunk(const std::string& type, const std::string& data)
{
    std::string chunk;
    putBigEndian(chunk, static_cast<std::uint32_t>(data.size()));
    const std::string body = type + data;
    chunk += body;
    const auto* bytes = reinterpret_cast<const Bytef*>(body.data());
    putBigEndian(chunk, static_cast<std::uint32_t>(crc32(0, bytes, body.size())));
    return chunk;
}

void check(int written, const std::string& path)
{
    if (!written) {
        throw std::runtime_error("could not write " + path);
    }
}

} // namespace

PictureFiles::PictureFiles()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "skinsmith-pic-XXXXXX");
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("no temporary folder");
    }
    m_dir = pattern;
}

PictureFiles::~PictureFiles()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
}

std::string PictureFiles::png(const std::string& name, int width, int height, int channels,
                              const std::vector<std::uint8_t>& pixels) const
{
    const std::string file = path(name);
    check(stbi_write_png(file.c_str(), width, height, channels, pixels.data(), width * channels),
          file);
    return file;
}

std::string PictureFiles::bmp(const std::string& name, int width, int height,
                              const std::vector<std::uint8_t>& rgb) const
{
    const std::string file = path(name);
    check(stbi_write_bmp(file.c_str(), width, height, 3, rgb.data()), file);
    return file;
}

std::string PictureFiles::jpeg(const std::string& name, int width, int height,
                               const std::vector<std::uint8_t>& rgb) const
{
    const std::string file = path(name);
    check(stbi_write_jpg(file.c_str(), width, height, 3, rgb.data(), 95), file);
    return file;
}

std::string PictureFiles::palettePng(const std::string& name, bool transparentRed) const
{
    std::string header;
    putBigEndian(header, 2);
    putBigEndian(header, 2);
    header += std::string("\x08\x03\x00\x00\x00", 5); // 8 bits, palette
    const std::string palette("\xFF\x00\x00\x00\x00\xFF", 6);
    // Rows: filter byte 0, then one index a pixel (red blue / blue red).
    const std::string raw("\x00\x00\x01\x00\x01\x00", 6);
    std::vector<Bytef> packed(compressBound(raw.size()));
    uLongf packedSize = packed.size();
    compress(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(raw.data()), raw.size());

    std::string content("\x89PNG\r\n\x1A\n", 8);
    content += pngChunk("IHDR", header);
    content += pngChunk("PLTE", palette);
    if (transparentRed) {
        content += pngChunk("tRNS", std::string(1, '\0'));
    }
    content += pngChunk("IDAT", std::string(packed.begin(), packed.begin() + packedSize));
    content += pngChunk("IEND", "");
    return bytes(name, content);
}

std::string PictureFiles::bytes(const std::string& name, const std::string& content) const
{
    const std::string file = path(name);
    std::ofstream out(file, std::ios::binary);
    out << content;
    if (!out) {
        throw std::runtime_error("could not write " + file);
    }
    return file;
}

std::string PictureFiles::read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
