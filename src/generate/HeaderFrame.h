#pragma once

#include <string>
#include <string_view>

// The frame every generated C header shares: opening comment, include guard, closing line.
// Texts use "\n"; they become CR LF when written (see CrLfText.h).
namespace generate {

// Returns the include guard for the header at `path`: its file name (after the last '\' or
// '/'; the whole path when it has none) upper-cased, each '.' and every other character that
// cannot appear in a C identifier replaced by '_', with "__" before and after.
// "D:\sdk\inc\main_pic.h" gives "__MAIN_PIC_H__".
std::string headerGuardName(std::string_view path);

// Returns the opening comment line, "#ifndef GUARD" and "#define GUARD" followed by an empty line.
std::string headerOpener(std::string_view path);

// Returns "\n#endif /* #ifndef GUARD */\n".
std::string headerCloser(std::string_view path);

} // namespace generate
