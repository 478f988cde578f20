#pragma once

#include <string>
#include <string_view>

// Macro names of the generated headers. Every name is made a valid C identifier: a
// character that cannot appear in one becomes '_' (bytes from 0x80 up, parts of UTF-8
// characters, are kept: C compilers take them as extended identifier characters).
namespace generate {

// True for A-Z, a-z, 0-9, '_' and bytes from 0x80 up.
bool isIdentifierChar(char c);

// Returns the macro name of the picture at `picturePath`: the file name without its
// extension (the whole file name when it has none), upper-cased, cut to its first 32 bytes
// (never inside a UTF-8 character), a leading digit replaced by '_'. "9patch.png" gives
// "_PATCH". Empty when the file name has an empty stem (".png").
std::string pictureMacroName(std::string_view picturePath);

// Returns the macro name for a string resource or a scene or element name: the name
// upper-cased, with '_' put before a leading digit. Empty for an empty name.
std::string nameMacroName(std::string_view name);

} // namespace generate
