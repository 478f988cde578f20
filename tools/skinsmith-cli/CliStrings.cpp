// skinsmith-cli strings: the round trip of a project's strings with translators. "export"
// writes them as a spreadsheet that the string import reads back; "diff" reports what
// adding a string file would change before anything changes; "pseudo" writes the export with
// two pseudo-languages for checking layouts before translation.

#include "CliCommand.h"
#include "CliProjectSession.h"
#include "InfoTree.h"

#include "model/APStyleProject.h"
#include "platform/AsciiCase.h"
#include "platform/Path.h"
#include "platform/UiText.h"
#include "strings/PseudoLanguages.h"
#include "strings/SpreadsheetWriter.h"
#include "strings/StringDiffReport.h"
#include "strings/StringTableDiff.h"
#include "strings/StringTableExport.h"

#include <cstdlib>
#include <iostream>
#include <sstream>

namespace {

const char kUsage[] =
    "Usage: skinsmith-cli strings export PROJECT.ui OUT.xlsx|OUT.csv [--languages A,B]\n"
    "                                    [--missing-only]\n"
    "       skinsmith-cli strings diff PROJECT.ui FILE [--json]\n"
    "       skinsmith-cli strings pseudo PROJECT.ui OUT.xlsx|OUT.csv [--expand PERCENT]\n"
    "\n"
    "export  writes every string resource of PROJECT.ui: its name, one column per\n"
    "        language headed by the language's name, and a column \"Check\" with the\n"
    "        width budget of the narrowest string element that shows it and its font\n"
    "        height. The header and the \"[RESLAN]\" row are those the string import\n"
    "        reads, so the file can be added back as a string file. A missing text is\n"
    "        an empty cell; \"[CR]\" is a line break in the cell. .xlsx is a workbook,\n"
    "        .csv RFC 4180 text in UTF-8.\n"
    "  --languages A,B  only these languages (names or slot numbers from 0), in this\n"
    "                   order; added back, the file gives the project only these\n"
    "  --missing-only   only the strings that lack a text in one of the languages\n"
    "\n"
    "diff    reports what adding FILE (.xlsx, .xls, .csv or a text file) as a string\n"
    "        file would do, and changes no file: new, changed and vanished strings,\n"
    "        texts that would become empty or \"N/A\", duplicate names and what they\n"
    "        would be renamed to, cells that are not text, rows with more cells than\n"
    "        the header.\n"
    "  --json  print the report as JSON\n"
    "\n"
    "pseudo  writes the export of every language with two pseudo-languages beside them,\n"
    "        made from the first language, to find layout faults before translation:\n"
    "        \"qps-ploc\", accented, longer and bracketed (\"[Ŝéţţîñĝš ~~~]\"), and\n"
    "        \"qps-plocm\", drawn right to left. Added back as a string file, they can be\n"
    "        shown and checked (skinsmith-cli check) like any language.\n"
    "  --expand PERCENT  how much longer the accented texts are (default 40)\n"
    "\n"
    "Options:\n"
    "  -h, --help   show this help\n"
    "\n"
    "Exit status: 0 written, or nothing would be lost; 1 the project or the file\n"
    "cannot be read or written, or something would be lost; 2 usage error.\n";

int runStrings(const std::vector<std::string>& args);

const CliCommand kCommand{"strings",
                          "export a project's strings for translators, or compare a string file",
                          kUsage, runStrings};

std::vector<std::string> splitList(const std::string& text)
{
    std::vector<std::string> items;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        items.push_back(item);
    }
    return items;
}

struct ExportRequest
{
    std::string project;
    std::string output;
    std::string languages;
    bool languagesGiven = false;
    bool missingOnly = false;
    // Pseudo-languages added, texts this many percent longer; -1 for none.
    int expand = -1;
};

int runExport(const ExportRequest& request)
{
    CliProjectSession session(kCommand);
    APStyleProject* project = session.load(request.project);
    if (project == nullptr) {
        return kExitFailed;
    }
    const StringTableExport table(*project);
    std::vector<int> languages = table.Languages();
    if (request.languagesGiven) {
        languages.clear();
        for (const std::string& name : splitList(request.languages)) {
            const int slot = table.FindLanguage(name);
            if (slot < 0) {
                std::string known;
                for (const int k : table.Languages()) {
                    known += (known.empty() ? "" : ", ") + table.LanguageTitle(k);
                }
                return usageError(kCommand, "the project has no language '" + name +
                                                "' (it has: " + known + ")");
            }
            languages.push_back(slot);
        }
        if (languages.empty()) {
            return usageError(kCommand, platform::toolText("--languages names no language"));
        }
    }
    StringTableExport::Table rows = table.Build(languages, request.missingOnly);
    if (request.expand >= 0) {
        PseudoLanguages::AddTo(rows, request.expand);
    }
    SpreadsheetWriter writer;
    if (!writer.Write(rows, request.output)) {
        std::cerr << "skinsmith-cli strings: " << writer.Error() << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

InfoTree changesJson(const StringTableDiff& diff,
                     const std::vector<StringTableDiff::TextChange>& changes)
{
    InfoTree list = InfoTree::List();
    for (const auto& change : changes) {
        InfoTree& entry = list.Append(InfoTree::Object());
        entry.Add("name", change.name);
        entry.Add("language", static_cast<long long>(change.language));
        entry.Add("language_name", diff.LanguageName(change.language));
        entry.Add("before", change.before);
        entry.Add("after", change.after);
    }
    return list;
}

InfoTree namesJson(const std::vector<std::string>& names)
{
    InfoTree list = InfoTree::List();
    for (const std::string& name : names) {
        list.Append(InfoTree::Text(name));
    }
    return list;
}

void printJson(const StringTableDiff& diff, const std::string& file)
{
    InfoTree report = InfoTree::Object();
    report.Add("file", file);
    report.Add("route", diff.ReplacesList() ? "spreadsheet" : "text");
    report.Add("added", namesJson(diff.Added()));
    report.Add("changed", changesJson(diff, diff.Changed()));
    report.Add("vanished", namesJson(diff.Vanished()));
    report.Add("emptied", changesJson(diff, diff.Emptied()));
    InfoTree& renamed = report.Add("renamed", InfoTree::List());
    for (const auto& rename : diff.Renamed()) {
        InfoTree& entry = renamed.Append(InfoTree::Object());
        entry.Add("row", static_cast<long long>(rename.row));
        entry.Add("name", rename.name);
        entry.Add("renamed_to", rename.renamedTo);
    }
    InfoTree& notText = report.Add("not_text", InfoTree::List());
    for (const auto& cell : diff.NotText()) {
        InfoTree& entry = notText.Append(InfoTree::Object());
        entry.Add("row", static_cast<long long>(cell.row));
        entry.Add("column", static_cast<long long>(cell.column));
        entry.Add("text", cell.text);
    }
    InfoTree& longRows = report.Add("long_rows", InfoTree::List());
    for (const auto& row : diff.LongRows()) {
        InfoTree& entry = longRows.Append(InfoTree::Object());
        entry.Add("row", static_cast<long long>(row.row));
        entry.Add("cells", static_cast<long long>(row.cells));
    }
    if (!diff.CellNote().empty()) {
        report.Add("cell_note", diff.CellNote());
    }
    report.Add("loses_something", static_cast<long long>(diff.LosesSomething() ? 1 : 0));
    report.PrintJson(std::cout);
    std::cout << '\n';
}

int runDiff(const std::string& projectPath, const std::string& file, bool json)
{
    CliProjectSession session(kCommand);
    const APStyleProject* project = session.load(projectPath);
    if (project == nullptr) {
        return kExitFailed;
    }
    StringTableDiff diff(*project);
    if (!diff.Compare(file)) {
        std::cerr << "skinsmith-cli strings: " << diff.Error() << '\n';
        return kExitFailed;
    }
    if (json) {
        printJson(diff, file);
    } else {
        std::cout << StringDiffReport(diff, file);
    }
    return diff.LosesSomething() ? kExitFailed : kExitOk;
}

int runStrings(const std::vector<std::string>& args)
{
    if (wantsHelp(args)) {
        std::cout << kUsage;
        return kExitOk;
    }
    if (args.empty() || (args[0] != "export" && args[0] != "diff" && args[0] != "pseudo")) {
        return usageError(kCommand, args.empty() ? "export, diff or pseudo?"
                                                 : "unknown action '" + args[0] + "'");
    }
    const bool pseudo = args[0] == "pseudo";
    const bool exporting = args[0] == "export" || pseudo;
    ExportRequest request;
    if (pseudo) {
        request.expand = 40;
    }
    bool json = false;
    std::vector<std::string> paths;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (pseudo && arg == "--expand") {
            char* end = nullptr;
            const long percent =
                i + 1 < args.size() ? std::strtol(args[i + 1].c_str(), &end, 10) : -1;
            if (i + 1 >= args.size() || *end != '\0' || percent < 0 || percent > 1000) {
                return usageError(kCommand,
                                  platform::toolText("--expand wants a percentage from 0 to 1000"));
            }
            request.expand = static_cast<int>(percent);
            ++i;
        } else if (!pseudo && exporting && arg == "--languages") {
            if (i + 1 >= args.size()) {
                return usageError(kCommand, platform::toolText("--languages needs a value"));
            }
            request.languages = args[++i];
            request.languagesGiven = true;
        } else if (!pseudo && exporting && arg == "--missing-only") {
            request.missingOnly = true;
        } else if (!exporting && arg == "--json") {
            json = true;
        } else if (!arg.empty() && arg[0] == '-') {
            return usageError(kCommand, platform::formatText(
                                            platform::toolText("unknown option %s"), arg.c_str()));
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.size() != 2) {
        return usageError(kCommand, exporting
                                        ? args[0] + " wants PROJECT.ui and OUT.xlsx or OUT.csv"
                                        : "diff wants PROJECT.ui and a string file");
    }
    if (!exporting) {
        return runDiff(paths[0], paths[1], json);
    }
    request.project = paths[0];
    request.output = paths[1];
    const std::string ext = platform::toLowerAscii(platform::extensionOf(request.output));
    if (ext != ".xlsx" && ext != ".csv") {
        return usageError(
            kCommand,
            platform::formatText(platform::toolText("the output must end in .xlsx or .csv: %s"),
                                 request.output.c_str()));
    }
    return runExport(request);
}

} // namespace

const CliCommand& stringsCommand()
{
    return kCommand;
}
