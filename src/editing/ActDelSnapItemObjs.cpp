#include "editing/ActDelSnapItemObjs.h"

#include "editing/DeletedFlag.h"
#include "editing/RecordNotify.h"
#include "model/SnapShotItem.h"

void ActDelSnapItemObjs::Undo()
{
    for (auto it = m_elements.rbegin(); it != m_elements.rend(); ++it) {
        editing::SetElementDeleted(**it, false);
    }
    if (!m_elements.empty()) {
        editing::NotifyRebuild(m_elements.front());
    }
    editing::NotifyRefresh();
}

void ActDelSnapItemObjs::Redo()
{
    for (SnapShotItem* element : m_elements) {
        editing::SetElementDeleted(*element, true);
    }
    if (!m_elements.empty()) {
        editing::NotifyRebuild(m_elements.front()->Parent());
    }
    editing::NotifyRefresh();
}
