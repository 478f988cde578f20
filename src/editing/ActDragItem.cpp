#include "editing/ActDragItem.h"

#include "editing/DeletedFlag.h"
#include "editing/RecordNotify.h"

void ActDragItem::Undo()
{
    editing::SetElementDeleted(*m_made, true);
    if (m_copyFlag == 0) {
        editing::SetElementDeleted(*m_source, false);
    }
    editing::NotifyRebuild(m_targetParent);
    editing::NotifyRefresh();
}

void ActDragItem::Redo()
{
    editing::SetElementDeleted(*m_made, false);
    if (m_copyFlag == 0) {
        editing::SetElementDeleted(*m_source, true);
    }
    editing::NotifyRebuild(m_made);
    editing::NotifyRefresh();
}
