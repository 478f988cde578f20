#pragma once

#include <string>

namespace strings {

// Replaces every "[CR]" in `text` in place by one character: a line feed when
// `lineFeed` is set, else a tab. Texts shorter than 5 characters are left as they are.
// Returns the number of replacements.
int ReplaceCR(std::u16string& text, bool lineFeed);

} // namespace strings
