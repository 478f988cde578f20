#include "components/packing/StrFileBuilder.h"

#include "components/packing/ByteOrder.h"

#include <limits>

namespace packing {

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
        texts.push_back(textOf(data, language));
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
