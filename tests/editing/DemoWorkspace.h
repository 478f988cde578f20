#pragma once

#include "components/visual/HeadlessVisualEditor.h"
#include "editing/CommandTable.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "support/RecordingChangeObserver.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"

#include <string>

// A copy of examples/demo in a temporary directory, loaded into a workspace over a headless
// surface, with the project file seam installed (moves and renumbering edit the document).
// Messages and main-window notifications are recorded.
class DemoWorkspace
{
public:
    // With `replacedArtwork` the copy's picture files are all replaced by 13x11 pictures, so
    // that no stored picture size is that of its file any more.
    explicit DemoWorkspace(bool replacedArtwork = false);

    // True when the copy was loaded; `error` says why not.
    bool Loaded() const { return project != nullptr; }
    // Saves the project as `name` in this workspace's own temporary directory; returns the bytes
    // written, or "<not saved>".
    std::string Save(const std::string& name);
    // What a save would write now, without writing it (the document is updated as by a save).
    std::string Print();
    // The node at `path`: labels below the project node joined with '/'.
    editing::TreeNode* Node(const std::string& path);

    platform::TemporaryDirectory dir{"editing-demo"};
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction uiScope{ui};
    HeadlessVisualEditor editor;
    editing::Workspace ws{editor};
    RecordingChangeObserver sink{ws.Feed()};
    editing::CommandTable table;
    APStyleProject* project = nullptr;
    std::string error;
    // The loaded file, in a copy of the example shared by the whole test program.
    std::string sourcePath;
};
