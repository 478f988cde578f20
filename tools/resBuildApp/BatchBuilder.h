#pragma once

#include "BatchSwitches.h"

#include <functional>
#include <string>
#include <vector>

// Builds every project file below an apps directory, several at a time. Each project is built
// by a skinsmith-cli child process (the same code as `skinsmith-cli build`, and no shared
// current-project state between builds), so a failing or crashing project stops only itself.
class BatchBuilder
{
public:
    struct Result
    {
        std::string project; // path as found below the apps directory
        bool ok = false;
        std::string reason; // why it failed: the last line the build printed
        std::string output; // everything the build printed
    };

    // `cliPath`: the skinsmith-cli to run.
    BatchBuilder(BatchSwitches switches, std::string cliPath);

    // Returns every ".ui" file (any letter case) below `appsDirectory`, at any depth, sorted.
    static std::vector<std::string> findProjects(const std::string& appsDirectory);

    // Takes the editor's auto-save copies out of `projects` and returns them: a file named
    // like "demo_2024_01_05_09_03_07.ui" beside a "demo.ui" of `projects`. Building one would
    // write its older state over the outputs of the project it was copied from.
    static std::vector<std::string> takeAutoSaveCopies(std::vector<std::string>& projects);

    // Builds `projects`; `report` is called once per project as it ends, one at a time.
    // Returns the results in the order of `projects`.
    std::vector<Result> run(const std::vector<std::string>& projects,
                            const std::function<void(const Result&)>& report);

private:
    Result buildOne(const std::string& project, const std::string& scratch) const;

    BatchSwitches m_switches;
    std::string m_cliPath;
    // Several projects built side by side already keep every core busy: each then converts
    // its pictures on one thread instead of competing with the others for the cores.
    bool m_onePackingThread = false;
};
