#include "CCompiler.h"

#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"

#include <cstdlib>

bool cCompilerAvailable()
{
    return std::system("command -v cc >/dev/null 2>&1") == 0;
}

std::string compileHeaderErrors(const std::string& headerPath,
                                const std::vector<std::string>& macros)
{
    platform::TemporaryDirectory dir("cc-check");
    const std::string source = dir.filePath("use.c");
    const std::string output = dir.filePath("cc.txt");
    // Included twice: a broken guard shows up as redefinitions.
    std::string text = "#include \"" + headerPath + "\"\n#include \"" + headerPath + "\"\n";
    text += "unsigned long used[] = {0";
    for (const std::string& macro : macros) {
        text += ", (unsigned long)(" + macro + ")";
    }
    text += "};\n";
    platform::writeFileAtomically(source, text);
    const std::string command =
        "cc -std=c99 -Wall -Wextra -Werror -fsyntax-only '" + source + "' >'" + output + "' 2>&1";
    if (std::system(command.c_str()) == 0) {
        return {};
    }
    const auto messages = platform::readFile(output);
    return messages && !messages->empty() ? *messages : "cc failed";
}
