#include "shell/app/StartupOptions.h"

#include "platform/FileSystem.h"
#include "platform/UiLanguage.h"

#include <iterator>

namespace {

std::string withoutQuotes(std::string text)
{
    if (!text.empty() && text.front() == '"') {
        text.erase(0, 1);
    }
    if (!text.empty() && text.back() == '"') {
        text.pop_back();
    }
    return text;
}

} // namespace

StartupOptions StartupOptions::parse(const std::vector<std::string>& args)
{
    StartupOptions options;
    bool opening = false;
    for (auto it = args.begin(); it != args.end(); ++it) {
        const std::string& arg = *it;
        if (arg == "--help" || arg == "-h") {
            options.mode = Mode::Help;
            return options;
        }
        if (arg == "--version") {
            options.mode = Mode::Version;
            return options;
        }
        if (arg == "-DebugMode") {
            options.debugMode = true;
            continue;
        }
        if (arg == "--open") {
            opening = true;
            continue;
        }
        if (arg == "--lang") {
            const auto language = std::next(it) == args.end()
                                      ? std::nullopt
                                      : platform::parseUiLanguage(*std::next(it));
            if (!language) {
                options.mode = Mode::UsageError;
                options.problem = "--lang takes zh or en";
                return options;
            }
            options.language = platform::uiLanguageCode(*language);
            ++it;
            continue;
        }
        if (!arg.empty() && arg[0] == '-') {
            options.mode = Mode::UsageError;
            options.problem = "unknown option '" + arg + "'";
            return options;
        }
        const std::string path = withoutQuotes(arg);
        if (opening) {
            options.openProjects.push_back(path);
            continue;
        }
        if (!options.buildProject.empty()) {
            options.mode = Mode::UsageError;
            options.problem = "more than one project to build: '" + path + "'";
            return options;
        }
        if (!platform::isFile(path)) {
            options.mode = Mode::UsageError;
            options.problem = "no such project file: '" + path + "'";
            return options;
        }
        options.buildProject = path;
    }
    if (opening && options.openProjects.empty()) {
        options.mode = Mode::UsageError;
        options.problem = "--open needs at least one project file";
        return options;
    }
    if (!options.buildProject.empty()) {
        options.mode = options.openProjects.empty() ? Mode::Build : Mode::UsageError;
        if (options.mode == Mode::UsageError) {
            options.problem = "a project to build cannot be combined with --open";
        }
    }
    return options;
}

const char* StartupOptions::usage()
{
    return "Usage: skinsmith [-DebugMode] [--lang zh|en] [--open PROJECT.ui...]\n"
           "       skinsmith [-DebugMode] [--lang zh|en] PROJECT.ui\n"
           "\n"
           "Without a project file, starts the SkinSmith editor window; --open opens the given\n"
           "projects in it. With a project file, builds that project's resources without a\n"
           "window (no display needed), exactly as 'skinsmith-cli build PROJECT.ui' does, and\n"
           "exits with the build's status.\n"
           "\n"
           "  -DebugMode   keep the intermediate build files\n"
           "  --open       open the following project files in the window\n"
           "  --lang zh|en the language of the window and the messages (Chinese or English);\n"
           "               without it, the choice kept in SkinSmith.ini, then the locale\n"
           "  --version    print the version\n"
           "  -h, --help   show this help\n"
           "\n"
           "Exit status: 0 success, 1 the build failed, 2 usage error.\n";
}
