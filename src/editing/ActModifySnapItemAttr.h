#pragma once

#include "editing/ActProjectStack.h"
#include "editing/AttrSnapshot.h"

class SnapShotItem;

// Records a property edit of one element as its state before and after.
class ActModifySnapItemAttr : public ActProjectStack
{
public:
    ActModifySnapItemAttr(APStyleProject* project, SnapShotItem* element)
        : ActProjectStack(project), m_element(element)
    {
    }

    // Takes the element's state before the edit is applied.
    void CaptureBefore();
    // Takes the element's state once the edit is applied.
    void CaptureAfter();

    void Undo() override;
    void Redo() override;

    SnapShotItem* Element() const { return m_element; }
    const AttrSnapshot& Before() const { return m_before; }
    const AttrSnapshot& After() const { return m_after; }

private:
    SnapShotItem* m_element;
    AttrSnapshot m_before;
    AttrSnapshot m_after;
};
