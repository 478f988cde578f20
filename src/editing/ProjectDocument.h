#pragma once

#include "editing/NewProjectRequest.h"
#include "platform/LocalTime.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

class APStyleProject;

namespace editing {

class EditorOptions;
class Workspace;

// The document of the editor window without the window: the project commands of the File
// menu over the workspace's open projects: new, open, save, save as, save all, the
// save-modified prompt, close, close all and the auto-save. Questions and messages go through
// platform::interaction(); the window title through the title callback.
class ProjectDocument
{
public:
    enum class OpenResult
    {
        Opened,
        AlreadyOpen, // the open project with that path became current
        Failed,      // missing or unreadable; the previous current project stays current
    };
    enum class NewProjectCheck
    {
        Proceed,
        ShowAgain, // a message or a "No" sends the user back to the dialog
    };

    using TitleSink = std::function<void(const std::string& title)>;

    // `workspace` and `options` are not owned and must outlive the document.
    ProjectDocument(Workspace& workspace, EditorOptions& options);

    void SetTitleSink(TitleSink sink) { m_titleSink = std::move(sink); }

    // The checks after the new-project dialog's OK: a project with that file is open
    // (compared ignoring case), or the file exists and the user declines to overwrite it.
    NewProjectCheck CheckNewProject(const NewProjectRequest& request) const;
    // Creates, writes, reloads and opens the new project; returns it, or null after a message.
    APStyleProject* NewProject(const NewProjectRequest& request);

    // Opens the project file at `path` (the user's choice, a recent file or the command line).
    OpenResult Open(const std::string& path);

    // The modified flag of the current project (false without one).
    bool IsModified() const;
    // Stores `flag` in the current project and shows it in the title; nothing while opening.
    void SetModifiedFlag(bool flag);

    // Save, save as, save all: each write that fails is reported and leaves the project
    // modified. Return whether everything asked for was written.
    bool SaveCurrent();
    bool SaveAs(const std::string& path);
    bool SaveAll();

    // Asks for every modified project, in order, whether to save it (Yes, No, Cancel). Returns
    // false on Cancel or a failed write: then no flag has changed. On true the close goes
    // ahead, and the projects answered "No" have been marked unmodified.
    bool SaveModified();
    // Close the current project (after its own question) or all of them (after SaveModified).
    // Return false when the user cancelled.
    bool CloseCurrent();
    bool CloseAll();

    bool AutoSaveOn() const { return m_autoSave; }
    void SetAutoSave(bool on) { m_autoSave = on; }
    // One tick of the auto-save timer at local time `now`: every modified project that changed
    // since its last copy gets a time-stamped copy beside its file. The project file itself is
    // never written (it is the user's to save) and the modified flags stay. A failed copy is
    // reported once per project until a copy succeeds again. Returns the copies written.
    int AutoSave(const platform::LocalTime& now);

    // The window title: the current project's file path with " *" while modified, or
    // "SkinSmith" without a current project.
    std::string Title() const;
    void RefreshTitle();

private:
    void ShowFirstScene(APStyleProject& project);
    struct AutoSaveState
    {
        std::int32_t historyCursor = -2;
        std::size_t historySize = 0;
        bool failureReported = false;
    };

    bool Write(APStyleProject& project, const std::string& path);
    void ShowCurrent();
    void CloseEverything();

    Workspace& m_workspace;
    EditorOptions& m_options;
    TitleSink m_titleSink;
    bool m_opening = false;
    bool m_autoSave = true;
    std::map<const APStyleProject*, AutoSaveState> m_autoSaveStates;
};

} // namespace editing
