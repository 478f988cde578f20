#pragma once

#include "platform/SaveFile.h"

#include <string>
#include <string_view>

// Writing the files generated for the firmware.
namespace generate {

// Returns `text` with every "\n" written as CR LF, as the generated text files have on disk.
std::string withCrLf(std::string_view text);

// Returns `path` with '\' separators (as project settings may hold them) turned into '/';
// while a build stages its outputs (OutputStaging), the path where that output is staged.
std::string nativeOutputPath(std::string_view path);

// Gets `path` ready to be written: creates the missing directories above it and clears the
// read-only attribute of an existing file. Returns true when its directory exists.
bool prepareOutputPath(std::string_view path);

// Prepares `path` and replaces the file with `bytes`; the previous file survives any
// failure. Returns true when the new file is in place. A transient file (one the build deletes
// again) is not synced to disk.
bool writeOutputFile(
    std::string_view path, std::string_view bytes,
    platform::SaveFile::Durability durability = platform::SaveFile::Durability::Synced);

} // namespace generate
