#pragma once

#include "editing/ActProjectStack.h"

class Snapshot;

// Records that a scene was added: undo and redo switch its deleted flag.
class ActAddSnapshotObj : public ActProjectStack
{
public:
    ActAddSnapshotObj(APStyleProject* project, Snapshot* scene)
        : ActProjectStack(project), m_scene(scene)
    {
    }

    void Undo() override;
    void Redo() override;

    Snapshot* Scene() const { return m_scene; }

private:
    Snapshot* m_scene;
};
