#pragma once

#include "editing/ActProjectStack.h"

#include <vector>

class SnapShotItem;

// Records that several elements were deleted in one go: undo shows them all again, redo
// hides them all.
class ActDelSnapItemObjs : public ActProjectStack
{
public:
    ActDelSnapItemObjs(APStyleProject* project, std::vector<SnapShotItem*> elements)
        : ActProjectStack(project), m_elements(std::move(elements))
    {
    }

    void Undo() override;
    void Redo() override;

private:
    std::vector<SnapShotItem*> m_elements;
};
