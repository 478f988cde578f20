#pragma once

#include <string>
#include <vector>

class APStyleProject;

namespace generate {

// The environment variable that tells sty_conv the identifier base of the build.
constexpr char kIdentifierBaseVariable[] = "SKINSMITH_IDENTIFIER_BASE";

// The SDK's style converter, sty_conv, which finishes a style file once the picture resource
// file exists. The editor does not check its outcome: sty_conv reports its own problems.
class StyleConverter
{
public:
    // Returns the program path (the program directory + "sty_conv") and its five arguments:
    // style file, picture resource file `resFile`, style file again (the output), style
    // header and string resource directory.
    static std::vector<std::string> commandLine(const APStyleProject& project,
                                                const std::string& resFile);

    // In `debugMode` first copies the style file to its path + ".Debug", which keeps the file
    // as generation wrote it. Then runs sty_conv and waits until it ends. Returns its exit
    // status, or -1 when it could not be started or was ended by a signal. The converter
    // gets the build's identifier base in kIdentifierBaseVariable.
    static int run(const APStyleProject& project, const std::string& resFile, bool debugMode);
};

} // namespace generate
