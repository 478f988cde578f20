#pragma once

#include "generate/ResourceBuildOptions.h"

#include <ostream>
#include <string>

class APStyleProject;

namespace generate {

// The resource build of a project file without a window, as the editor runs it when started
// with a project path and as `skinsmith-cli build` runs it: messages go to `messages`,
// questions get their default answers, the project is saved first with the pictures' sizes
// taken from their files. `options` must have `unattended` set.
class UnattendedBuild
{
public:
    enum Status
    {
        kBuilt = 0,  // the build ran to its end (also when there was nothing to build)
        kFailed = 1, // the project could not be loaded, or a step failed
    };

    UnattendedBuild(std::string projectPath, ResourceBuildOptions options, std::ostream& messages);

    // Shows a progress bar on `messages` (for a terminal).
    void SetProgressBar(bool on) { m_progressBar = on; }
    // Prints where the time went (BuildTimings) after the summary.
    void SetTimings(bool on) { m_timings = on; }
    // Prefix of the summary lines ("skinsmith-cli build", "skinsmith").
    void SetProgramName(std::string name) { m_programName = std::move(name); }

    Status Run();

private:
    // Names every picture file the build found missing, each path once, in list order.
    void ReportMissingPictures(const APStyleProject& project) const;

    std::string m_projectPath;
    ResourceBuildOptions m_options;
    std::ostream& m_messages;
    bool m_progressBar = false;
    bool m_timings = false;
    std::string m_programName = "skinsmith";
};

} // namespace generate
