// skinsmith-cli check: measures every string element's text in every language against its box
// and reports overflows, missing texts, unbound string elements and characters without glyphs.

#include "CliCommand.h"
#include "CliProjectSession.h"

#include "editing/PseudoPreview.h"
#include "model/APStyleProject.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "textcheck/MeasuringFontSetting.h"
#include "platform/UiText.h"
#include "textcheck/TextFitCheck.h"

#include <iostream>
#include <optional>
#include <sstream>

namespace {

using textcheck::MeasuringFontSetting;

const char kUsage[] =
    "Usage: skinsmith-cli check PROJECT.ui [--json] [--languages NAME,...] [--font FILE]\n"
    "                           [--set-font FILE | --default-font] [--pseudo NAME]\n"
    "\n"
    "Measures the text of every string element in every language at the element's font\n"
    "height, shaped and ordered as the device draws it ([CR] starts a new line, each line\n"
    "the font height tall), against the element's box, and reports:\n"
    "  overflow   a text wider or higher than its box (scrolling texts: only too high)\n"
    "  missing    a string without a text in a language: empty, \"N/A\", or the same text in\n"
    "             every language (untranslated)\n"
    "  unbound    a string element bound to no string\n"
    "  no glyph   a character the measuring font cannot draw\n"
    "and which font measured each script. Without --font the project's measuring font\n"
    "measures (kept in PROJECT.ui.textcheck by --set-font or the editor's text check panel),\n"
    "else the installed fonts: Noto Sans (Latin, Greek, Cyrillic and the rest), Noto Sans\n"
    "Arabic, Hebrew and Thai, and WenQuanYi Micro Hei for Chinese, Japanese and Korean.\n"
    "\n"
    "Options:\n"
    "  --json               print the report as JSON on standard output\n"
    "  --languages A,B      check only these languages (names as the project lists them)\n"
    "  --font FILE          measure every script with this font (TTF, OTF, BDF or PCF),\n"
    "                       such as the device's own\n"
    "  --set-font FILE      keep FILE as the project's measuring font and measure with it\n"
    "  --default-font       forget the project's measuring font; measure with the\n"
    "                       installed fonts\n"
    "  --pseudo NAME        check a pseudo-language made from the first language instead of\n"
    "                       the project's languages: qps-ploc (accented, 40% longer) or\n"
    "                       qps-plocm (mirrored right to left)\n"
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

editing::PseudoPreview PseudoKind(const std::string& name)
{
    for (const auto kind : {editing::PseudoPreview::Accented, editing::PseudoPreview::Mirrored}) {
        if (name == editing::PseudoLanguageName(kind)) {
            return kind;
        }
    }
    return editing::PseudoPreview::None;
}

textcheck::TextFitInput CheckedTexts(const APStyleProject& project,
                                     const std::vector<std::string>& languages,
                                     const std::string& pseudo)
{
    if (pseudo.empty()) {
        return textcheck::TextFitInput::From(project, languages);
    }
    const editing::PseudoPreview kind = PseudoKind(pseudo);
    return textcheck::TextFitInput::FromMadeUp(project, pseudo, [kind](const std::string& text) {
        return editing::PseudoText(kind, text);
    });
}

int runCheck(const std::vector<std::string>& args)
{
    std::string path;
    bool json = false;
    std::string font;
    std::optional<std::string> keptFont;
    std::string pseudo;
    std::vector<std::string> languages;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            json = true;
        } else if (arg == "--default-font") {
            keptFont = std::string();
        } else if (arg == "--languages" || arg == "--font" || arg == "--set-font" ||
                   arg == "--pseudo") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                return usageError(
                    kCommand,
                    platform::formatText(platform::toolText("%s needs a value"), arg.c_str()));
            }
            const std::string& value = args[++i];
            if (arg == "--font") {
                font = value;
            } else if (arg == "--set-font") {
                keptFont = value;
            } else if (arg == "--pseudo") {
                pseudo = value;
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
    if (keptFont && !font.empty()) {
        return usageError(kCommand, "--font cannot go with --set-font or --default-font");
    }
    if (!pseudo.empty() && PseudoKind(pseudo) == editing::PseudoPreview::None) {
        return usageError(kCommand,
                          "unknown pseudo-language '" + pseudo + "' (qps-ploc or qps-plocm)");
    }
    if (!pseudo.empty() && !languages.empty()) {
        return usageError(kCommand, "--pseudo cannot go with --languages");
    }

    CliProjectSession session(kCommand);
    const APStyleProject* project = session.load(path);
    if (!project) {
        return kExitFailed;
    }
    if (keptFont) {
        font = keptFont->empty() ? std::string()
                                 : platform::canonicalPath(
                                       platform::joinPath(platform::currentDirectory(), *keptFont));
    } else if (font.empty()) {
        const MeasuringFontSetting::Reading kept = MeasuringFontSetting::Read(path);
        if (!kept.problem.empty()) {
            std::cerr << "skinsmith-cli check: " << kept.problem << "\n";
            return kExitFailed;
        }
        font = kept.font;
    }
    textcheck::TextFitCheck check(font);
    const textcheck::TextFitReport report = check.Run(CheckedTexts(*project, languages, pseudo));
    if (!check.Problem().empty()) {
        std::cerr << "skinsmith-cli check: " << check.Problem() << "\n";
        return kExitFailed;
    }
    // Kept only once it measured: a font that cannot be opened is never stored.
    if (keptFont) {
        if (const std::string error = MeasuringFontSetting::Write(path, font); !error.empty()) {
            std::cerr << "skinsmith-cli check: " << error << "\n";
            return kExitFailed;
        }
    }
    std::cout << (json ? report.Json() : report.Text());
    return report.Clean() ? kExitOk : kExitFailed;
}

} // namespace

const CliCommand& checkCommand()
{
    return kCommand;
}
