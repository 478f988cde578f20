#pragma once

class SnapShotItem;

// Image indexes of the project tree's image list and the set-image selectors.
namespace editing {

enum TreeImage : int
{
    kImageProject = 0,
    kImageScene = 1,
    kImageGroup = 3,
    kImageRegion = 5,
    kImageString = 7,
    kImageFrame = 9,
    kImageLockedGroup = 11,
    kImagePicture = 13
};

enum TreeImageSelector : int
{
    kSelectorProject = 1000,
    kSelectorScene = 1001,
    kSelectorGroup = 1002,
    kSelectorRegion = 1003,
    kSelectorPicture = 1004,
    kSelectorString = 1005,
    kSelectorFrame = 1006
};

// The normal image of a selector (the selected one is the next index, except for
// the project); -1 for an unknown selector. `allowed` picks the group's images.
int ImageOfSelector(int selector, bool allowed);
// The selector that fits an element's kind.
int SelectorOf(SnapShotItem& element);

} // namespace editing
