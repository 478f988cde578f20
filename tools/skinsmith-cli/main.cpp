#include "CliCommand.h"

#include "platform/AllocatorTuning.h"
#include "platform/ProgramVersion.h"
#include "platform/LanguageOption.h"
#include "platform/UiText.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

void printHelp(std::ostream& out)
{
    out << "Usage: skinsmith-cli [--lang zh|en] COMMAND [ARGS...]\n"
           "\n"
           "Builds and inspects SkinSmith user-interface projects without the editor window.\n"
           "Messages go to standard error; questions get their default answers.\n"
           "--lang zh|en (anywhere on the line) sets the language of the messages; without\n"
           "it the locale decides (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).\n"
           "\n"
           "Commands:\n";
    for (const CliCommand& command : cliCommands()) {
        out << "  " << command.name << std::string(14 - std::string(command.name).size(), ' ')
            << command.summary << '\n';
    }
    out << "\nRun 'skinsmith-cli COMMAND --help' for a command's options;\n"
           "'skinsmith-cli --version' prints the version.\n"
           "Exit status: 0 success, 1 failure, 2 usage error.\n";
}

} // namespace

int main(int argc, char** argv)
{
    platform::tuneAllocatorForBatchWork();
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string languageProblem;
    if (!platform::activateLanguageOption(args, languageProblem)) {
        std::cerr << "skinsmith-cli: " << languageProblem << "\n\n";
        printHelp(std::cerr);
        return kExitUsage;
    }
    if (args.empty()) {
        printHelp(std::cerr);
        return kExitUsage;
    }
    if (args[0] == "-h" || args[0] == "--help" || args[0] == "help") {
        printHelp(std::cout);
        return kExitOk;
    }
    if (args[0] == "--version") {
        std::cout << platform::versionLine("skinsmith-cli") << '\n';
        return kExitOk;
    }
    for (const CliCommand& command : cliCommands()) {
        if (args[0] != command.name) {
            continue;
        }
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        if (wantsHelp(rest)) {
            std::cout << command.usage;
            return kExitOk;
        }
        return command.run(rest);
    }
    std::cerr << "skinsmith-cli: "
              << platform::formatText(platform::toolText("unknown command '%s'"), args[0].c_str())
              << "\n\n";
    printHelp(std::cerr);
    return kExitUsage;
}
