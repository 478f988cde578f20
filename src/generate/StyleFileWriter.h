#pragma once

#include "generate/StyleRecords.h"

#include <optional>
#include <string>

namespace generate {

// Lays out a style file: the 16-byte header, the scene table and every scene's record trees,
// with the next-sibling offsets, member counts and converted colours filled in.
class StyleFileWriter
{
public:
    // Returns the file's bytes for `content`; the header's scene count is the number of
    // scenes given. Returns nothing, with `error` (when given) set, for content the layout
    // cannot hold: a region of more than 65535 frames, a file past 4 GiB.
    static std::optional<std::string> encode(const StyleFileContent& content,
                                             std::string* error = nullptr);
};

} // namespace generate
