#pragma once

#include <string>

namespace platform {

// A new, empty directory below the system's temporary directory ($TMPDIR, else /tmp), removed
// with everything in it when the object goes away. For intermediate build files and tests.
class TemporaryDirectory
{
public:
    // Creates the directory; its name starts with `prefix`. Check isValid().
    explicit TemporaryDirectory(const std::string& prefix = "skinsmith");
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    bool isValid() const { return !m_path.empty(); }
    // Returns the absolute path, without a trailing '/'; "" when creation failed.
    const std::string& path() const { return m_path; }
    // Returns path() joined with `name`.
    std::string filePath(const std::string& name) const;
    // Keeps the directory on disk after destruction (for inspecting build output).
    void setAutoRemove(bool on) { m_autoRemove = on; }

private:
    std::string m_path;
    bool m_autoRemove = true;
};

// Returns the system's temporary directory: $TMPDIR when set and not empty, else "/tmp".
std::string temporaryRoot();

// Removes `path` and, for a directory, everything below it (symbolic links are removed, not
// followed). Returns true when nothing is left at `path`.
bool removeRecursively(const std::string& path);

} // namespace platform
