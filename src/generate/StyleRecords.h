#pragma once

#include <array>
#include <cstdint>
#include <variant>
#include <vector>

// The content of a style file as plain data: what style generation fills from the project and
// what the style file reader gives back. Values are as the project stores them; the writer
// converts colours (and the string mode byte) to the file's form. docs/styles.md gives the
// byte layout.
namespace generate {

constexpr std::uint32_t kStyleMagicNewProject = 0x184E4942; // "BIN" and 0x18
constexpr std::uint32_t kStyleMagicLoadedProject = 0x00000018;

// The part of a resource group block that style records carry (16 bytes).
struct StyleGroupBlock
{
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint32_t backgroundColour = 0; // 0xAABBGGRR
    std::uint8_t visible = 1;
    std::uint8_t opaque = 0;
    std::uint8_t transparency = 0;
    std::uint8_t reserved = 0; // the group block's byte after the transparency
};

// A single picture (one identifier) or a picture region (one identifier per frame).
struct StylePictureRecord
{
    bool region = false;
    std::uint32_t nameHash = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t visible = 1;
    std::uint16_t pictureId = 0;         // single picture only
    std::vector<std::uint16_t> frameIds; // region only
};

struct StyleStringRecord
{
    std::uint32_t nameHash = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint32_t foregroundColour = 0; // 0xAABBGGRR
    std::uint32_t backgroundColour = 0; // 0xAABBGGRR
    std::uint8_t visible = 1;
    std::uint8_t alignment = 0;
    std::uint8_t mode = 0; // as stored (mode times two); a stored 1 is written as 2
    std::uint8_t fontHeight = 0;
    std::uint16_t stringId = 0;
    std::uint8_t textScroll = 0;
    std::int8_t scrollSign = -1;
    std::uint16_t scrollInterval = 0;
    std::uint16_t scrollPixels = 0;
};

struct StyleMember;

// A resource group below a scene's top-level container.
struct StyleGroupRecord
{
    std::uint32_t nameHash = 0;
    std::uint16_t left = 0; // of the group's absolute rectangle
    std::uint16_t top = 0;
    StyleGroupBlock block;
    std::vector<StyleMember> members; // live members only, in member-list order
};

struct StyleMember
{
    std::variant<StyleGroupRecord, StylePictureRecord, StyleStringRecord> record;
};

// A top-level container of a scene, with the scene's direction and keys.
struct StyleTopContainer
{
    StyleGroupBlock block;
    std::uint8_t direction = 0;
    std::array<std::uint8_t, 16> keys{}; // key1 .. key16
    std::vector<StyleMember> members;
};

struct StyleScene
{
    std::uint32_t nameHash = 0;
    std::vector<StyleTopContainer> containers;
};

struct StyleFileContent
{
    std::uint32_t firstWord = kStyleMagicNewProject;
    std::uint16_t screenWidth = 0;
    std::uint16_t screenHeight = 0;
    std::vector<StyleScene> scenes; // live scenes, in project order
};

} // namespace generate
