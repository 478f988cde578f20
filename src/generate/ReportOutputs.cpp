#include "generate/ReportOutputs.h"

#include "generate/OutputFile.h"
#include "generate/ProjectStyleSteps.h"
#include "generate/ResourceBuild.h"
#include "generate/StyleCollector.h"
#include "model/APStyleProject.h"
#include "platform/Path.h"
#include "platform/ScriptedInteraction.h"

#include <filesystem>
#include <sstream>

#include <stdlib.h>

namespace fs = std::filesystem;

namespace generate {
namespace {

bool modifiedAt(const std::string& path, fs::file_time_type& time)
{
    std::error_code ec;
    time = fs::last_write_time(path, ec);
    return !ec;
}

std::string nameOrDefault(const std::string& path, const std::string& fallback)
{
    const std::string name = platform::fileNameOf(nativeOutputPath(path));
    return name.empty() ? fallback : name;
}

} // namespace

ReportOutputs::ReportOutputs(APStyleProject& project) : m_project(project) {}

ReportOutputs::~ReportOutputs()
{
    if (!m_scratch.empty()) {
        std::error_code ec;
        fs::remove_all(m_scratch, ec);
    }
}

bool ReportOutputs::fail(const std::string& reason)
{
    m_reason = reason;
    return false;
}

bool ReportOutputs::UsePrevious()
{
    m_outputs.clear();
    m_project.UsedPictures().clear();
    m_project.UsedStrings().clear();
    StyleCollector collector(m_project, false);
    if (!collector.collect()) {
        return fail(collector.error());
    }
    std::vector<std::string> required;
    const std::string resFile = nativeOutputPath(m_project.ResourceFile());
    if (!m_project.UsedPictures().empty()) {
        required.push_back(resFile);
    }
    const std::string stringDir = nativeOutputPath(m_project.StringDir());
    if (!m_project.UsedStrings().empty()) {
        for (const std::string& language : m_project.Strings().NamedLanguages()) {
            required.push_back(platform::joinPath(stringDir, m_project.Name() + "." + language));
        }
    }
    required.push_back(nativeOutputPath(m_project.StyleFile()));
    fs::file_time_type oldest = fs::file_time_type::max();
    fs::file_time_type newest = fs::file_time_type::min();
    for (const std::string& path : required) {
        fs::file_time_type time;
        if (!modifiedAt(path, time)) {
            return fail("no previous output " + path);
        }
        oldest = std::min(oldest, time);
        newest = std::max(newest, time);
    }
    // The build itself saves the project file while it runs, after some outputs are written.
    fs::file_time_type projectTime;
    if (modifiedAt(m_project.ProjectFilePath(), projectTime) && projectTime > newest) {
        return fail(m_project.ProjectFilePath() + " is newer than the previous outputs");
    }
    std::vector<std::string> inputs;
    for (const std::uint32_t position : m_project.UsedPictures()) {
        inputs.push_back(m_project.ResolvePath(m_project.Pictures().At(position).path, false));
    }
    for (const std::string& table : m_project.TextFiles()) {
        inputs.push_back(m_project.ResolvePath(table, false));
    }
    for (const std::string& input : inputs) {
        fs::file_time_type time;
        if (modifiedAt(input, time) && time > oldest) {
            return fail(input + " is newer than the previous outputs");
        }
    }
    m_outputs = required;
    // The outputs that may or may not be there: parts of a split, the string list, headers.
    const std::vector<std::string> optional{
        platform::joinPath(stringDir, "strvalue.txt"), nativeOutputPath(m_project.StyleHeader()),
        m_project.Desktop().create != 0 ? nativeOutputPath(m_project.Desktop().path) : ""};
    for (const std::string& path : optional) {
        if (!path.empty() && fs::is_regular_file(path)) {
            m_outputs.push_back(path);
        }
    }
    const std::string stem = resFile.substr(0, resFile.size() < 4 ? 0 : resFile.size() - 4);
    const std::string extension = resFile.substr(stem.size());
    for (int part = 0; fs::is_regular_file(stem + "_" + std::to_string(part) + extension); ++part) {
        m_outputs.push_back(stem + "_" + std::to_string(part) + extension);
    }
    return true;
}

void ReportOutputs::redirectOutputs()
{
    const auto into = [&](const std::string& folder, const std::string& name) {
        return m_scratch + "/" + folder + "/" + name;
    };
    m_project.SetResourceFile(into("pictures", nameOrDefault(m_project.ResourceFile(), "res.res")));
    m_project.SetPictureHeader(into("include", nameOrDefault(m_project.PictureHeader(), "pic.h")));
    m_project.SetStringHeader(into("include", nameOrDefault(m_project.StringHeader(), "str.h")));
    m_project.SetStyleHeader(into("include", nameOrDefault(m_project.StyleHeader(), "sty.h")));
    m_project.SetStyleFile(into("style", nameOrDefault(m_project.StyleFile(), "style.sty")));
    m_project.SetStringDir(m_scratch + "/strings/");
    m_project.Desktop().path =
        into("desktop", nameOrDefault(m_project.Desktop().path, "app.desktop"));
    // Style generation brings the project document's layer identifiers up to date in its file.
    const std::string projectCopy =
        into("project", nameOrDefault(m_project.ProjectFilePath(), "project.ui"));
    fs::create_directories(fs::path(projectCopy).parent_path());
    m_project.SetProjectFilePath(projectCopy);
    m_project.Document().SetValue(projectCopy);
}

namespace {

// Keeps a scratch build's messages and questions to itself, and shows its progress where asked.
class ScratchInteraction : public platform::ScriptedInteraction
{
public:
    ScratchInteraction(std::ostream& out, platform::ProgressReporter* progress)
        : ScriptedInteraction(out), m_progress(progress)
    {
        keepRecords(false);
    }
    platform::ProgressReporter& progress() override
    {
        return m_progress != nullptr ? *m_progress : ScriptedInteraction::progress();
    }

private:
    platform::ProgressReporter* m_progress;
};

} // namespace

bool ReportOutputs::BuildInScratch(ResourceBuildOptions options,
                                   platform::ProgressReporter* progress)
{
    m_outputs.clear();
    std::string pattern = (fs::temp_directory_path() / "skinsmith-report-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return fail("cannot create a scratch folder in " + fs::temp_directory_path().string());
    }
    m_scratch = pattern;
    redirectOutputs();
    // Nothing of this build may save the project itself.
    options.unattended = false;
    options.saveOffered = true;
    m_project.SetModified(0);
    std::ostringstream messages;
    ScratchInteraction headless(messages, progress);
    platform::ScopedThreadInteraction interaction(headless);
    ProjectStyleSteps style(m_project, options);
    ResourceBuild build(m_project, style, options);
    const ResourceBuild::Outcome outcome = build.run();
    if (outcome == ResourceBuild::Outcome::Stopped ||
        outcome == ResourceBuild::Outcome::Cancelled) {
        return fail(build.errors().empty() ? "the build stopped" : build.errors().back());
    }
    for (const BuildSummary::Output& output : build.summary().outputs) {
        m_outputs.push_back(output.path);
    }
    return true;
}

} // namespace generate
