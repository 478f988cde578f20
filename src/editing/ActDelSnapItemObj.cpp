#include "editing/ActDelSnapItemObj.h"

#include "editing/DeletedFlag.h"
#include "editing/RecordNotify.h"
#include "model/SnapShotItem.h"

void ActDelSnapItemObj::Undo()
{
    editing::SetElementDeleted(*m_element, false);
    editing::NotifyRebuild(m_element);
    editing::NotifyRefresh();
}

void ActDelSnapItemObj::Redo()
{
    editing::SetElementDeleted(*m_element, true);
    editing::NotifyRebuild(m_element->Parent());
    editing::NotifyRefresh();
}
