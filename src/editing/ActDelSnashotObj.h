#pragma once

#include "editing/ActSnapshotPresence.h"

// Records that a scene was deleted: undo shows it again, redo hides it.
class ActDelSnashotObj : public ActSnapshotPresence
{
public:
    ActDelSnashotObj(APStyleProject* project, Snapshot* scene) : ActSnapshotPresence(project, scene)
    {
    }

    void Undo() override;
    void Redo() override;
};
