#pragma once

#include "editing/ChangeFeed.h"
#include "editing/CommandTable.h"

#include <string>

class APStyleProject;
namespace platform {
class ScriptedInteraction;
}

namespace editing {
class Workspace;
struct TreeNode;
} // namespace editing

// Runs the lines of an edit script on the first project of a workspace, as a user would
// through the tree, the menus and the property grid. What a command leaves alone (a note for
// the window's status bar) is shown as a message.
class EditScript : private editing::ChangeObserver
{
public:
    // `scriptDirectory` is where relative paths of the script are taken from. `ws` and `ui`
    // must outlive the script.
    EditScript(editing::Workspace& ws, platform::ScriptedInteraction& ui,
               std::string scriptDirectory);
    ~EditScript() override;
    EditScript(const EditScript&) = delete;
    EditScript& operator=(const EditScript&) = delete;

    // Runs one line. Returns "" when it ran (blank and comment lines included), else why it
    // failed.
    std::string Run(const std::string& line);
    // Whether a "save" line without a path asked for a write at the end.
    bool SaveAtEnd() const { return m_saveAtEnd; }

    // Writes `project` to `path` as resave does (marked modified, saved, marked clean).
    // Returns "" or why it was not written.
    static std::string Save(APStyleProject& project, const std::string& path);

private:
    std::string Select(const std::string& path);
    std::string Check(const std::string& path);
    std::string Answer(const std::string& word);
    std::string Choose(const std::string& path);
    std::string Command(int id);
    std::string Set(int column, const std::string& rest);
    std::string Drag(const std::string& rest);
    // click, move, resize and nudge: gestures on the editing surface.
    std::string Gesture(const std::string& word, const std::string& rest);
    std::string ExpectMessage(const std::string& text);
    std::string SaveLine(const std::string& path);
    // select-add, select-clear, align, distribute and same: the selection and 排列.
    std::string Arrange(const std::string& word, const std::string& rest);
    void OnChanges(const editing::ChangeSet& changes) override;

    // The node at `path` (labels below the project node joined with '/'), or null.
    editing::TreeNode* Find(const std::string& path) const;
    std::string Absolute(const std::string& path) const;

    editing::Workspace& m_ws;
    platform::ScriptedInteraction& m_ui;
    editing::CommandTable m_table;
    std::string m_directory;
    bool m_saveAtEnd = false;
};
