#include "editing/ActSnapItemPresence.h"

#include "editing/DeletedFlag.h"
#include "editing/RecordNotify.h"
#include "model/SnapShotItem.h"

void ActSnapItemPresence::Hide()
{
    editing::SetElementDeleted(*m_element, true);
    editing::NotifyRebuild(m_element->Parent());
    editing::NotifyRefresh();
}

void ActSnapItemPresence::Show()
{
    editing::SetElementDeleted(*m_element, false);
    editing::NotifyRebuild(m_element);
    editing::NotifyRefresh();
}
