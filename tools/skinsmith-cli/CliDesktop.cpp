// skinsmith-cli desktop: writes a project's desktop entry file, as the editor's menu command
// "生成desktop文件" does.

#include "CliCommand.h"
#include "CliProject.h"

#include "generate/ProjectDesktopFile.h"
#include "model/APStyleProject.h"

#include <iostream>

namespace {

const char kUsage[] =
    "Usage: skinsmith-cli desktop PROJECT.ui\n"
    "\n"
    "Loads PROJECT.ui and writes the desktop entry file that announces the application to\n"
    "the device's launcher, at the path and with the values of the project's desktop\n"
    "settings; the name in every language comes from the string resource the settings\n"
    "name. Nothing is written when the project's desktop switch is off. Messages go to\n"
    "standard error.\n"
    "\n"
    "Options:\n"
    "  -h, --help   show this help\n"
    "\n"
    "Exit status: 0 written, 1 the project could not be loaded, its switch is off or the\n"
    "file could not be written, 2 usage error.\n";

int runDesktop(const std::vector<std::string>& args);

const CliCommand kCommand{"desktop", "write a project's desktop entry file", kUsage, runDesktop};

int runDesktop(const std::vector<std::string>& args)
{
    return runOnSingleProject(kCommand, args, [](APStyleProject& project) {
        if (project.Desktop().create == 0) {
            // The editor's menu command is disabled then; say why nothing happens.
            std::cerr << "skinsmith-cli desktop: the project's desktop entry file is switched "
                         "off\n";
            return kExitFailed;
        }
        return generate::ProjectDesktopFile::writeAndReport(project) ? kExitOk : kExitFailed;
    });
}

} // namespace

const CliCommand& desktopCommand()
{
    return kCommand;
}
