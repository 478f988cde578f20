#pragma once

#include "generate/StyleRecords.h"

#include <cstddef>
#include <cstdint>

// Sizes and value conversions of the style file layout (docs/styles.md).
namespace generate {

constexpr std::size_t kStyleHeaderSize = 16;
constexpr std::size_t kSceneEntrySize = 12;
constexpr std::size_t kTopContainerRecordSize = 41;
constexpr std::size_t kGroupRecordSize = 37;
constexpr std::size_t kPictureRecordSize = 20;
constexpr std::size_t kRegionFrameListOffset = 24;
constexpr std::size_t kStringRecordSize = 37;

constexpr std::uint8_t kKindRegion = 1;
constexpr std::uint8_t kKindString = 2;
constexpr std::uint8_t kKindGroup = 3;
constexpr std::uint8_t kKindPicture = 4;

// Returns the file form of a stored colour: stored bytes b0 b1 b2 b3 (0xAABBGGRR) give
// b3·2^24 + b0·2^16 + b1·2^8 + b2, so 0x00BBGGRR becomes 0x00RRGGBB.
constexpr std::uint32_t styleFileColour(std::uint32_t stored)
{
    return (stored & 0xFF000000u) | ((stored & 0xFFu) << 16) | (stored & 0xFF00u) |
           ((stored >> 16) & 0xFFu);
}

// Returns the stored colour for a file colour; undoes styleFileColour.
constexpr std::uint32_t storedColour(std::uint32_t fileColour)
{
    return styleFileColour(fileColour);
}

// Returns the mode byte a string record carries for the stored mode (a stored 1 becomes 2).
constexpr std::uint8_t styleFileMode(std::uint8_t stored)
{
    return stored == 1 ? 2 : stored;
}

// Returns the byte size of `member`'s record with all records nested in it.
std::size_t styleRecordTreeSize(const StyleMember& member);

// Returns the byte size of a top-level container's record tree.
std::size_t styleRecordTreeSize(const StyleTopContainer& container);

} // namespace generate
