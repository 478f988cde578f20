#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace packing {

// Reads a per-language string file back, checking every count and offset.
class StrFileReader
{
public:
    // Returns false with error() set when the file cannot be read or is damaged.
    bool load(const std::string& path);
    bool parse(const std::uint8_t* data, std::size_t size);

    const std::vector<std::string>& texts() const { return m_texts; }
    int language() const { return m_language; }
    int languageCount() const { return m_languageCount; }
    const std::string& error() const { return m_error; }

private:
    bool fail(const std::string& message);

    std::vector<std::string> m_texts;
    int m_language = 0;
    int m_languageCount = 0;
    std::string m_error;
};

} // namespace packing
