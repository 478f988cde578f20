#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class APStyleProject;
struct CliCommand;

// Returns the one project file named by `args`, or "" after reporting a usage error through
// usageError() (`exit` is then set to its status).
std::string singleProjectArgument(const CliCommand& command, const std::vector<std::string>& args,
                                  int& exit);

// Loads the project file at `path` and makes the project current. Returns the project, or
// null after printing why it could not be loaded. Messages of the load go to the installed
// interaction.
std::unique_ptr<APStyleProject> loadCliProject(const CliCommand& command, const std::string& path);

// Runs `work` on the one project file that `args` name, loaded in a CliProjectSession.
// Returns the status of a usage error, kExitFailed when the project could not be loaded,
// else what `work` returns.
int runOnSingleProject(const CliCommand& command, const std::vector<std::string>& args,
                       const std::function<int(APStyleProject&)>& work);
