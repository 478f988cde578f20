#include "BatchSwitches.h"

#include "platform/UiText.h"

#include <cstdlib>

bool parseBatchSwitches(const std::vector<std::string>& args, BatchSwitches& switches, bool& help,
                        std::string& problem)
{
    help = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help") {
            help = true;
        } else if (arg == "-res") {
            switches.resources = true;
        } else if (arg == "-sty") {
            switches.style = true;
        } else if (arg == "-styhead") {
            switches.styleHeader = true;
        } else if (arg == "-desktop") {
            switches.desktop = true;
        } else if (arg == "-minsize") {
            switches.smallest = true;
        } else if (arg == "-j") {
            char* end = nullptr;
            const long jobs = i + 1 < args.size() ? std::strtol(args[i + 1].c_str(), &end, 10) : 0;
            if (i + 1 >= args.size() || *end != '\0' || jobs < 1 || jobs > 256) {
                problem = platform::toolText("-j wants a number of builds at a time from 1 to 256");
                return false;
            }
            switches.jobs = static_cast<int>(jobs);
            ++i;
        } else if (arg == "-cache") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                problem = platform::toolText("-cache wants a folder");
                return false;
            }
            switches.cacheDirectory = args[++i];
        } else if (arg == "-nocache") {
            switches.noCache = true;
        } else if (!arg.empty() && arg[0] == '-') {
            problem = platform::formatText(platform::toolText("unknown switch %s"), arg.c_str());
            return false;
        } else if (switches.appsDirectory.empty()) {
            switches.appsDirectory = arg;
        } else {
            problem =
                platform::toolText("one apps directory only (a path with blanks is one argument)");
            return false;
        }
    }
    if (help) {
        return true;
    }
    if (switches.noCache && !switches.cacheDirectory.empty()) {
        problem = platform::toolText("-cache and -nocache cannot be used together");
        return false;
    }
    if (switches.appsDirectory.empty()) {
        problem = platform::toolText("no apps directory given");
        return false;
    }
    if (!switches.anyOutput()) {
        problem = platform::toolText("nothing to build: give -res, -sty, -styhead or -desktop");
        return false;
    }
    return true;
}

std::vector<std::vector<std::string>> buildSteps(const BatchSwitches& switches,
                                                 const std::string& project, bool desktopOn)
{
    std::vector<std::vector<std::string>> steps;
    if (switches.resources) {
        // The whole resource build; it generates the style (file and header) it needs and
        // ends with the desktop entry file when the project has it switched on.
        steps.push_back({"build", project, "--quality", switches.smallest ? "small" : "best"});
        if (switches.noCache) {
            steps.back().push_back("--no-cache");
        } else if (!switches.cacheDirectory.empty()) {
            steps.back().insert(steps.back().end(), {"--cache", switches.cacheDirectory});
        }
        return steps;
    }
    if (switches.style || switches.styleHeader) {
        steps.push_back({"style", project});
    }
    if (switches.desktop && desktopOn) {
        steps.push_back({"desktop", project});
    }
    return steps;
}
