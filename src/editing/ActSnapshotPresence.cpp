#include "editing/ActSnapshotPresence.h"

#include "editing/DeletedFlag.h"
#include "editing/RecordNotify.h"

void ActSnapshotPresence::Hide()
{
    editing::SetSceneDeleted(*m_scene, true);
    editing::NotifyRebuild(m_project);
}

void ActSnapshotPresence::Show()
{
    editing::SetSceneDeleted(*m_scene, false);
    editing::NotifyRebuild(m_scene);
}
