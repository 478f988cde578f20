#pragma once

#include "components/visual/HeadlessVisualEditor.h"
#include "editing/AddCommands.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"
#include "support/RecordingChangeObserver.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"

#include <memory>
#include <string>

// For the property grid and layer manager tests: a workspace over a headless surface with
// one project made in memory, one scene with its root group, and a case directory in a
// temporary folder. Messages are scripted and recorded.
struct GridLayerWorkspace
{
    GridLayerWorkspace();

    // A picture region with `frames` frames named F0, F1, ...
    PicSnapshotItem* addRegion(int frames);
    StringSnapShotItem* addString();

    // Selects `object` as a click in the tree does.
    bool click(const void* object) { return ws.SelectObject(object); }

    platform::TemporaryDirectory dir{"shell-grid"};
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction uiScope{ui};
    HeadlessVisualEditor editor;
    editing::Workspace ws{editor};
    RecordingChangeObserver sink{ws.Feed()};
    APStyleProject* project = nullptr;
    Snapshot* scene = nullptr;
    CCanvasSnapShotItem* root = nullptr;
};
