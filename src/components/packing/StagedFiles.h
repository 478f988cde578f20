#pragma once

#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace packing {

// Writes a set of output files so that a failure leaves every target as it
// was: each file is written to a temporary file beside its target, and only
// when all were written completely are they renamed over their targets.
// Temporary files not committed are removed by the destructor.
class StagedFiles
{
public:
    StagedFiles() = default;
    ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Creates the missing directories of `target` and a temporary file beside
    // it. Returns its stream (owned by this object), or null with error() set.
    std::ofstream* begin(const std::string& target);
    // Closes all streams and renames them over their targets. Returns false
    // with error() set when a write or a rename failed.
    bool commit();
    const std::string& error() const { return m_error; }

private:
    struct Staged
    {
        std::string target;
        std::string temporary;
        std::unique_ptr<std::ofstream> stream;
        bool renamed = false;
    };
    void discard();

    std::vector<Staged> m_files;
    std::string m_error;
};

} // namespace packing
