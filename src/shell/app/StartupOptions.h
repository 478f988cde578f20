#pragma once

#include <string>
#include <vector>

// What the editor's command line asks for.
struct StartupOptions
{
    enum class Mode
    {
        Window, // start the window, opening `openProjects`
        Build,  // build `buildProject` without a window and exit with its status
        Help,
        Version,
        UsageError, // `problem` says why
    };

    Mode mode = Mode::Window;
    bool debugMode = false;
    std::string buildProject;
    std::vector<std::string> openProjects;
    // "zh" or "en" from "--lang"; empty when not given.
    std::string language;
    std::string problem;

    // Reads the arguments after the program name: "-DebugMode" sets the debug flag; a path of an
    // existing file (surrounding double quotes stripped) is built without a window; "--open"
    // takes one or more project files for the window; "--lang zh|en" chooses the language of
    // the texts; "--help" and "--version".
    static StartupOptions parse(const std::vector<std::string>& args);

    static const char* usage();
};
