#pragma once

#include <cstdint>

// Editor kind of a property row: how the row's value is held, shown and parsed.
// The property grid chooses its in-place control from it.
enum AttrKind : std::int32_t
{
    kAttrX = 1,             // i32 in the first word; odd values draw advice
    kAttrY = 2,             // i32 in the second word
    kAttrPath = 3,          // text, "Click Browse" button
    kAttrStringId = 4,      // text, "Click Edit" button; chosen in a dialog
    kAttrNumber = 5,        // i32
    kAttrColour = 6,        // u32 0xAABBGGRR shown as "0x%08X", "Click Select" button
    kAttrReadOnly = 7,      // i32, never parsed
    kAttrMode = 9,          // "Normal" 0 / "Transparent" 1
    kAttrTextAlign = 10,    // horizontal code (low half) and vertical code (high half)
    kAttrFontSize = 11,     // "16 Pixel" / "32 Pixel" (offered by the grid)
    kAttrName = 13,         // text under the sibling name rules
    kAttrChoice = 15,       // scene rotation and key mapping drop-downs
    kAttrYesNo = 16,        // "Yes" for 1 or 8, else "No"
    kAttrCurrentFrame = 17, // current frame index of a picture region
    kAttrScrollDir = 18,    // "Right to Left" 0 / "Left to Right" 1
    kAttrArgbOutput = 19,   // "8888" 8, "6666" 6, else "Default" 0
};

// One static row of a descriptor table (scene or element kind). The texts are
// static and never owned.
struct SnapItemAttrDesc
{
    std::int32_t id;
    AttrKind kind;
    const char* label;
    const char* description;
};
