#pragma once

#include "generate/ResourceBuildOptions.h"
#include "platform/UserInteraction.h"

#include <string>
#include <vector>

class APStyleProject;

namespace generate {

// The build outputs a budget report reads: those of the previous build when they are present
// and newer than everything they are built from, else those of a build into a scratch folder
// of its own, removed with this object. The project's own outputs and project file are never
// written.
class ReportOutputs
{
public:
    // `project` (loaded from its file) must outlive this object.
    explicit ReportOutputs(APStyleProject& project);
    ~ReportOutputs();
    ReportOutputs(const ReportOutputs&) = delete;
    ReportOutputs& operator=(const ReportOutputs&) = delete;

    // Fills the project's used lists and lists the previous build's outputs. Returns false,
    // with reason() set, when one is missing, older than a used picture or a string table,
    // or when the project file was saved after the newest of them (a build saves it while it
    // runs).
    bool UsePrevious();
    // Points the project's outputs into a scratch folder and builds there with `options`,
    // quietly: its messages are kept from the user, and its progress goes to `progress` when
    // given. Returns false with reason() set when the build stopped.
    bool BuildInScratch(ResourceBuildOptions options,
                        platform::ProgressReporter* progress = nullptr);

    const std::vector<std::string>& outputs() const { return m_outputs; }
    const std::string& reason() const { return m_reason; }
    // The scratch folder, or "" when the previous outputs are used.
    const std::string& scratchFolder() const { return m_scratch; }

private:
    bool fail(const std::string& reason);
    void redirectOutputs();

    APStyleProject& m_project;
    std::vector<std::string> m_outputs;
    std::string m_reason;
    std::string m_scratch;
};

} // namespace generate
