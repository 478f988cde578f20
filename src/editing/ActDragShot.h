#pragma once

#include "editing/ActProjectStack.h"

class Snapshot;

// Records a scene copied by a drag onto a project node: undo hides the copy, redo
// shows it again. The copy itself is made by the drag command.
class ActDragShot : public ActProjectStack
{
public:
    ActDragShot(APStyleProject* project, Snapshot* source, Snapshot* made)
        : ActProjectStack(project), m_source(source), m_made(made)
    {
    }

    void Undo() override;
    void Redo() override;

    Snapshot* Source() const { return m_source; }
    Snapshot* Made() const { return m_made; }

private:
    Snapshot* m_source;
    Snapshot* m_made;
};
