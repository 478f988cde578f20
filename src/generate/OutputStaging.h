#pragma once

#include <map>
#include <string>
#include <vector>

namespace generate {

// Stages the outputs of one resource build so that they replace the previous ones together or
// not at all. While an OutputStaging is active on a thread, nativeOutputPath() (and so every
// writer of generated files) resolves an output path into a hidden staging folder inside the
// output's own folder; commit() then moves every staged file over its target in one step
// (packing::StagedFiles), and the destructor drops whatever was not committed.
class OutputStaging
{
public:
    OutputStaging();
    ~OutputStaging();
    OutputStaging(const OutputStaging&) = delete;
    OutputStaging& operator=(const OutputStaging&) = delete;

    // Returns where the output `nativePath` is staged: its folder's staging folder (created
    // on first use) + its name. A path already inside a staging folder is returned as is.
    std::string redirect(const std::string& nativePath);

    // Has redirect() leave `nativePath` where it is: the transient identifier headers are
    // written and deleted in place and belong to no set.
    void exclude(const std::string& nativePath) { m_excluded.push_back(nativePath); }

    // Part files "<stem>_<n><ext>" beside `resFile` (native) that this build did not stage are
    // removed by commit(): a build without a split must not leave an earlier split's parts.
    void removeStaleParts(const std::string& resFile);

    // Puts every staged file in place of its target. Returns false with error() set when any
    // could not be; every target is then as it was.
    bool commit();
    const std::string& error() const { return m_error; }
    // The targets the last successful commit() put in place, in path order.
    const std::vector<std::string>& committed() const { return m_committed; }

private:
    // Output folder -> its staging folder.
    std::map<std::string, std::string> m_folders;
    std::vector<std::string> m_partFiles;
    std::vector<std::string> m_excluded;
    OutputStaging* m_previous;
    std::string m_error;
    std::vector<std::string> m_committed;
};

// The staging active on this thread, or null.
OutputStaging* activeOutputStaging();

} // namespace generate
