#pragma once

#include <cstddef>
#include <cstdint>

// The packed attribute block that every element carries: 47 bytes, copied whole
// into and out of undo records and handed whole to BuildAttrList. The common head
// is fixed here; bytes 13 to 46 belong to the element kind. A kind lays its own
// fields over `kindBytes` (picture: frame count, visible, compress, alpha format,
// ARGB output; string: mode, alignment, font, colours, scroll settings).
#pragma pack(push, 1)
struct SnapItemInfo
{
    std::uint8_t kind = 0; // 1 picture, 2 string; a group leaves 0
    std::uint32_t id = 0;  // project-wide element identifier
    std::int16_t x = 0;    // relative to the parent
    std::int16_t y = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t kindBytes[34] = {};
};
#pragma pack(pop)

// Offset of the first kind-specific byte in the block.
inline constexpr std::size_t kSnapItemInfoKindOffset = 13;

static_assert(sizeof(SnapItemInfo) == 47, "the attribute block is 47 bytes");
static_assert(offsetof(SnapItemInfo, kind) == 0);
static_assert(offsetof(SnapItemInfo, id) == 1);
static_assert(offsetof(SnapItemInfo, x) == 5);
static_assert(offsetof(SnapItemInfo, y) == 7);
static_assert(offsetof(SnapItemInfo, width) == 9);
static_assert(offsetof(SnapItemInfo, height) == 11);
static_assert(offsetof(SnapItemInfo, kindBytes) == kSnapItemInfoKindOffset);
