#pragma once

#include "editing/ActProjectStack.h"

class SnapShotItem;

// The shape shared by the records of an added and of a deleted element: both only
// switch the element's deleted flag, in opposite directions.
class ActSnapItemPresence : public ActProjectStack
{
public:
    SnapShotItem* Element() const { return m_element; }

protected:
    ActSnapItemPresence(APStyleProject* project, SnapShotItem* element)
        : ActProjectStack(project), m_element(element)
    {
    }

    // Sets the deleted flag; the tree is rebuilt at the parent.
    void Hide();
    // Clears the deleted flag; the tree is rebuilt at the element.
    void Show();

private:
    SnapShotItem* m_element;
};
