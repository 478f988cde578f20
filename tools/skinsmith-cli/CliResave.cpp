// skinsmith-cli resave: loads a project file and writes it again, as the editor saves a
// project it has just created, in place or to another file.

#include "CliCommand.h"
#include "CliProjectSession.h"

#include "model/APStyleProject.h"
#include "platform/UiText.h"
#include "projectfile/ProjectFileWriter.h"

#include <iostream>

namespace {

const char kUsage[] =
    "Usage: skinsmith-cli resave PROJECT.ui [-o OUT.ui]\n"
    "\n"
    "Loads PROJECT.ui and writes it again in the editor's form: in place, or to OUT.ui\n"
    "(stored paths stay relative to PROJECT.ui's directories). Older forms of the file are\n"
    "brought up to date. Runs unattended: messages go to standard error, questions get\n"
    "their default answers and folder choosers are cancelled, so a project whose case or\n"
    "SDK directory is missing fails to load.\n"
    "\n"
    "Options:\n"
    "  -o OUT.ui    write to OUT.ui instead of PROJECT.ui\n"
    "  -h, --help   show this help\n"
    "\n"
    "Exit status: 0 written, 1 the project could not be loaded or written, 2 usage error.\n";

int runResave(const std::vector<std::string>& args);

const CliCommand kCommand{"resave", "load a project file and write it again", kUsage, runResave};

int runResave(const std::vector<std::string>& args)
{
    std::string project;
    std::string output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-o") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                return usageError(kCommand, platform::toolText("-o needs a file name"));
            }
            output = args[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            return usageError(
                kCommand,
                platform::formatText(platform::toolText("unknown option '%s'"), arg.c_str()));
        } else if (project.empty() && !arg.empty()) {
            project = arg;
        } else {
            return usageError(
                kCommand,
                platform::formatText(platform::toolText("unexpected argument '%s'"), arg.c_str()));
        }
    }
    if (project.empty()) {
        return usageError(kCommand, platform::toolText("no project file given"));
    }

    CliProjectSession session(kCommand);
    APStyleProject* model = session.load(project);
    if (!model) {
        return kExitFailed;
    }
    // Written the way a newly created project is: marked modified, saved, marked clean.
    model->SetModified(1);
    ProjectFileWriter writer(*model);
    const std::string target = output.empty() ? model->ProjectFilePath() : output;
    if (!writer.Save(target)) {
        std::cerr << "skinsmith-cli resave: " << writer.ErrorString() << '\n';
        return kExitFailed;
    }
    model->SetModified(0);
    return kExitOk;
}

} // namespace

const CliCommand& resaveCommand()
{
    return kCommand;
}
