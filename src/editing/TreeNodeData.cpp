#include "editing/TreeNodeData.h"

#include "model/PicSnapshotItem.h"

const void* TreeNodeData::Object() const
{
    switch (kind) {
    case kProject:
        return project;
    case kScene:
        return scene;
    case kFrame:
        if (auto* region = dynamic_cast<PicSnapshotItem*>(element)) {
            if (frameIndex >= 0 && static_cast<std::size_t>(frameIndex) < region->Frames().size()) {
                return &region->Frames()[static_cast<std::size_t>(frameIndex)];
            }
        }
        return nullptr;
    default:
        return element;
    }
}
