#pragma once

#include "generate/StyleRecords.h"

#include <optional>
#include <string>
#include <string_view>

namespace generate {

// Decodes a style file and checks its whole structure: the header, that the scene table's
// offsets and sizes tile the file exactly, record kinds, member counts, the first-member
// and frame-list offsets, and every next-sibling offset. Nothing outside the buffer is read,
// however damaged the file.
class StyleFileReader
{
public:
    // Returns the file's content (colours converted back to their stored form, the mode byte
    // as in the file), or nothing with error() saying what is wrong at which offset.
    std::optional<StyleFileContent> read(std::string_view bytes);

    const std::string& error() const { return m_error; }

private:
    std::string m_error;
};

} // namespace generate
