#include "generate/StyleConverter.h"

#include "generate/IdentifierBase.h"
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
    // The five arguments are fixed; the identifier base the build numbered the pictures
    // from goes to the converter's check beside them.
    platform::ChildProcess converter;
    converter.setVariable(kIdentifierBaseVariable,
                          std::to_string(identifierBase(project.BuildResType())));
    const int status = converter.start(commandLine(project, resFile)) ? converter.wait() : -1;
    platform::trace("sty_conv : " + std::to_string(status) + "\n");
    return status;
}

} // namespace generate
