#include "editing/ActAddSnapItemObj.h"

#include "editing/DeletedFlag.h"
#include "editing/RecordNotify.h"
#include "model/SnapShotItem.h"

void ActAddSnapItemObj::Undo()
{
    editing::SetElementDeleted(*m_element, true);
    editing::NotifyRebuild(m_element->Parent());
    editing::NotifyRefresh();
}

void ActAddSnapItemObj::Redo()
{
    editing::SetElementDeleted(*m_element, false);
    editing::NotifyRebuild(m_element);
    editing::NotifyRefresh();
}
