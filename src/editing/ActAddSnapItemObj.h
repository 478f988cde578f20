#pragma once

#include "editing/ActProjectStack.h"

class SnapShotItem;

// Records that an element was added: undo and redo switch its deleted flag.
class ActAddSnapItemObj : public ActProjectStack
{
public:
    ActAddSnapItemObj(APStyleProject* project, SnapShotItem* element)
        : ActProjectStack(project), m_element(element)
    {
    }

    void Undo() override;
    void Redo() override;

    SnapShotItem* Element() const { return m_element; }

private:
    SnapShotItem* m_element;
};
