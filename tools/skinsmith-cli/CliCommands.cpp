#include "CliCommand.h"

#include <iostream>

// Each subcommand lives in its own Cli<Name>.cpp and is listed here.
const CliCommand& resaveCommand();
const CliCommand& infoCommand();
const CliCommand& resDumpCommand();
const CliCommand& resExtractCommand();
const CliCommand& styleCommand();
const CliCommand& desktopCommand();
const CliCommand& buildCommand();
const CliCommand& reportCommand();
const CliCommand& editCommand();
const CliCommand& scaleCommand();
const CliCommand& checkCommand();
const CliCommand& stringsCommand();

const std::vector<CliCommand>& cliCommands()
{
    static const std::vector<CliCommand> commands = {
        resaveCommand(), infoCommand(),    resDumpCommand(), resExtractCommand(),
        styleCommand(),  desktopCommand(), buildCommand(),   reportCommand(),
        editCommand(),   scaleCommand(),   checkCommand(),   stringsCommand(),
    };
    return commands;
}

bool wantsHelp(const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (arg == "-h" || arg == "--help") {
            return true;
        }
    }
    return false;
}

int usageError(const CliCommand& command, const std::string& message)
{
    std::cerr << "skinsmith-cli " << command.name << ": " << message << "\n\n" << command.usage;
    return kExitUsage;
}
