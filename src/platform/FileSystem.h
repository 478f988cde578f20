#pragma once

#include "platform/SaveFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

// Files and directories. Paths are native (see Path.h for the stored form).
namespace platform {

// True when anything exists at `path` (a file, a directory, a link).
bool pathExists(const std::string& path);
// True when `path` is a regular file (links followed).
bool isFile(const std::string& path);
// True when `path` is a directory (links followed).
bool isDirectory(const std::string& path);

// Returns the size in bytes of the regular file at `path`, or nothing.
std::optional<std::uint64_t> fileSize(const std::string& path);

// Returns the whole content of the file at `path`, or nothing when it cannot be read (then
// `error`, when given, tells why).
std::optional<std::string> readFile(const std::string& path, std::error_code* error = nullptr);

// Gives the owner write permission on `path` (the read-only attribute cleared). Returns true
// when the owner may now write it.
bool clearReadOnly(const std::string& path);

// Creates `directory` and every missing directory above it. Returns true when it exists
// as a directory afterwards.
bool createDirectories(const std::string& directory);

// Gets `filePath` ready to be overwritten: creates the missing directories of its path and
// clears the read-only attribute of an existing file. Returns true when its directory exists.
bool prepareOutputFile(const std::string& filePath);

// Replaces `path` with `data` through SaveFile: the previous file stays intact unless the new
// one was completely written. Returns false (see `error`) on any failure.
bool writeFileAtomically(const std::string& path, std::string_view data,
                         std::error_code* error = nullptr,
                         SaveFile::Durability durability = SaveFile::Durability::Synced);

// Copies `from` over `to` (replaced the same crash-safe way). Returns true on success; callers
// that copy "silently" ignore the result, nothing is shown to the user.
bool copyFile(const std::string& from, const std::string& to);

// Deletes the file at `path`. Returns true when a file was deleted; nothing is shown.
bool removeFile(const std::string& path);

// Creates a new, empty file with a unique name in the system's temporary directory, so that
// several imports or builds can run side by side. Returns its path (the caller deletes the
// file), or "" when none could be created.
std::string uniqueTemporaryFilePath(const std::string& prefix = "skinsmith",
                                    const std::string& suffix = ".tmp");

// Returns the process's current directory, or "" when it cannot be found.
std::string currentDirectory();

} // namespace platform
