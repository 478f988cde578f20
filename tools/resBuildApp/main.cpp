// resBuildApp: builds every project of an apps directory in one run, several at a time.

#include "BatchBuilder.h"
#include "BatchSwitches.h"

#include "platform/FileSystem.h"
#include "platform/LanguageOption.h"
#include "platform/ProgramDirectory.h"
#include "platform/ProgramVersion.h"
#include "platform/UiText.h"

#include <chrono>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <thread>

namespace {

const char kUsage[] =
    "Usage: resBuildApp [-res] [-sty] [-styhead] [-desktop] [-minsize] [-j N]\n"
    "                   [-cache DIR | -nocache] APPS_DIR\n"
    "\n"
    "Finds every project file (*.ui) below APPS_DIR, in sub-folders at any depth, and\n"
    "builds each one with skinsmith-cli (beside this program), several projects at a time.\n"
    "Each project is built by its own skinsmith-cli process, exactly as `skinsmith-cli\n"
    "build` builds it alone, with the options of SkinSmith.ini beside skinsmith-cli; a\n"
    "project that fails leaves the others built.\n"
    "\n"
    "Switches (at least one of the first four):\n"
    "  -res        the whole resource build (`skinsmith-cli build`): picture resource file,\n"
    "              string files, character sets, the style converter, and, because the\n"
    "              build needs them, the style file and style header; the desktop entry\n"
    "              file too when the project has it switched on\n"
    "  -sty        without -res: style generation (`skinsmith-cli style`); it writes the\n"
    "              style file and the style header together\n"
    "  -styhead    the same as -sty (the header is not made on its own)\n"
    "  -desktop    without -res: the desktop entry file (`skinsmith-cli desktop`) of every\n"
    "              project that has it switched on; projects with it off are skipped\n"
    "  -minsize    with -res: smallest size instead of best quality\n"
    "  -j N        N builds at a time (default: one per processor core)\n"
    "  -cache DIR  with -res: keep finished pictures in DIR, shared by all the builds\n"
    "              (default: as skinsmith-cli build, see its --cache)\n"
    "  -nocache    with -res: convert every picture again and keep nothing\n"
    "  -h, --help  show this help\n"
    "  --version   print the version\n"
    "  --lang zh|en  the language of the messages, also of the builds' (default: the locale)\n"
    "\n"
    "The identifier headers (\"res .h\" in the editor's batch dialog) are made and deleted\n"
    "again within every resource build, so there is no switch for them.\n"
    "\n"
    "The editor's auto-save copies (NAME_YYYY_MM_DD_hh_mm_ss.ui beside NAME.ui) are skipped:\n"
    "they would write older states over the outputs of their projects.\n"
    "\n"
    "Output: a \"skipped\" line per auto-save copy, one line per project as it ends (\"ok\"\n"
    "or \"FAILED\" with the reason and the build's messages), then a summary.\n"
    "Exit status: 0 every project was built, 1 some project failed or none was found, 2\n"
    "usage error.\n";

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << platform::versionLine("resBuildApp") << '\n';
        return 0;
    }
    std::string languageProblem;
    if (!platform::activateLanguageOption(args, languageProblem)) {
        std::cerr << "resBuildApp: " << languageProblem << "\n\n" << kUsage;
        return 2;
    }
    BatchSwitches switches;
    bool help = false;
    std::string problem;
    if (!parseBatchSwitches(args, switches, help, problem)) {
        std::cerr << "resBuildApp: " << problem << "\n\n" << kUsage;
        return 2;
    }
    if (help) {
        std::cout << kUsage;
        return 0;
    }
    if (!platform::isDirectory(switches.appsDirectory)) {
        std::cerr << "resBuildApp: "
                  << platform::formatText(platform::toolText("%s is no directory"),
                                          switches.appsDirectory.c_str())
                  << '\n';
        return 1;
    }
    const std::string cli = platform::programDirectory() + "skinsmith-cli";
    if (!platform::isFile(cli)) {
        std::cerr << "resBuildApp: "
                  << platform::formatText(
                         platform::toolText("%s not found; it must be beside resBuildApp"),
                         cli.c_str())
                  << '\n';
        return 1;
    }
    std::vector<std::string> projects = BatchBuilder::findProjects(switches.appsDirectory);
    const std::vector<std::string> copies = BatchBuilder::takeAutoSaveCopies(projects);
    if (projects.empty()) {
        std::cerr << "resBuildApp: "
                  << platform::formatText(platform::toolText("no project files (*.ui) below %s"),
                                          switches.appsDirectory.c_str())
                  << '\n';
        return 1;
    }

    const auto started = std::chrono::steady_clock::now();
    auto shown = [&](const std::string& project) {
        std::error_code error;
        const std::string relative =
            std::filesystem::relative(project, switches.appsDirectory, error).string();
        return error || relative.empty() ? project : relative;
    };
    for (const std::string& copy : copies) {
        std::cout << platform::formatText(platform::toolText("skipped %s: an auto-save copy"),
                                          shown(copy).c_str())
                  << '\n';
    }
    BatchBuilder builder(switches, cli);
    const std::vector<BatchBuilder::Result> results =
        builder.run(projects, [&](const BatchBuilder::Result& result) {
            if (result.ok) {
                std::cout << "ok      " << shown(result.project) << '\n';
            } else {
                std::cout << "FAILED  " << shown(result.project) << ": " << result.reason << '\n';
                std::string indented;
                for (std::size_t at = 0; at < result.output.size();) {
                    const std::size_t end = result.output.find('\n', at);
                    const std::string line = result.output.substr(
                        at, end == std::string::npos ? std::string::npos : end - at);
                    indented += "        | " + line + '\n';
                    at = end == std::string::npos ? result.output.size() : end + 1;
                }
                std::cout << indented;
            }
            std::cout.flush();
        });
    int failed = 0;
    for (const BatchBuilder::Result& result : results) {
        failed += result.ok ? 0 : 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::ostringstream time;
    time << seconds;
    std::cout << "resBuildApp: "
              << platform::formatText(
                     results.size() == 1
                         ? platform::toolText("%zu project, %zu built, %d failed (%s s)")
                         : platform::toolText("%zu projects, %zu built, %d failed (%s s)"),
                     results.size(), results.size() - failed, failed, time.str().c_str())
              << '\n';
    return failed == 0 ? 0 : 1;
}
