#pragma once

#include "editing/ActProjectStack.h"

class Snapshot;

// The shape shared by the records of an added and of a deleted scene: both only
// switch the scene's deleted flag, in opposite directions.
class ActSnapshotPresence : public ActProjectStack
{
public:
    Snapshot* Scene() const { return m_scene; }

protected:
    ActSnapshotPresence(APStyleProject* project, Snapshot* scene)
        : ActProjectStack(project), m_scene(scene)
    {
    }

    // Sets the deleted flag; the tree is rebuilt at the project.
    void Hide();
    // Clears the deleted flag; the tree is rebuilt at the scene.
    void Show();

private:
    Snapshot* m_scene;
};
