#pragma once

#include "editing/ActProjectStack.h"

class SnapShotItem;

// Records a drag of an element in the project tree: the element made at the
// target and, for a move (copy flag 0), the source that was hidden.
class ActDragItem : public ActProjectStack
{
public:
    ActDragItem(APStyleProject* project, int copyFlag, SnapShotItem* source, SnapShotItem* made,
                SnapShotItem* targetParent)
        : ActProjectStack(project), m_copyFlag(copyFlag), m_source(source), m_made(made),
          m_targetParent(targetParent)
    {
    }

    void Undo() override;
    void Redo() override;

    int CopyFlag() const { return m_copyFlag; }
    SnapShotItem* Source() const { return m_source; }
    SnapShotItem* Made() const { return m_made; }
    SnapShotItem* TargetParent() const { return m_targetParent; }

private:
    int m_copyFlag;
    SnapShotItem* m_source;
    SnapShotItem* m_made;
    SnapShotItem* m_targetParent;
};
