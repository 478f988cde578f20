#pragma once

#include <string>
#include <string_view>

// Paths as text. In memory, absolute paths use '/'. The stored form (project file,
// registries) is relative, uses '\', puts ".\" before a path below the directory it is
// relative to and "..\" for each step up, so that files move between machines unchanged.
// Every function accepts both separators on input. Everything lives on one root, so any two
// absolute paths are on the "same drive".
namespace platform {

// True for '/' and '\'.
inline bool isPathSeparator(char c)
{
    return c == '/' || c == '\\';
}

// True for paths that begin with a separator, and for foreign drive paths ("C:\x", "C:/x"),
// which must never be joined below another directory.
bool isAbsolutePath(std::string_view path);

// Returns `directory` and `name` joined by one '/'. Returns `name` when it is absolute or
// `directory` is empty. Nothing else is changed (see canonicalPath).
std::string joinPath(std::string_view directory, std::string_view name);

// Returns `path` with "." steps, repeated and trailing separators removed and each ".." step
// applied to the step before it, with '/' as separator. ".." at the root is dropped; leading
// ".." steps of a relative path are kept. A relative path that collapses to nothing gives ".";
// an empty path stays empty.
std::string canonicalPath(std::string_view path);

// Returns the text before the last separator: "/a" for "/a/b.png", "/" for "/b.png", "" for
// "b.png". The separators inside are left as they are.
std::string directoryOf(std::string_view path);

// Returns the text after the last separator ("b.png" for "/a/b.png").
std::string fileNameOf(std::string_view path);

// Returns the extension of the file name including its dot (".png"), as written; "" when the
// file name has no dot.
std::string extensionOf(std::string_view path);

// Returns the file name without its extension ("b" for "/a/b.png").
std::string fileStemOf(std::string_view path);

// Returns `stored` with every '\' replaced by '/'. Nothing else changes: a ".\" prefix becomes
// "./", which native calls accept.
std::string storedToNative(std::string_view stored);

// Returns `native` with every '/' replaced by '\'.
std::string nativeToStored(std::string_view native);

// Returns the stored form of `absoluteTarget` relative to the directory `fromDirectory`:
// ".\name" for a file in that directory, ".\sub\name" below it, "..\..\x\name" above it; "."
// for the directory itself. A relative `absoluteTarget` is returned unchanged, and so is the
// target when `fromDirectory` is not absolute or the two are on different foreign drives.
std::string relativeStoredPath(std::string_view fromDirectory, std::string_view absoluteTarget);

// Returns the path of an existing file or directory for `path` (stored or native, made
// canonical): the path itself when it exists; otherwise each missing component is matched
// without regard to the case of A to Z against its directory's listing, because stored paths
// are lower-cased while the files on a case-sensitive file system need not be. When some
// component matches nothing, returns the canonical path unchanged.
std::string matchCaseOnDisk(std::string_view path);

// Returns the native, canonical path for a stored or native `path` relative to the absolute
// `baseDirectory` (an absolute `path` is taken as it is), with the case fallback of
// matchCaseOnDisk. An empty `path` gives "".
std::string resolveStoredPath(std::string_view baseDirectory, std::string_view path);

} // namespace platform
