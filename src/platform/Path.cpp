#include "platform/Path.h"

#include "platform/AsciiCase.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace platform {
namespace {

// A path taken apart: root is "" (relative), "/" or a foreign drive such as "C:/".
struct PathParts
{
    std::string root;
    std::vector<std::string> steps;
};

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool hasDrivePrefix(std::string_view path)
{
    return path.size() >= 2 && isAsciiLetter(path[0]) && path[1] == ':' &&
           (path.size() == 2 || isPathSeparator(path[2]));
}

std::size_t lastSeparator(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t backslash = path.rfind('\\');
    if (slash == std::string_view::npos) {
        return backslash;
    }
    if (backslash == std::string_view::npos) {
        return slash;
    }
    return std::max(slash, backslash);
}

// Splits into root and steps, applying "." and ".." as canonicalPath documents.
PathParts splitCanonical(std::string_view path)
{
    PathParts parts;
    if (hasDrivePrefix(path)) {
        parts.root = std::string(path.substr(0, 2)) + "/";
        path.remove_prefix(2);
    } else if (!path.empty() && isPathSeparator(path[0])) {
        parts.root = "/";
    }
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !isPathSeparator(path[end])) {
            ++end;
        }
        const std::string_view step = path.substr(start, end - start);
        if (step == "..") {
            if (!parts.steps.empty() && parts.steps.back() != "..") {
                parts.steps.pop_back();
            } else if (parts.root.empty()) {
                parts.steps.emplace_back(step);
            }
        } else if (!step.empty() && step != ".") {
            parts.steps.emplace_back(step);
        }
        start = end + 1;
    }
    return parts;
}

std::string appendStep(const std::string& directory, const std::string& step)
{
    if (directory.empty()) {
        return step;
    }
    if (directory.back() == '/') {
        return directory + step;
    }
    return directory + "/" + step;
}

bool existsOnDisk(const std::string& path)
{
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

// Returns the entry of `directory` whose name equals `name` ignoring the case of A to Z; the
// smallest such name when several do, so that the choice does not depend on listing order.
std::optional<std::string> findIgnoringCase(const std::string& directory, const std::string& name)
{
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(directory.c_str()), ::closedir);
    if (!dir) {
        return std::nullopt;
    }
    std::optional<std::string> best;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view entryName(entry->d_name);
        if (entryName == "." || entryName == ".." || !equalsIgnoreAsciiCase(entryName, name)) {
            continue;
        }
        if (!best || entryName < *best) {
            best = std::string(entryName);
        }
    }
    return best;
}

} // namespace

bool isAbsolutePath(std::string_view path)
{
    return (!path.empty() && isPathSeparator(path[0])) || hasDrivePrefix(path);
}

std::string joinPath(std::string_view directory, std::string_view name)
{
    if (directory.empty() || isAbsolutePath(name)) {
        return std::string(name);
    }
    std::string joined(directory);
    if (!isPathSeparator(joined.back())) {
        joined += '/';
    }
    joined += name;
    return joined;
}

std::string canonicalPath(std::string_view path)
{
    if (path.empty()) {
        return {};
    }
    const PathParts parts = splitCanonical(path);
    std::string result = parts.root;
    for (std::size_t i = 0; i < parts.steps.size(); ++i) {
        if (i > 0) {
            result += '/';
        }
        result += parts.steps[i];
    }
    return result.empty() ? "." : result;
}

std::string directoryOf(std::string_view path)
{
    const std::size_t separator = lastSeparator(path);
    if (separator == std::string_view::npos) {
        return {};
    }
    if (separator == 0) {
        return std::string(path.substr(0, 1));
    }
    if (separator == 2 && hasDrivePrefix(path)) {
        return std::string(path.substr(0, 3));
    }
    return std::string(path.substr(0, separator));
}

std::string fileNameOf(std::string_view path)
{
    const std::size_t separator = lastSeparator(path);
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::string extensionOf(std::string_view path)
{
    const std::string name = fileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string fileStemOf(std::string_view path)
{
    const std::string name = fileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string storedToNative(std::string_view stored)
{
    std::string native(stored);
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

std::string nativeToStored(std::string_view native)
{
    std::string stored(native);
    std::replace(stored.begin(), stored.end(), '/', '\\');
    return stored;
}

std::string relativeStoredPath(std::string_view fromDirectory, std::string_view absoluteTarget)
{
    if (!isAbsolutePath(absoluteTarget) || !isAbsolutePath(fromDirectory)) {
        return std::string(absoluteTarget);
    }
    const PathParts from = splitCanonical(fromDirectory);
    const PathParts target = splitCanonical(absoluteTarget);
    if (!equalsIgnoreAsciiCase(from.root, target.root)) {
        return std::string(absoluteTarget);
    }
    std::size_t common = 0;
    while (common < from.steps.size() && common < target.steps.size() &&
           from.steps[common] == target.steps[common]) {
        ++common;
    }
    std::string result;
    for (std::size_t i = common; i < from.steps.size(); ++i) {
        result += result.empty() ? ".." : "\\..";
    }
    if (result.empty()) {
        result = ".";
    }
    for (std::size_t i = common; i < target.steps.size(); ++i) {
        result += '\\';
        result += target.steps[i];
    }
    return result;
}

std::string matchCaseOnDisk(std::string_view path)
{
    const std::string exact = canonicalPath(path);
    if (exact.empty() || existsOnDisk(exact)) {
        return exact;
    }
    const PathParts parts = splitCanonical(exact);
    std::string current = parts.root;
    for (const std::string& step : parts.steps) {
        std::string next = appendStep(current, step);
        if (step != ".." && !existsOnDisk(next)) {
            const std::optional<std::string> found =
                findIgnoringCase(current.empty() ? "." : current, step);
            if (!found) {
                return exact;
            }
            next = appendStep(current, *found);
        }
        current = std::move(next);
    }
    return current;
}

std::string resolveStoredPath(std::string_view baseDirectory, std::string_view path)
{
    if (path.empty()) {
        return {};
    }
    const std::string native = storedToNative(path);
    return matchCaseOnDisk(isAbsolutePath(native) ? native : joinPath(baseDirectory, native));
}

} // namespace platform
