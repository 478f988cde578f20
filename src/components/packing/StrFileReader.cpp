#include "components/packing/StrFileReader.h"

#include "components/packing/ByteOrder.h"
#include "components/packing/FileBytes.h"
#include "components/packing/StrFileBuilder.h"

namespace packing {

bool StrFileReader::load(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    if (!readFileBytes(path, bytes)) {
        return fail("cannot read " + path);
    }
    return parse(bytes.data(), bytes.size());
}

bool StrFileReader::parse(const std::uint8_t* data, std::size_t size)
{
    m_texts.clear();
    m_error.clear();
    if (size < kStrHeaderSize || getU32(data) != kStrMagic) {
        return fail("not a string file");
    }
    if (data[6] != kStrVersion) {
        return fail("unknown string file version " + std::to_string(data[6]));
    }
    const std::size_t count = getU16(data + 4);
    m_language = getU16(data + 8);
    m_languageCount = getU16(data + 10);
    if (getU32(data + 12) != size) {
        return fail("string file of " + std::to_string(size) + " bytes, header says " +
                    std::to_string(getU32(data + 12)));
    }
    const std::size_t textsStart = kStrHeaderSize + count * kStrEntrySize;
    if (textsStart > size) {
        return fail("string table of " + std::to_string(count) + " entries exceeds the file");
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = data + kStrHeaderSize + i * kStrEntrySize;
        const std::size_t offset = getU32(entry);
        const std::size_t length = getU32(entry + 4);
        if (offset < textsStart || offset > size || length >= size - offset ||
            data[offset + length] != 0) {
            return fail("string " + std::to_string(i) + " lies outside the file");
        }
        m_texts.emplace_back(reinterpret_cast<const char*>(data + offset), length);
    }
    return true;
}

bool StrFileReader::fail(const std::string& message)
{
    m_texts.clear();
    m_error = message;
    return false;
}

} // namespace packing
