#include "generate/StyleConverter.h"

#include "generate/OutputFile.h"
#include "model/APStyleProject.h"
#include "platform/ChildProcess.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"
#include "platform/Trace.h"

namespace generate {

std::vector<std::string> StyleConverter::commandLine(const APStyleProject& project,
                                                     const std::string& resFile)
{
    const std::string style = nativeOutputPath(project.StyleFile());
    // Each path is one argument of its own: no shell ever splits or interprets it.
    return {platform::programDirectory() + "sty_conv",
            style,
            nativeOutputPath(resFile),
            style,
            nativeOutputPath(project.StyleHeader()),
            nativeOutputPath(project.StringDir())};
}

int StyleConverter::run(const APStyleProject& project, const std::string& resFile, bool debugMode)
{
    if (debugMode) {
        const std::string style = nativeOutputPath(project.StyleFile());
        platform::copyFile(style, style + ".Debug");
    }
    const int status = platform::runProcess(commandLine(project, resFile));
    platform::trace("sty_conv : " + std::to_string(status) + "\n");
    return status;
}

} // namespace generate
