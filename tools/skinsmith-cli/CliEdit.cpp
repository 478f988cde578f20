// skinsmith-cli edit: opens a project into the editor's workspace and runs a script of
// tree clicks, commands, grid edits and drags on it, as a user would in the window.

#include "CliCommand.h"
#include "CliProject.h"
#include "EditScript.h"

#include "platform/ScriptedInteraction.h"
#include "components/visual/HeadlessVisualEditor.h"
#include "editing/SurfaceChangeHandler.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "platform/FileSystem.h"
#include "projectfile/LoadFailureReason.h"
#include "projectfile/ProjectFileReader.h"
#include "projectfile/StandardProjectFileIo.h"
#include "platform/UiText.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>

namespace {

const char kUsage[] =
    "Usage: skinsmith-cli edit PROJECT.ui SCRIPT [-o OUT.ui]\n"
    "\n"
    "Opens PROJECT.ui into the editor's workspace and runs SCRIPT (UTF-8), one line at a\n"
    "time. Blank lines and lines starting with '#' are skipped. PATH names a tree node by its\n"
    "labels below the project node joined with '/' ('/' alone is the project node); relative\n"
    "file paths in the script are taken from the script's directory.\n"
    "\n"
    "  select PATH             make the node the caret, as a click in the tree\n"
    "  check PATH              put the node into the selected state (delete selected)\n"
    "  answer yes|no|cancel    answer the next question\n"
    "  choose PATH             the result of the next folder or file chooser\n"
    "  command ID              run a command by its numeric id, as the menu would\n"
    "  set LABEL TEXT          commit TEXT into the value column of a property grid row\n"
    "  set2 LABEL TEXT         commit TEXT into the second column of that row\n"
    "  drag FROM TO [copy]     drag a node onto another (copy: with Ctrl held)\n"
    "  click PATH              click the node's element on the editing surface\n"
    "  move PATH DX DY         click the element on the surface and drag it by (DX, DY)\n"
    "  resize PATH W H         drag the element's bottom-right grip to make it W x H\n"
    "  nudge DX DY             move the surface's selection with the arrow keys\n"
    "  select-add PATH         add a node to the selection (as Ctrl+click), or take it out\n"
    "  select-clear            keep only the key element (the first selected) selected\n"
    "  align left|right|top|bottom|hcenter|vcenter\n"
    "                          align the selection to its key element (one element: to\n"
    "                          the screen)\n"
    "  distribute horizontal|vertical\n"
    "                          equal gaps between three or more selected elements\n"
    "  same width|height|size  the key element's size for the others\n"
    "  undo, redo              commands 32774 and 32779\n"
    "  search TEXT             press find in the search dialog (32854) with TEXT: the next\n"
    "                          node whose label contains TEXT becomes the caret; without a\n"
    "                          match the message 'Cannot find \"TEXT\"' is shown and the\n"
    "                          next search starts from the top (one dialog for the script)\n"
    "  expect-message TEXT     the oldest message not yet expected must be TEXT\n"
    "  save [PATH]             write the project to PATH now, or without PATH at the end\n"
    "\n"
    "Messages go to standard error as 'message: TEXT'. Unanswered questions get their\n"
    "default answers and unanswered choosers are cancelled. At the end the project is\n"
    "written (to OUT.ui, else in place) when -o or a plain 'save' line asks for it.\n"
    "\n"
    "Options:\n"
    "  -o OUT.ui    write the project to OUT.ui at the end\n"
    "  -h, --help   show this help\n"
    "\n"
    "Exit status: 0 every line ran, 1 a line failed (SCRIPT:LINE: reason) or the project\n"
    "could not be loaded or written, 2 usage error.\n";

int runEdit(const std::vector<std::string>& args);

const CliCommand kCommand{"edit", "run an edit script on a project", kUsage, runEdit};

struct EditArgs
{
    std::string project;
    std::string script;
    std::string output;
};

// Fills `parsed`; returns "" or the usage error.
std::string parseArgs(const std::vector<std::string>& args, EditArgs& parsed)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-o") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                return platform::toolText("-o needs a file name");
            }
            parsed.output = args[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            return platform::formatText(platform::toolText("unknown option '%s'"), arg.c_str());
        } else if (parsed.project.empty() && !arg.empty()) {
            parsed.project = arg;
        } else if (parsed.script.empty() && !arg.empty()) {
            parsed.script = arg;
        } else {
            return platform::formatText(platform::toolText("unexpected argument '%s'"),
                                        arg.c_str());
        }
    }
    return parsed.script.empty() ? "a project file and a script are needed" : "";
}

// Runs every line; returns the exit status.
int runScript(const EditArgs& args, const std::string& text, editing::Workspace& ws,
              platform::ScriptedInteraction& ui)
{
    const std::string directory =
        std::filesystem::absolute(args.script).parent_path().lexically_normal().string();
    EditScript script(ws, ui, directory);
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) {
            line.erase(0, 3);
        }
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::string failure = script.Run(line);
        if (!failure.empty()) {
            std::cerr << args.script << ':' << number << ": " << failure << '\n';
            return kExitFailed;
        }
    }
    if (script.SaveAtEnd() || !args.output.empty()) {
        APStyleProject& project = *ws.CurrentProject();
        const std::string target = args.output.empty() ? project.ProjectFilePath() : args.output;
        const std::string failure = EditScript::Save(project, target);
        if (!failure.empty()) {
            std::cerr << "skinsmith-cli edit: " << failure << '\n';
            return kExitFailed;
        }
    }
    return kExitOk;
}

int runEdit(const std::vector<std::string>& args)
{
    EditArgs parsed;
    const std::string usage = parseArgs(args, parsed);
    if (!usage.empty()) {
        return usageError(kCommand, usage);
    }
    const std::optional<std::string> text = platform::readFile(parsed.script);
    if (!text) {
        std::cerr << "skinsmith-cli edit: "
                  << platform::formatText(platform::toolText("cannot read %s"),
                                          parsed.script.c_str())
                  << '\n';
        return kExitFailed;
    }

    platform::ScriptedInteraction ui;
    ui.echoTo(&std::cerr);
    platform::ScopedInteraction interaction(ui);
    projectfile::InstallProjectFileIo();
    auto project = std::make_unique<APStyleProject>();
    ProjectFileReader reader(*project);
    if (!reader.Load(parsed.project)) {
        std::cerr << "skinsmith-cli edit: cannot load " << parsed.project << ": "
                  << projectfile::LoadFailureReason(parsed.project, reader) << '\n';
        return kExitFailed;
    }
    HeadlessVisualEditor editor;
    editing::Workspace ws(editor);
    // The surface reacts to gestures as the window's does.
    editor.CreateEditor(nullptr, {0, 0, 320, 240}, editing::SurfaceChangeHandler::Callback(ws));
    ws.OpenProject(std::move(project));
    return runScript(parsed, *text, ws, ui);
}

} // namespace

const CliCommand& editCommand()
{
    return kCommand;
}
