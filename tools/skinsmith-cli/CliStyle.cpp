// skinsmith-cli style: runs style generation over a project file, as the first step of a
// resource build does.

#include "CliCommand.h"
#include "CliProject.h"

#include "generate/StyleGenerator.h"
#include "model/APStyleProject.h"

#include <iostream>

namespace {

const char kUsage[] =
    "Usage: skinsmith-cli style PROJECT.ui\n"
    "\n"
    "Loads PROJECT.ui and generates its style the way a resource build does: checks that\n"
    "scene names and the names within each resource group are unique and that every\n"
    "picture and string the elements use is registered, then writes the style file, the\n"
    "style header and the character-set files of every font height, with the layer ids\n"
    "made anew from the picture identifiers written. The project file's layer ids are\n"
    "brought up to date as the ENABLE_LAYERID setting of SkinSmith.ini says. Messages go\n"
    "to standard error.\n"
    "\n"
    "Options:\n"
    "  -h, --help   show this help\n"
    "\n"
    "Exit status: 0 written, 1 the project could not be loaded or a check failed, 2 usage\n"
    "error.\n";

int runStyle(const std::vector<std::string>& args);

const CliCommand kCommand{"style", "generate a project's style file and style header", kUsage,
                          runStyle};

int runStyle(const std::vector<std::string>& args)
{
    return runOnSingleProject(kCommand, args, [](APStyleProject& project) {
        generate::StyleGenerator generator(project);
        if (!generator.generate(true, true)) {
            std::cerr << "skinsmith-cli style: " << generator.error() << '\n';
            return kExitFailed;
        }
        return kExitOk;
    });
}

} // namespace

const CliCommand& styleCommand()
{
    return kCommand;
}
