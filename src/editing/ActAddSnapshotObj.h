#pragma once

#include "editing/ActSnapshotPresence.h"

// Records that a scene was added: undo hides it again, redo shows it.
class ActAddSnapshotObj : public ActSnapshotPresence
{
public:
    ActAddSnapshotObj(APStyleProject* project, Snapshot* scene)
        : ActSnapshotPresence(project, scene)
    {
    }

    void Undo() override;
    void Redo() override;
};
