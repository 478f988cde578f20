#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The style header: one "#define  NAME    0xHASH" per scene and element name, where HASH is
// NameHash of the name. Names found in the previous header are kept behind the project's
// own, so firmware code that still refers to a removed element keeps compiling.
namespace generate {

// One "#define NAME VALUE" line of a header.
struct DefineLine
{
    std::string name;
    std::string value; // the text after the name, trimmed on the left
};

// Returns the define of `line` (trimmed first): "#define", a blank or tab, the name up to the
// next blank or tab, and a non-empty rest. Nothing for any other line, and for a define
// without a value (an include guard).
std::optional<DefineLine> parseDefineLine(std::string_view line);

// Returns the defines with a value of a whole header text, in file order.
std::vector<DefineLine> parseDefines(std::string_view text);

// Returns the style header for `names` (the collected scene and element names, then the
// names kept from the previous header): each name once, compared by its macro name (upper
// case), empty names skipped, the value NameHash of the upper-cased name in lower-case hex.
std::string styleHeaderText(const std::string& headerPath, const std::vector<std::string>& names);

// Writes the style header at `headerPath` for `collectedNames`, keeping the names of the
// defines already in the file. The previous file stays as it was on failure; then, when
// `showMessages`, "创建文件sty.h失败!" is shown. Returns true on success.
bool writeStyleHeader(const std::string& headerPath, const std::vector<std::string>& collectedNames,
                      bool showMessages);

} // namespace generate
