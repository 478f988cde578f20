#include "editing/DeletedFlag.h"

#include "components/visual/Graph.h"
#include "model/Snapshot.h"
#include "model/SnapShotItem.h"

namespace editing {

void SetElementDeleted(SnapShotItem& element, bool deleted)
{
    element.SetDeleted(deleted ? 1 : 0);
    const int kind = element.KindCode();
    if (kind >= SnapShotItem::kPicture && kind <= SnapShotItem::kGroup) {
        element.OwnGraph()->SetSelected(false);
    }
    // The parent's rows count its live children.
    if (SnapShotItem* parent = element.Parent()) {
        parent->RefreshRows();
    }
}

void SetSceneDeleted(Snapshot& scene, bool deleted)
{
    scene.SetDeleted(deleted ? 1 : 0);
}

} // namespace editing
