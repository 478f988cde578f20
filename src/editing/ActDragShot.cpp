#include "editing/ActDragShot.h"

#include "editing/DeletedFlag.h"
#include "editing/RecordNotify.h"

void ActDragShot::Undo()
{
    editing::SetSceneDeleted(*m_made, true);
    editing::NotifyRebuild(m_project);
    editing::NotifyRefresh();
}

void ActDragShot::Redo()
{
    editing::SetSceneDeleted(*m_made, false);
    editing::NotifyRebuild(m_made);
    editing::NotifyRefresh();
}
