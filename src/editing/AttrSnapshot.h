#pragma once

#include "model/GroupInfo.h"
#include "model/PicFrame.h"
#include "model/SnapItemAttr.h"
#include "model/SnapItemInfo.h"
#include "model/StringRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class SnapShotItem;

// Everything a property edit can change on one element: rows, attribute block,
// name and flags; the text store of a string; frames and current frame of a
// picture; group block and edit lock of a resource group.
struct AttrSnapshot
{
    std::vector<SnapItemAttr> rows;
    SnapItemInfo block;
    std::string name;
    std::uint32_t flags = 0;
    std::optional<StringRecord> store;
    std::optional<std::vector<PicFrame>> frames;
    int currentFrame = 0;
    std::optional<GroupInfo> group;
    std::uint32_t editable = 1;

    // Returns the state of `element` now.
    static AttrSnapshot Capture(SnapShotItem& element);
    // Puts `element` back into this state, reloads its drawable and tells the views (the
    // element changed, the surface redraws, and a picture's tree node is rebuilt).
    void Restore(SnapShotItem& element) const;
};
