#include "CliProject.h"

#include "CliCommand.h"
#include "CliProjectSession.h"

#include "model/APStyleProject.h"
#include "platform/FileSystem.h"
#include "platform/UiText.h"
#include "projectfile/LoadFailureReason.h"
#include "projectfile/ProjectFileReader.h"

#include <iostream>

std::string singleProjectArgument(const CliCommand& command, const std::vector<std::string>& args,
                                  int& exit)
{
    std::string project;
    for (const std::string& arg : args) {
        if (!arg.empty() && arg[0] == '-') {
            exit = usageError(command, platform::formatText(
                                           platform::toolText("unknown option '%s'"), arg.c_str()));
            return {};
        }
        if (!project.empty() || arg.empty()) {
            exit = usageError(
                command,
                platform::formatText(platform::toolText("unexpected argument '%s'"), arg.c_str()));
            return {};
        }
        project = arg;
    }
    if (project.empty()) {
        exit = usageError(command, platform::toolText("no project file given"));
    }
    return project;
}

std::unique_ptr<APStyleProject> loadCliProject(const CliCommand& command, const std::string& path)
{
    auto project = std::make_unique<APStyleProject>();
    ProjectFileReader reader(*project);
    if (!reader.Load(path)) {
        std::cerr << "skinsmith-cli " << command.name << ": "
                  << platform::formatText(platform::toolText("cannot load %s: %s"), path.c_str(),
                                          projectfile::LoadFailureReason(path, reader).c_str())
                  << '\n';
        return nullptr;
    }
    // Elements reach their project through the current-project pointer.
    APStyleProject::SetCurrent(project.get());
    return project;
}

int runOnSingleProject(const CliCommand& command, const std::vector<std::string>& args,
                       const std::function<int(APStyleProject&)>& work)
{
    int exit = kExitOk;
    const std::string path = singleProjectArgument(command, args, exit);
    if (path.empty()) {
        return exit;
    }
    CliProjectSession session(command);
    APStyleProject* project = session.load(path);
    return project ? work(*project) : kExitFailed;
}
