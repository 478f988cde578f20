#include "components/packing/StrFileBuilder.h"

#include "components/packing/ByteOrder.h"

#include <limits>

namespace packing {
namespace {

// The half of a surrogate pair that the three bytes at `at` encode: 1 high, 2 low, 0 none.
int surrogateHalf(const std::string& text, std::size_t at, unsigned& bits)
{
    if (at + 3 > text.size() || static_cast<unsigned char>(text[at]) != 0xED) {
        return 0;
    }
    const unsigned second = static_cast<unsigned char>(text[at + 1]);
    const unsigned third = static_cast<unsigned char>(text[at + 2]);
    if (second < 0xA0 || second > 0xBF || (third & 0xC0) != 0x80) {
        return 0;
    }
    bits = ((second & 0x0F) << 6) | (third & 0x3F); // the unit's low 10 bits
    return second < 0xB0 ? 1 : 2;
}

} // namespace

std::string StrFileBuilder::fileText(const std::string& text)
{
    if (text.find('\xED') == std::string::npos) {
        return text;
    }
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned high = 0;
        unsigned low = 0;
        if (surrogateHalf(text, i, high) == 1 && surrogateHalf(text, i + 3, low) == 2) {
            const unsigned code = 0x10000 + (high << 10) + low;
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
            i += 5;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string StrFileBuilder::textOf(const std::string& data, std::size_t language)
{
    std::size_t begin = 0;
    for (std::size_t i = 0; i < language; ++i) {
        const std::size_t nul = data.find('\0', begin);
        if (nul == std::string::npos) {
            return {};
        }
        begin = nul + 1;
    }
    if (begin >= data.size()) {
        return {};
    }
    const std::size_t nul = data.find('\0', begin);
    return data.substr(begin, nul == std::string::npos ? std::string::npos : nul - begin);
}

bool StrFileBuilder::build(const std::vector<std::string>& strings, std::size_t language,
                           std::size_t languageCount, std::vector<std::uint8_t>& out,
                           std::string& error)
{
    std::vector<std::string> texts;
    texts.reserve(strings.size());
    std::size_t total = kStrHeaderSize + strings.size() * kStrEntrySize;
    for (const std::string& data : strings) {
        texts.push_back(fileText(textOf(data, language)));
        total += texts.back().size() + 1;
    }
    if (strings.size() > kStrMaxEntries || total > std::numeric_limits<std::uint32_t>::max()) {
        error = "string file too large";
        return false;
    }
    out.assign(kStrHeaderSize + strings.size() * kStrEntrySize, 0);
    out.reserve(total);
    putU32(out.data(), kStrMagic);
    putU16(out.data() + 4, static_cast<std::uint16_t>(strings.size()));
    out[6] = kStrVersion;
    putU16(out.data() + 8, static_cast<std::uint16_t>(language));
    putU16(out.data() + 10, static_cast<std::uint16_t>(languageCount));
    putU32(out.data() + 12, static_cast<std::uint32_t>(total));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::uint8_t* entry = out.data() + kStrHeaderSize + i * kStrEntrySize;
        putU32(entry, static_cast<std::uint32_t>(out.size()));
        putU32(entry + 4, static_cast<std::uint32_t>(texts[i].size()));
        out.insert(out.end(), texts[i].begin(), texts[i].end());
        out.push_back(0);
    }
    return true;
}

} // namespace packing
