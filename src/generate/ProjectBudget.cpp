#include "generate/ProjectBudget.h"

#include "generate/ReportOutputs.h"
#include "model/APStyleProject.h"
#include "projectfile/LoadFailureReason.h"
#include "projectfile/ProjectFileReader.h"

namespace generate {
namespace {

// Makes `project` the current one while it lives.
class CurrentFor
{
public:
    explicit CurrentFor(APStyleProject& project) : m_previous(APStyleProject::Current())
    {
        APStyleProject::SetCurrent(&project);
    }
    ~CurrentFor() { APStyleProject::SetCurrent(m_previous); }
    CurrentFor(const CurrentFor&) = delete;
    CurrentFor& operator=(const CurrentFor&) = delete;

private:
    APStyleProject* m_previous;
};

} // namespace

bool ProjectBudget::OfProjectFile(const std::string& path, const ResourceBuildOptions& options,
                                  BudgetReport& report, std::string& error,
                                  platform::ProgressReporter* progress)
{
    APStyleProject project;
    ProjectFileReader reader(project);
    if (!reader.Load(path)) {
        error = "cannot load " + path + ": " + projectfile::LoadFailureReason(path, reader);
        return false;
    }
    const CurrentFor current(project);
    ReportOutputs outputs(project);
    if (outputs.UsePrevious() &&
        BudgetReport::Read(project, outputs.outputs(), report, error, options.splitPackStart)) {
        return true;
    }
    if (!outputs.BuildInScratch(options, progress)) {
        error = outputs.reason();
        return false;
    }
    if (!BudgetReport::Read(project, outputs.outputs(), report, error, options.splitPackStart)) {
        return false;
    }
    report.scratchBuild = true;
    report.project = path;
    return true;
}

} // namespace generate
