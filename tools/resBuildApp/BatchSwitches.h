#pragma once

#include <string>
#include <vector>

// What resBuildApp is asked for on its command line.
struct BatchSwitches
{
    bool resources = false;     // -res
    bool style = false;         // -sty
    bool styleHeader = false;   // -styhead
    bool desktop = false;       // -desktop
    bool smallest = false;      // -minsize
    int jobs = 0;               // -j N; 0: one per core
    std::string cacheDirectory; // -cache DIR
    bool noCache = false;       // -nocache
    std::string appsDirectory;

    // True when some output is asked for.
    bool anyOutput() const { return resources || style || styleHeader || desktop; }
};

// Parses the arguments after the program name. Returns false with `problem` set on a usage
// error. `help` is set for -h / --help.
bool parseBatchSwitches(const std::vector<std::string>& args, BatchSwitches& switches, bool& help,
                        std::string& problem);

// The skinsmith-cli runs that make what `switches` ask for of the project `project`, each an
// argument list after the program name. `desktopOn` is the project's own desktop switch.
std::vector<std::vector<std::string>> buildSteps(const BatchSwitches& switches,
                                                 const std::string& project, bool desktopOn);
