#pragma once

#include <cstddef>
#include <cstdint>

// A scene's own settings, packed as the style file and undo records carry them.
#pragma pack(push, 1)
struct SceneRecord
{
    std::uint8_t reserved[8] = {};
    std::uint8_t direction = 0; // screen rotation: 0, 1, 2, 3 quarter turns
    std::uint32_t id = 0;
    std::uint16_t elementCounter = 0; // top-level elements read or created
    std::uint8_t key0 = 0;            // always 0
    std::uint8_t keys[16] = {};       // key1..key16, each 0..16
};
#pragma pack(pop)

static_assert(sizeof(SceneRecord) == 32, "the scene record is 32 bytes");
static_assert(offsetof(SceneRecord, direction) == 8);
static_assert(offsetof(SceneRecord, id) == 9);
static_assert(offsetof(SceneRecord, elementCounter) == 13);
static_assert(offsetof(SceneRecord, key0) == 15);
static_assert(offsetof(SceneRecord, keys) == 16);
