#pragma once

#include "model/SnapItemInfo.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

// The attribute block as a picture or picture region lays it out: the common head
// and the bytes of the current frame's output settings. Read and written as a
// value (From / StoreInto), so that SnapItemInfo stays the one stored object.
#pragma pack(push, 1)
struct PicItemInfo
{
    std::uint8_t kind = 0; // 1 once AddChild or the reader made it a picture
    std::uint32_t id = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint16_t frameCount = 1;
    std::uint8_t visible = 1;
    std::uint8_t compress = 0;    // of the current frame
    std::uint8_t alphaFormat = 0; // of the current frame: 8 = PNG A8, else 0
    std::uint8_t argbOutput = 0;  // of the current frame: 8, 6 or 0
    std::uint8_t reserved[28] = {};

    // Returns the picture view of `block`.
    static PicItemInfo From(const SnapItemInfo& block)
    {
        PicItemInfo info;
        std::memcpy(static_cast<void*>(&info), &block, sizeof info);
        return info;
    }
    void StoreInto(SnapItemInfo& block) const
    {
        std::memcpy(static_cast<void*>(&block), this, sizeof block);
    }
};
#pragma pack(pop)

static_assert(sizeof(PicItemInfo) == sizeof(SnapItemInfo));
static_assert(std::is_trivially_copyable_v<PicItemInfo>);
static_assert(std::is_trivially_copyable_v<SnapItemInfo>);
static_assert(offsetof(PicItemInfo, id) == offsetof(SnapItemInfo, id));
static_assert(offsetof(PicItemInfo, height) == offsetof(SnapItemInfo, height));
static_assert(offsetof(PicItemInfo, frameCount) == 13);
static_assert(offsetof(PicItemInfo, visible) == 15);
static_assert(offsetof(PicItemInfo, compress) == 16);
static_assert(offsetof(PicItemInfo, alphaFormat) == 17);
static_assert(offsetof(PicItemInfo, argbOutput) == 18);
