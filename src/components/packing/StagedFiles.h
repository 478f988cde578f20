#pragma once

#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace packing {

// Writes (and removes) a set of output files so that a failure leaves every
// target as it was: each file is written to a temporary file beside its
// target; commit() moves the existing targets aside, renames the new files
// over them and only then drops the old ones. When a rename fails, the moves
// done so far are undone. Temporary files not committed are removed by the
// destructor.
class StagedFiles
{
public:
    StagedFiles() = default;
    virtual ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Creates the missing directories of `target` and a temporary file beside
    // it. Returns its stream (owned by this object), or null with error() set.
    std::ofstream* begin(const std::string& target);
    // Has commit() put `written`, a complete file that someone else wrote on the same
    // file system, in place of `target`; `written` is removed when the commit fails.
    void adopt(const std::string& written, const std::string& target);
    // Has commit() remove `target` together with the files written, or keep it
    // when the commit fails. A missing target is nothing to remove.
    void remove(const std::string& target);
    // Closes all streams and puts the new files in place of their targets.
    // Returns false with error() set when a write or a rename failed; the
    // targets are then as they were, unless even undoing failed, which error()
    // then says too.
    bool commit();
    const std::string& error() const { return m_error; }

protected:
    // Renames `from` over `to`; the seam through which tests make a rename fail.
    virtual void renameFile(const std::string& from, const std::string& to, std::error_code& ec);

private:
    struct Staged
    {
        std::string target;
        std::string temporary; // empty for a removal
        std::unique_ptr<std::ofstream> stream;
        std::string aside;     // where the old target waits while committing
        bool replaced = false; // the new file is in place
    };
    bool closeAll();
    bool moveAside(Staged& staged);
    void undo();
    void dropAside();
    void discard();

    std::vector<Staged> m_files;
    std::string m_error;
};

} // namespace packing
