// skinsmith-cli scale: writes a copy of a project scaled to another screen size, as the
// editor's "工程缩放" does.

#include "CliCommand.h"
#include "CliProjectSession.h"

#include "editing/ProjectScaler.h"
#include "model/APStyleProject.h"
#include "platform/UiText.h"
#include "projectfile/StandardProjectFileIo.h"

#include <cstdio>
#include <iostream>

namespace {

const char kUsage[] =
    "Usage: skinsmith-cli scale PROJECT.ui --to WxH -o OUT.ui\n"
    "\n"
    "Loads PROJECT.ui and writes OUT.ui: the same project for a screen of W x H pixels.\n"
    "Resource groups get their width and height scaled, pictures, picture regions and\n"
    "strings their position (x, y); their own sizes follow their picture files and fonts\n"
    "and stay. Products are truncated toward zero. The picture files are not touched (the\n"
    "SDK's resizeimage resizes them). OUT.ui must not be PROJECT.ui, also not in another\n"
    "letter case; PROJECT.ui is never changed.\n"
    "\n"
    "Options:\n"
    "  --to WxH      the new screen size, e.g. 480x272\n"
    "  -o OUT.ui     the project file to write\n"
    "  -h, --help    show this help\n"
    "\n"
    "Exit status: 0 written, 1 the project could not be loaded or OUT.ui not written, 2\n"
    "usage error.\n";

int runScale(const std::vector<std::string>& args);

const CliCommand kCommand{"scale", "write a copy of a project scaled to another screen size",
                          kUsage, runScale};

bool parseSize(const std::string& text, int& width, int& height)
{
    char x = 0;
    char rest = 0;
    return std::sscanf(text.c_str(), "%d%c%d%c", &width, &x, &height, &rest) == 3 &&
           (x == 'x' || x == 'X') && width > 0 && height > 0;
}

int runScale(const std::vector<std::string>& args)
{
    if (wantsHelp(args)) {
        std::cout << kUsage;
        return kExitOk;
    }
    std::string project;
    std::string output;
    int width = 0;
    int height = 0;
    bool sized = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--to" || arg == "-o") {
            if (i + 1 >= args.size()) {
                return usageError(
                    kCommand,
                    platform::formatText(platform::toolText("%s needs a value"), arg.c_str()));
            }
            const std::string& value = args[++i];
            if (arg == "-o") {
                output = value;
            } else if (!parseSize(value, width, height)) {
                return usageError(
                    kCommand, platform::formatText(
                                  platform::toolText("--to wants WxH with both above 0, not %s"),
                                  value.c_str()));
            } else {
                sized = true;
            }
        } else if (!arg.empty() && arg[0] == '-') {
            return usageError(kCommand, platform::formatText(
                                            platform::toolText("unknown option %s"), arg.c_str()));
        } else if (project.empty()) {
            project = arg;
        } else {
            return usageError(kCommand, platform::toolText("one project file only"));
        }
    }
    if (project.empty() || output.empty() || !sized) {
        return usageError(kCommand, platform::toolText("PROJECT.ui, --to and -o are all needed"));
    }
    if (editing::ProjectScaler::isSameFile(project, output)) {
        std::cerr << "skinsmith-cli scale: " << output << " is the project itself; "
                  << "write the scaled copy elsewhere\n";
        return kExitFailed;
    }

    // The copy is the project written into its document: without the writer installed the
    // document would keep the old screen size.
    projectfile::InstallProjectFileIo();
    CliProjectSession session(kCommand);
    APStyleProject* loaded = session.load(project);
    if (loaded == nullptr) {
        return kExitFailed;
    }
    if (loaded->ScreenWidth() <= 0 || loaded->ScreenHeight() <= 0) {
        std::cerr << "skinsmith-cli scale: the project's screen size is " << loaded->ScreenWidth()
                  << "x" << loaded->ScreenHeight() << "; nothing can be scaled from it\n";
        return kExitFailed;
    }
    const float scaleX = static_cast<float>(width) / static_cast<float>(loaded->ScreenWidth());
    const float scaleY = static_cast<float>(height) / static_cast<float>(loaded->ScreenHeight());
    loaded->SetScreenWidth(width);
    loaded->SetScreenHeight(height);
    editing::ProjectScaler scaler(*loaded, scaleX, scaleY);
    if (!scaler.writeTo(output)) {
        std::cerr << "skinsmith-cli scale: " << scaler.error() << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace

const CliCommand& scaleCommand()
{
    return kCommand;
}
