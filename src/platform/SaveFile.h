#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <system_error>

namespace platform {

// Writes a file so that a failure or crash never destroys the previous one: the bytes go to a
// new file in the same directory, which is flushed to disk and then renamed over the target.
// Until commit() succeeds the target is untouched; a SaveFile destroyed without a successful
// commit removes its temporary file.
class SaveFile
{
public:
    enum class Durability
    {
        Synced,    // on disk before commit() returns
        Transient, // a file the writer deletes again shortly: no syncs
    };

    explicit SaveFile(std::string targetPath, Durability durability = Durability::Synced);
    ~SaveFile();
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;

    // Creates the temporary file beside the target (a symbolic link is followed, so the link
    // stays a link). Returns false when it cannot; error() tells why.
    bool open();
    // Appends `data`. Returns false once anything has failed.
    bool write(std::string_view data);
    // The open stream, owned by this object, for writers that print to a FILE* themselves;
    // null before open(). Errors on it are found by commit().
    std::FILE* stream() { return m_file; }
    // Flushes and syncs the new file, gives it the target's permissions with owner write
    // added (the read-only attribute is cleared, as overwriting always did), and renames it
    // over the target. Returns false, removing the new file and leaving the target as it was,
    // when any step fails.
    bool commit();
    // Drops what was written; the target stays as it was.
    void discard();

    const std::string& targetPath() const { return m_target; }
    // The first error met; empty while all went well.
    std::error_code error() const { return m_error; }

private:
    bool fail(int errorNumber);
    bool finishWriting();

    std::string m_target;
    Durability m_durability;
    std::string m_temporary;
    std::FILE* m_file = nullptr;
    std::error_code m_error;
};

} // namespace platform
