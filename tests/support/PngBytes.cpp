#include "PngBytes.h"

#include <zlib.h>

#include <fstream>
#include <stdexcept>

namespace testsupport {
namespace {

void putBigEndian(std::string& out, unsigned long value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

unsigned long bigEndian(const std::string& in, std::size_t at)
{
    unsigned long value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<unsigned char>(in[at + i]);
    }
    return value;
}

int samplesPerPixel(int colourType)
{
    switch (colourType) {
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 1;
    }
}

} // namespace

PngBytes::PngBytes(int width, int height, int colourType, std::string samples)
    : m_width(width), m_height(height), m_colourType(colourType), m_samples(std::move(samples))
{
}

PngBytes& PngBytes::add(const std::string& type, const std::string& data)
{
    m_chunks.emplace_back(type, data);
    return *this;
}

PngBytes& PngBytes::stored()
{
    m_stored = true;
    return *this;
}

std::string PngBytes::chunk(const std::string& type, const std::string& data)
{
    std::string out;
    putBigEndian(out, data.size());
    const std::string body = type + data;
    out += body;
    putBigEndian(
        out, crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())));
    return out;
}

std::size_t PngBytes::dataOffset(const std::string& png, const std::string& type)
{
    for (std::size_t at = 8; at + 8 <= png.size(); at += 12 + bigEndian(png, at)) {
        if (png.compare(at + 4, 4, type) == 0) {
            return at + 8;
        }
    }
    return std::string::npos;
}

std::string PngBytes::bytes() const
{
    const std::size_t rowBytes = static_cast<std::size_t>(m_width) * samplesPerPixel(m_colourType);
    if (m_samples.size() != rowBytes * static_cast<std::size_t>(m_height)) {
        throw std::invalid_argument("samples do not fit the picture's size");
    }
    std::string raw;
    for (int y = 0; y < m_height; ++y) {
        raw.push_back('\0'); // no filter
        raw.append(m_samples, static_cast<std::size_t>(y) * rowBytes, rowBytes);
    }
    std::string packed(compressBound(raw.size()), '\0');
    uLongf packedSize = packed.size();
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
              reinterpret_cast<const Bytef*>(raw.data()), raw.size(),
              m_stored ? Z_NO_COMPRESSION : Z_BEST_COMPRESSION);
    packed.resize(packedSize);

    std::string header;
    putBigEndian(header, static_cast<unsigned long>(m_width));
    putBigEndian(header, static_cast<unsigned long>(m_height));
    header += {'\x08', static_cast<char>(m_colourType), '\0', '\0', '\0'};
    std::string png("\x89PNG\r\n\x1A\n", 8);
    png += chunk("IHDR", header);
    for (const auto& [type, data] : m_chunks) {
        png += chunk(type, data);
    }
    png += chunk("IDAT", packed);
    png += chunk("IEND", "");
    return png;
}

std::string PngBytes::write(const std::string& path) const
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes();
    if (!out) {
        throw std::runtime_error("could not write " + path);
    }
    return path;
}

} // namespace testsupport
