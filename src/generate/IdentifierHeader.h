#pragma once

#include <string>
#include <vector>

// The picture and string identifier headers of the resource build: one macro per resource
// the packer accepted, numbered densely from base + 1 in packing order.
namespace generate {

// Returns the picture identifier header for `acceptedPicturePaths` (the pictures the packer
// accepted, in packing order): "#define  NAME    NUMBER" lines, NAME from pictureMacroName
// ("PIC_" + NUMBER when that is empty), NUMBER = base + 1, base + 2, ...
std::string pictureIdentifierHeaderText(const std::string& headerPath,
                                        const std::vector<std::string>& acceptedPicturePaths,
                                        int base);

// As above for the string resources the packer accepted, named by nameMacroName of their
// resource names ("STR_" + NUMBER when that is empty).
std::string stringIdentifierHeaderText(const std::string& headerPath,
                                       const std::vector<std::string>& acceptedStringNames,
                                       int base);

// Writes `text` (from one of the functions above) to `headerPath` with CR LF line ends,
// creating missing directories. On failure shows "无法打开文件：" + path and returns false.
// The header is transient (the packing phases delete it again), so it is not synced to disk.
bool writeIdentifierHeader(const std::string& headerPath, const std::string& text);

} // namespace generate
