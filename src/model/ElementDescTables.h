#pragma once

#include "model/SnapItemAttrDesc.h"

// The static descriptor tables of the element kinds, in row order. Not owned.
namespace model {

inline constexpr int kGroupDescCount = 10;
inline constexpr int kRegionDescCount = 12;
inline constexpr int kPictureDescCount = 11;
inline constexpr int kStringDescCount = 17;

const SnapItemAttrDesc* GroupDescTable();
const SnapItemAttrDesc* RegionDescTable();
const SnapItemAttrDesc* PictureDescTable();
const SnapItemAttrDesc* StringDescTable();

// Property ids shared by every kind's table.
enum CommonPropertyId : int
{
    kPropName = 0,
    kPropX = 2,
    kPropY = 3,
    kPropWidth = 4,
    kPropHeight = 5,
    kPropVisible = 10,
};

} // namespace model
