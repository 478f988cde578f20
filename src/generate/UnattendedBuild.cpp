#include "generate/UnattendedBuild.h"

#include "generate/ProjectStyleSteps.h"
#include "generate/ResourceBuild.h"
#include "model/APStyleProject.h"
#include "platform/HeadlessInteraction.h"
#include "projectfile/ProjectFileReader.h"
#include "projectfile/StandardProjectFileIo.h"

#include <memory>

namespace generate {

UnattendedBuild::UnattendedBuild(std::string projectPath, ResourceBuildOptions options,
                                 std::ostream& messages)
    : m_projectPath(std::move(projectPath)), m_options(options), m_messages(messages)
{
}

UnattendedBuild::Status UnattendedBuild::Run()
{
    platform::HeadlessInteraction headless(m_messages);
    headless.setProgressBar(m_progressBar);
    platform::ScopedInteraction interaction(headless);
    // The unattended build saves the project first, sizing pictures from their files.
    projectfile::InstallProjectFileIo().SetSizePicturesFromFiles(true);

    auto project = std::make_unique<APStyleProject>();
    ProjectFileReader reader(*project);
    if (!reader.Load(m_projectPath)) {
        m_messages << m_programName << ": cannot load " << m_projectPath << ": "
                   << reader.ErrorString() << '\n';
        return kFailed;
    }
    // Elements reach their project through the current-project pointer.
    APStyleProject::SetCurrent(project.get());
    ProjectStyleSteps style(*project, m_options);
    ResourceBuild build(*project, style, m_options);
    const ResourceBuild::Outcome outcome = build.run();
    APStyleProject::SetCurrent(nullptr);
    using Outcome = ResourceBuild::Outcome;
    if (outcome == Outcome::Stopped || outcome == Outcome::BuiltWithErrors) {
        const auto& errors = build.errors();
        m_messages << m_programName << ": "
                   << (outcome == Outcome::Stopped ? "the build stopped" : "the build failed")
                   << (errors.empty() ? std::string() : ": " + errors.back()) << '\n';
        return kFailed;
    }
    if (outcome == Outcome::NothingToBuild) {
        m_messages << m_programName << ": the project has no pictures and no strings\n";
    }
    return kBuilt;
}

} // namespace generate
