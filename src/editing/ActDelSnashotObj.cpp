#include "editing/ActDelSnashotObj.h"

#include "editing/DeletedFlag.h"
#include "editing/RecordNotify.h"

void ActDelSnashotObj::Undo()
{
    editing::SetSceneDeleted(*m_scene, false);
    editing::NotifyRebuild(m_scene);
}

void ActDelSnashotObj::Redo()
{
    editing::SetSceneDeleted(*m_scene, true);
    editing::NotifyRebuild(m_project);
}
