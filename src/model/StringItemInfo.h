#pragma once

#include "model/SnapItemInfo.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

// The attribute block as a string element lays it out. The defaults are those of a
// new string: transparent, centred both ways, 12 pixels high, black on white,
// visible, unbound, not scrolling. Read and written as a value (From / StoreInto).
#pragma pack(push, 1)
struct StringItemInfo
{
    std::uint8_t kind = 2;
    std::uint32_t id = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint16_t width = 100;
    std::uint16_t height = 20;
    std::uint8_t modeTimesTwo = 2; // 0 "Normal", 2 "Transparent"
    std::uint8_t align = 0x0E;     // bits 0-1 horizontal, bits 2-3 vertical code
    std::uint8_t fontHeight = 12;
    std::uint32_t foreground = 0;        // 0xAABBGGRR
    std::uint32_t background = 0xFFFFFF; // 0xAABBGGRR
    std::uint8_t visible = 1;
    std::int16_t stringId = -1; // first id of the string list + index; -1 unbound
    std::uint8_t textScroll = 0;
    std::int8_t scrollSign = -1; // -1 "Right to Left", +1 "Left to Right"
    std::uint16_t scrollInterval = 100;
    std::uint16_t scrollPixels = 1;
    std::uint8_t reserved[14] = {};

    // Returns the string view of `block`.
    static StringItemInfo From(const SnapItemInfo& block)
    {
        StringItemInfo info;
        std::memcpy(static_cast<void*>(&info), &block, sizeof info);
        return info;
    }
    void StoreInto(SnapItemInfo& block) const
    {
        std::memcpy(static_cast<void*>(&block), this, sizeof block);
    }
};
#pragma pack(pop)

static_assert(sizeof(StringItemInfo) == sizeof(SnapItemInfo));
static_assert(std::is_trivially_copyable_v<StringItemInfo>);
static_assert(std::is_trivially_copyable_v<SnapItemInfo>);
static_assert(offsetof(StringItemInfo, id) == offsetof(SnapItemInfo, id));
static_assert(offsetof(StringItemInfo, height) == offsetof(SnapItemInfo, height));
static_assert(offsetof(StringItemInfo, modeTimesTwo) == 13);
static_assert(offsetof(StringItemInfo, align) == 14);
static_assert(offsetof(StringItemInfo, fontHeight) == 15);
static_assert(offsetof(StringItemInfo, foreground) == 16);
static_assert(offsetof(StringItemInfo, background) == 20);
static_assert(offsetof(StringItemInfo, visible) == 24);
static_assert(offsetof(StringItemInfo, stringId) == 25);
static_assert(offsetof(StringItemInfo, textScroll) == 27);
static_assert(offsetof(StringItemInfo, scrollSign) == 28);
static_assert(offsetof(StringItemInfo, scrollInterval) == 29);
static_assert(offsetof(StringItemInfo, scrollPixels) == 31);
