#pragma once

#include <cstddef>
#include <cstdint>

// The block a resource group keeps beside its attribute block: 32 bytes, packed.
// Geometry and the group id are copies of the attribute block, kept equal on every
// edit and refresh.
#pragma pack(push, 1)
struct GroupInfo
{
    std::uint16_t reserved0 = 0;
    std::uint32_t groupId = 0;
    std::uint32_t childCounter = 0; // children created in the group so far
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint32_t background = 0xC8C8C8; // 0xAABBGGRR
    std::uint8_t opaque = 0;
    std::uint8_t transparency = 0;
    std::uint8_t reserved1 = 0;
    std::uint8_t visible = 1;
    std::uint8_t reserved2[6] = {};
};
#pragma pack(pop)

static_assert(sizeof(GroupInfo) == 32, "the group block is 32 bytes");
static_assert(offsetof(GroupInfo, groupId) == 2);
static_assert(offsetof(GroupInfo, childCounter) == 6);
static_assert(offsetof(GroupInfo, x) == 10);
static_assert(offsetof(GroupInfo, height) == 16);
static_assert(offsetof(GroupInfo, background) == 18);
static_assert(offsetof(GroupInfo, opaque) == 22);
static_assert(offsetof(GroupInfo, transparency) == 23);
static_assert(offsetof(GroupInfo, visible) == 25);
