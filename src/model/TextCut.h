#pragma once

#include <string>
#include <string_view>

namespace model {

// Returns at most `maxBytes` bytes of `text`, never ending inside a UTF-8 sequence
// (texts that are not UTF-8 are cut at the byte count). Names and identifiers of
// the registries keep this documented 32-byte limit.
inline std::string CutText(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes) {
        return std::string(text);
    }
    auto continuation = [&](std::size_t i) {
        return (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    };
    std::size_t end = maxBytes;
    if (continuation(end)) {
        // The first byte left out continues a sequence: cut before its lead byte.
        std::size_t lead = end;
        while (lead > 0 && continuation(lead)) {
            --lead;
        }
        if (static_cast<unsigned char>(text[lead]) >= 0xC0) {
            end = lead;
        }
    }
    return std::string(text.substr(0, end));
}

} // namespace model
