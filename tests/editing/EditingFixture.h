#pragma once

#include "components/visual/HeadlessVisualEditor.h"
#include "editing/CommandTable.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/StringSnapShotItem.h"
#include "support/RecordingChangeObserver.h"
#include "platform/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <string>

// A workspace over a headless surface with one open project made in memory: two
// scenes, each with its root group "window"; messages and notifications recorded.
class EditingFixture : public ::testing::Test
{
protected:
    EditingFixture();

    // Runs a command as the menu would; fails the test when it does not run.
    void Run(int id);
    // Makes the node of `object` the caret, as a click in the tree.
    void Click(const void* object);
    editing::TreeNode* Node(const void* object) { return ws.Tree().FindNode(object); }

    CCanvasSnapShotItem* Root(Snapshot* scene);
    CCanvasSnapShotItem* AddGroup(CCanvasSnapShotItem* parent);
    PicSnapshotItem* AddRegion(CCanvasSnapShotItem* parent, int frames);
    StringSnapShotItem* AddString(CCanvasSnapShotItem* parent);
    // Puts `element` at (x, y) in its parent, `width` x `height`, rows and drawable too.
    static void Place(SnapShotItem* element, int x, int y, int width, int height);

    platform::ScriptedInteraction ui;
    platform::ScopedInteraction uiScope{ui};
    HeadlessVisualEditor editor;
    editing::Workspace ws{editor};
    RecordingChangeObserver sink{ws.Feed()};
    editing::CommandTable table;
    APStyleProject* project = nullptr;
    Snapshot* scene1 = nullptr;
    Snapshot* scene2 = nullptr;
};

// Every saved fact of the project's live and deleted scenes and elements, as text:
// two equal digests mean undo returned the project exactly to an earlier state.
std::string Digest(APStyleProject& project);
