#pragma once

#include "editing/ActSnapItemPresence.h"

// Records that an element was deleted: undo shows it again, redo hides it.
class ActDelSnapItemObj : public ActSnapItemPresence
{
public:
    ActDelSnapItemObj(APStyleProject* project, SnapShotItem* element)
        : ActSnapItemPresence(project, element)
    {
    }

    void Undo() override;
    void Redo() override;
};
