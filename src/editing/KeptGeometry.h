#pragma once

#include "model/SnapItemInfo.h"

#include <utility>
#include <vector>

class SnapShotItem;

namespace editing {

// Keeps the stored geometry of the pictures of a tree across a reload. Loading a picture
// takes its file's size into the element's block; a command that reloads a whole group
// (paste, a drop in the tree, an undo that restores a group) would so change elements it
// did not edit, in no undo record, whenever a file no longer has its stored size. Taken
// before the reload, restore() puts back every changed block and the drawable with it.
class KeptGeometry
{
public:
    // Notes the blocks of the live pictures at and below `root`, except `own` and what lies
    // below it (the element the command made, which takes its file's size as a new one does).
    explicit KeptGeometry(SnapShotItem& root, const SnapShotItem* own = nullptr);

    // Puts back every noted block that differs now and places its drawable there. Returns
    // the number of elements put back.
    int restore();

private:
    void note(SnapShotItem& element, const SnapShotItem* own);

    std::vector<std::pair<SnapShotItem*, SnapItemInfo>> m_blocks;
};

// Reloads `root` (see SnapShotItem::LoadResource) while every picture other than `own` and
// its tree keeps its stored geometry.
void ReloadKeepingGeometry(SnapShotItem& root, const SnapShotItem* own = nullptr);

} // namespace editing
