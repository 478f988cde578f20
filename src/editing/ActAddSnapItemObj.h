#pragma once

#include "editing/ActSnapItemPresence.h"

// Records that an element was added: undo hides it again, redo shows it.
class ActAddSnapItemObj : public ActSnapItemPresence
{
public:
    ActAddSnapItemObj(APStyleProject* project, SnapShotItem* element)
        : ActSnapItemPresence(project, element)
    {
    }

    void Undo() override;
    void Redo() override;
};
