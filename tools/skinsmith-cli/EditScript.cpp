#include "EditScript.h"

#include "platform/ScriptedInteraction.h"
#include "components/visual/Graph.h"
#include "components/visual/HeadlessVisualEditor.h"
#include "editing/CommandIds.h"
#include "editing/MultiSelection.h"
#include "editing/TreeDragDrop.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/SnapShotItem.h"
#include "projectfile/ProjectFileWriter.h"

#include <map>
#include <sstream>

namespace {

// Splits "word rest" at the first blank; rest is what follows that blank.
void SplitFirst(const std::string& line, std::string& word, std::string& rest)
{
    const std::size_t blank = line.find(' ');
    word = line.substr(0, blank);
    rest = blank == std::string::npos ? std::string() : line.substr(blank + 1);
}

bool ParseId(const std::string& text, int& id)
{
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    id = std::stoi(text);
    return true;
}

} // namespace

EditScript::EditScript(editing::Workspace& ws, platform::ScriptedInteraction& ui,
                       std::string scriptDirectory)
    : m_ws(ws), m_ui(ui), m_directory(std::move(scriptDirectory))
{
    m_ws.Feed().Subscribe(this);
}

EditScript::~EditScript()
{
    m_ws.Feed().Unsubscribe(this);
}

void EditScript::OnChanges(const editing::ChangeSet& changes)
{
    if (const editing::Change* note = changes.Last(editing::ChangeKind::StatusNote)) {
        m_ui.showMessage(note->text);
    }
}

std::string EditScript::Arrange(const std::string& word, const std::string& rest)
{
    using namespace editing::cmd;
    if (word == "select-add") {
        editing::TreeNode* node = Find(rest);
        if (!node || !node->data.element) {
            return "no element '" + rest + "'";
        }
        editing::multi::Toggle(m_ws, *node->data.element);
        return {};
    }
    if (word == "select-clear") {
        if (!rest.empty()) {
            return "select-clear takes nothing";
        }
        editing::multi::Clear(m_ws);
        return {};
    }
    static const std::map<std::string, int> kIds = {
        {"align left", kAlignLeft},
        {"align right", kAlignRight},
        {"align top", kAlignTop},
        {"align bottom", kAlignBottom},
        {"align hcenter", kAlignHorizontalCentre},
        {"align vcenter", kAlignVerticalCentre},
        {"distribute horizontal", kDistributeHorizontally},
        {"distribute vertical", kDistributeVertically},
        {"same width", kSameWidth},
        {"same height", kSameHeight},
        {"same size", kSameSize},
    };
    const auto found = kIds.find(word + " " + rest);
    if (found == kIds.end()) {
        return "unknown line '" + word + " " + rest + "'";
    }
    if (!m_table.IsEnabled(m_ws, found->second)) {
        return word + " " + rest + " does not apply to the selection";
    }
    return Command(found->second);
}

std::string EditScript::Run(const std::string& line)
{
    if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') {
        return {};
    }
    if (!m_ws.CurrentProject()) {
        return "no project is open";
    }
    std::string word;
    std::string rest;
    SplitFirst(line, word, rest);
    int id = 0;
    if (word == "select") {
        return Select(rest);
    }
    if (word == "check") {
        return Check(rest);
    }
    if (word == "answer") {
        return Answer(rest);
    }
    if (word == "choose") {
        return Choose(rest);
    }
    if (word == "command") {
        return ParseId(rest, id) ? Command(id) : "not a command id: '" + rest + "'";
    }
    if (word == "set" || word == "set2") {
        return Set(word == "set" ? 1 : 2, rest);
    }
    if (word == "drag") {
        return Drag(rest);
    }
    if (word == "click" || word == "move" || word == "resize" || word == "nudge") {
        return Gesture(word, rest);
    }
    if ((word == "undo" || word == "redo") && rest.empty()) {
        return Command(word == "undo" ? editing::cmd::kUndo : editing::cmd::kRedo);
    }
    if (word == "search") {
        m_ws.Search().Find(rest);
        return {};
    }
    if (word == "select-add" || word == "select-clear" || word == "align" || word == "distribute" ||
        word == "same") {
        return Arrange(word, rest);
    }
    if (word == "expect-message") {
        return ExpectMessage(rest);
    }
    if (word == "save") {
        return SaveLine(rest);
    }
    return "unknown line '" + line + "'";
}

editing::TreeNode* EditScript::Find(const std::string& path) const
{
    const auto& roots = m_ws.Tree().Roots();
    if (roots.empty() || path.empty()) {
        return nullptr;
    }
    editing::TreeNode* node = roots.front().get();
    std::size_t start = path.front() == '/' ? 1 : 0;
    while (node && start < path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string label = path.substr(start, end - start);
        editing::TreeNode* found = nullptr;
        for (const auto& child : node->children) {
            if (child->label == label) {
                found = child.get();
                break;
            }
        }
        node = found;
        start = end + 1;
    }
    return node;
}

std::string EditScript::Absolute(const std::string& path) const
{
    return !path.empty() && path.front() == '/' ? path : m_directory + "/" + path;
}

std::string EditScript::Select(const std::string& path)
{
    editing::TreeNode* node = Find(path);
    if (!node) {
        return "no node '" + path + "'";
    }
    // A click on the node that already is the caret still shows it again.
    if (m_ws.Tree().Caret() == node) {
        m_ws.OnSelectionChanged(node);
    } else {
        m_ws.Tree().SetCaret(node);
    }
    return {};
}

std::string EditScript::Check(const std::string& path)
{
    editing::TreeNode* node = Find(path);
    if (!node) {
        return "no node '" + path + "'";
    }
    node->selected = true;
    return {};
}

std::string EditScript::Answer(const std::string& word)
{
    if (word == "yes") {
        m_ui.queueAnswer(platform::Answer::Yes);
    } else if (word == "no") {
        m_ui.queueAnswer(platform::Answer::No);
    } else if (word == "cancel") {
        m_ui.queueAnswer(platform::Answer::Cancel);
    } else {
        return "answer must be yes, no or cancel, not '" + word + "'";
    }
    return {};
}

std::string EditScript::Choose(const std::string& path)
{
    if (path.empty()) {
        return "choose needs a path";
    }
    m_ui.queuePath(Absolute(path));
    return {};
}

std::string EditScript::Command(int id)
{
    switch (m_table.Run(m_ws, id)) {
    case editing::CommandTable::Result::Ran:
        return {};
    case editing::CommandTable::Result::Disabled:
        return "command " + std::to_string(id) + " is disabled";
    case editing::CommandTable::Result::Unknown:
        return "unknown command " + std::to_string(id);
    case editing::CommandTable::Result::NoHandler:
        break;
    }
    return "command " + std::to_string(id) + " needs the editor's window";
}

std::string EditScript::Set(int column, const std::string& rest)
{
    editing::PropertyGrid& grid = m_ws.Grid();
    int row = -1;
    std::size_t labelSize = 0;
    for (std::size_t i = 0; i < grid.Rows().size(); ++i) {
        const std::string& label = grid.Rows()[i].label;
        const bool matches = rest.compare(0, label.size(), label) == 0 &&
                             (rest.size() == label.size() || rest[label.size()] == ' ');
        if (!label.empty() && matches && (row < 0 || label.size() > labelSize)) {
            row = static_cast<int>(i);
            labelSize = label.size();
        }
    }
    if (row < 0) {
        return "the property grid has no row that '" + rest + "' starts with";
    }
    const std::string text = rest.size() > labelSize ? rest.substr(labelSize + 1) : std::string();
    if (!grid.Commit(*m_ws.CurrentProject(), m_ws.Tree(), row, column, text)) {
        return "row '" + grid.Rows()[static_cast<std::size_t>(row)].label + "' refused '" + text +
               "'";
    }
    return {};
}

std::string EditScript::Drag(const std::string& rest)
{
    std::istringstream words(rest);
    std::string from;
    std::string to;
    std::string copy;
    std::string extra;
    words >> from >> to >> copy >> extra;
    if (to.empty() || !extra.empty() || (!copy.empty() && copy != "copy")) {
        return "drag needs FROM TO [copy]";
    }
    editing::TreeNode* source = Find(from);
    editing::TreeNode* target = Find(to);
    if (!source || !target) {
        return "no node '" + (source ? to : from) + "'";
    }
    editing::TreeDragDrop drag(m_ws);
    drag.Begin(source, !copy.empty());
    if (!drag.Over(target, !copy.empty())) {
        return "'" + from + "' cannot be dropped on '" + to + "'";
    }
    if (!drag.Release()) {
        return "nothing was dropped";
    }
    return {};
}

std::string EditScript::Gesture(const std::string& word, const std::string& rest)
{
    auto* editor = dynamic_cast<HeadlessVisualEditor*>(&m_ws.Panel().Editor());
    if (!editor) {
        return "there is no editing surface";
    }
    VisualSurface& surface = editor->Surface();
    std::istringstream words(rest);
    if (word == "nudge") {
        int dx = 0;
        int dy = 0;
        std::string extra;
        if (!(words >> dx >> dy) || (words >> extra)) {
            return "nudge needs DX DY";
        }
        return surface.Nudge(dx, dy) ? std::string() : "nothing selected on the surface moves";
    }
    std::string path;
    int first = 0;
    int second = 0;
    std::string extra;
    words >> path;
    const bool needsNumbers = word != "click";
    if (path.empty() || (needsNumbers && !(words >> first >> second)) || (words >> extra)) {
        return word + (needsNumbers ? " needs PATH and two numbers" : " needs PATH");
    }
    editing::TreeNode* node = Find(path);
    Graph* graph = node && node->data.element ? node->data.element->OwnGraph() : nullptr;
    if (!graph) {
        return "no element '" + path + "'";
    }
    // The element's scene is on the surface once its node has been clicked in the tree.
    if (!surface.Contains(graph)) {
        Select(path);
    }
    if (!surface.Select(graph)) {
        return "'" + path + "' cannot be selected on the surface";
    }
    if (word == "move" && !surface.Move(graph, first, second)) {
        return "'" + path + "' cannot be moved";
    }
    if (word == "resize") {
        const GraphRect rect = graph->Envelop();
        if (!surface.Resize(graph, Graph::kHandleBottomRight, rect.left + first,
                            rect.top + second)) {
            return "'" + path + "' cannot be resized";
        }
    }
    return {};
}

std::string EditScript::ExpectMessage(const std::string& text)
{
    std::string shown;
    if (!m_ui.takeMessage(shown)) {
        return "no message was shown, expected '" + text + "'";
    }
    if (shown != text) {
        return "the message was '" + shown + "', expected '" + text + "'";
    }
    return {};
}

std::string EditScript::SaveLine(const std::string& path)
{
    if (path.empty()) {
        m_saveAtEnd = true;
        return {};
    }
    return Save(*m_ws.CurrentProject(), Absolute(path));
}

std::string EditScript::Save(APStyleProject& project, const std::string& path)
{
    project.SetModified(1);
    ProjectFileWriter writer(project);
    if (!writer.Save(path)) {
        return writer.ErrorString();
    }
    project.SetModified(0);
    return {};
}
