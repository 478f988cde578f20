#include "CliCommand.h"

#include "platform/AllocatorTuning.h"
#include "platform/ProgramVersion.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

void printHelp(std::ostream& out)
{
    out << "Usage: skinsmith-cli COMMAND [ARGS...]\n"
           "\n"
           "Builds and inspects SkinSmith user-interface projects without the editor window.\n"
           "Messages go to standard error; questions get their default answers.\n"
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
    const std::vector<std::string> args(argv + 1, argv + argc);
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
    std::cerr << "skinsmith-cli: unknown command '" << args[0] << "'\n\n";
    printHelp(std::cerr);
    return kExitUsage;
}
