// skinsmith-cli check: measures every string element's text in every language against its box
// and reports overflows, missing texts, unbound string elements and characters without glyphs.

#include "CliCommand.h"
#include "CliProjectSession.h"

#include "model/APStyleProject.h"
#include "platform/UiText.h"
#include "textcheck/TextFitCheck.h"

#include <iostream>
#include <sstream>

namespace {

const char kUsage[] =
    "Usage: skinsmith-cli check PROJECT.ui [--json] [--languages NAME,...] [--font FILE]\n"
    "\n"
    "Measures the text of every string element in every language at the element's font\n"
    "height, shaped and ordered as the device draws it ([CR] starts a new line, each line\n"
    "the font height tall), against the element's box, and reports:\n"
    "  overflow   a text wider or higher than its box (scrolling texts: only too high)\n"
    "  missing    a string without a text in a language: empty, \"N/A\", or the same text in\n"
    "             every language (untranslated)\n"
    "  unbound    a string element bound to no string\n"
    "  no glyph   a character the measuring font cannot draw\n"
    "and which font measured each script. Without --font the installed fonts measure: Noto\n"
    "Sans (Latin, Greek, Cyrillic and the rest), Noto Sans Arabic, Hebrew and Thai, and\n"
    "WenQuanYi Micro Hei for Chinese, Japanese and Korean.\n"
    "\n"
    "Options:\n"
    "  --json               print the report as JSON on standard output\n"
    "  --languages A,B      check only these languages (names as the project lists them)\n"
    "  --font FILE          measure every script with this font (TTF, OTF, BDF or PCF),\n"
    "                       such as the device's own\n"
    "  -h, --help           show this help\n"
    "\n"
    "Exit status: 0 nothing to report, 1 something reported or the project could not be\n"
    "checked, 2 usage error.\n";

int runCheck(const std::vector<std::string>& args);

const CliCommand kCommand{"check", "check every text fits its box in every language", kUsage,
                          runCheck};

std::vector<std::string> SplitList(const std::string& list)
{
    std::vector<std::string> items;
    std::istringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) {
        if (!item.empty()) {
            items.push_back(item);
        }
    }
    return items;
}

int runCheck(const std::vector<std::string>& args)
{
    std::string path;
    bool json = false;
    std::string font;
    std::vector<std::string> languages;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            json = true;
        } else if (arg == "--languages" || arg == "--font") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                return usageError(
                    kCommand,
                    platform::formatText(platform::toolText("%s needs a value"), arg.c_str()));
            }
            const std::string& value = args[++i];
            if (arg == "--font") {
                font = value;
            } else {
                languages = SplitList(value);
            }
        } else if (!arg.empty() && arg[0] == '-') {
            return usageError(
                kCommand,
                platform::formatText(platform::toolText("unknown option '%s'"), arg.c_str()));
        } else if (path.empty() && !arg.empty()) {
            path = arg;
        } else {
            return usageError(
                kCommand,
                platform::formatText(platform::toolText("unexpected argument '%s'"), arg.c_str()));
        }
    }
    if (path.empty()) {
        return usageError(kCommand, platform::toolText("no project file given"));
    }

    CliProjectSession session(kCommand);
    const APStyleProject* project = session.load(path);
    if (!project) {
        return kExitFailed;
    }
    textcheck::TextFitCheck check(font);
    const textcheck::TextFitReport report =
        check.Run(textcheck::TextFitInput::From(*project, languages));
    if (!check.Problem().empty()) {
        std::cerr << "skinsmith-cli check: " << check.Problem() << "\n";
        return kExitFailed;
    }
    std::cout << (json ? report.Json() : report.Text());
    return report.Clean() ? kExitOk : kExitFailed;
}

} // namespace

const CliCommand& checkCommand()
{
    return kCommand;
}
