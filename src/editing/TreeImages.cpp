#include "editing/TreeImages.h"

#include "model/PicSnapshotItem.h"

namespace editing {

int ImageOfSelector(int selector, bool allowed)
{
    switch (selector) {
    case kSelectorProject:
        return kImageProject;
    case kSelectorScene:
        return kImageScene;
    case kSelectorGroup:
        return allowed ? kImageGroup : kImageLockedGroup;
    case kSelectorRegion:
        return kImageRegion;
    case kSelectorPicture:
        return kImagePicture;
    case kSelectorString:
        return kImageString;
    case kSelectorFrame:
        return kImageFrame;
    default:
        return -1;
    }
}

int SelectorOf(SnapShotItem& element)
{
    switch (element.KindCode()) {
    case SnapShotItem::kGroup:
        return kSelectorGroup;
    case SnapShotItem::kString:
        return kSelectorString;
    default: {
        auto* picture = dynamic_cast<PicSnapshotItem*>(&element);
        return picture && picture->IsSingle() ? kSelectorPicture : kSelectorRegion;
    }
    }
}

} // namespace editing
