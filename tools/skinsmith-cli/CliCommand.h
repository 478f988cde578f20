#pragma once

#include <string>
#include <vector>

// Exit statuses every subcommand keeps to.
enum CliExit { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// One subcommand of skinsmith-cli. `run` gets the arguments after the
// subcommand's name and returns a CliExit value.
struct CliCommand
{
    const char* name;
    const char* summary;
    const char* usage; // full --help text
    int (*run)(const std::vector<std::string>& args);
};

// The subcommands, in the order --help lists them.
const std::vector<CliCommand>& cliCommands();

// True when `args` asks for help (-h or --help anywhere).
bool wantsHelp(const std::vector<std::string>& args);

// Prints "skinsmith-cli NAME: MESSAGE" and the usage line to standard error,
// returns kExitUsage.
int usageError(const CliCommand& command, const std::string& message);
