#include "generate/UnattendedBuild.h"

#include "generate/ProjectStyleSteps.h"
#include "generate/ResourceBuild.h"
#include "model/APStyleProject.h"
#include "platform/ScriptedInteraction.h"
#include "projectfile/LoadFailureReason.h"
#include "projectfile/ProjectFileReader.h"
#include "projectfile/StandardProjectFileIo.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <set>

namespace generate {

void UnattendedBuild::ReportMissingPictures(const APStyleProject& project) const
{
    const PictureRegistry& pictures = project.Pictures();
    std::set<std::string> named;
    for (const std::uint32_t number : pictures.Missing()) {
        const std::size_t index = number - pictures.FirstNumber();
        if (index >= pictures.Records().size()) {
            continue;
        }
        const std::string path = project.ResolvePath(pictures.Records()[index].path, false);
        if (named.insert(path).second) {
            m_messages << m_programName << ": missing picture: " << path << '\n';
        }
    }
}

UnattendedBuild::UnattendedBuild(std::string projectPath, ResourceBuildOptions options,
                                 std::ostream& messages)
    : m_projectPath(std::move(projectPath)), m_options(options), m_messages(messages)
{
}

UnattendedBuild::Status UnattendedBuild::Run()
{
    platform::ScriptedInteraction headless(m_messages);
    headless.keepRecords(false);
    if (m_progressBar) {
        headless.echoProgress(platform::ScriptedInteraction::ProgressEcho::Bar);
    }
    platform::ScopedInteraction interaction(headless);
    // The unattended build saves the project first, sizing pictures from their files.
    projectfile::InstallProjectFileIo().SetSizePicturesFromFiles(true);

    const auto loadStart = std::chrono::steady_clock::now();
    auto project = std::make_unique<APStyleProject>();
    ProjectFileReader reader(*project);
    if (!reader.Load(m_projectPath)) {
        m_messages << m_programName << ": cannot load " << m_projectPath << ": "
                   << projectfile::LoadFailureReason(m_projectPath, reader) << '\n';
        return kFailed;
    }
    const double loadSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - loadStart).count();
    // Elements reach their project through the current-project pointer.
    APStyleProject::SetCurrent(project.get());
    ProjectStyleSteps style(*project, m_options);
    ResourceBuild build(*project, style, m_options);
    const ResourceBuild::Outcome outcome = build.run();
    APStyleProject::SetCurrent(nullptr);
    using Outcome = ResourceBuild::Outcome;
    if (outcome == Outcome::Stopped || outcome == Outcome::BuiltWithErrors) {
        ReportMissingPictures(*project);
        const auto& errors = build.errors();
        m_messages << m_programName << ": "
                   << (outcome == Outcome::Stopped ? "the build stopped" : "the build failed")
                   << (errors.empty() ? std::string() : ": " + errors.back()) << '\n';
        return kFailed;
    }
    if (outcome == Outcome::Cancelled) {
        m_messages << m_programName << ": the build was cancelled; every output is as it was\n";
        return kFailed;
    }
    if (outcome == Outcome::NothingToBuild) {
        m_messages << m_programName << ": the project has no pictures and no strings\n";
    }
    const BuildSummary& summary = build.summary();
    char done[96];
    std::snprintf(done, sizeof done, ": built %zu files, %s, in %.1f s\n", summary.outputs.size(),
                  ByteSizeText(summary.TotalBytes()).c_str(), summary.seconds);
    m_messages << m_programName << done;
    if (m_timings) {
        BuildTimings timings = build.timings();
        timings.load = loadSeconds;
        m_messages << timings.text();
    }
    return kBuilt;
}

} // namespace generate
