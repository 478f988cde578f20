#include "editing/ActAddSnapshotObj.h"

#include "editing/DeletedFlag.h"
#include "editing/RecordNotify.h"

void ActAddSnapshotObj::Undo()
{
    editing::SetSceneDeleted(*m_scene, true);
    editing::NotifyRebuild(m_project);
}

void ActAddSnapshotObj::Redo()
{
    editing::SetSceneDeleted(*m_scene, false);
    editing::NotifyRebuild(m_scene);
}
