#pragma once

#include "model/SnapItemAttrDesc.h"

#include <cstdint>
#include <string>

// One property row of an element or a scene: its editor kind, label and value.
// A numeric row keeps its value in words[0], except a y row, which uses words[1];
// the text-align row keeps the horizontal code in the low and the vertical code in
// the high half of words[0]; text rows (path, string id, name) use `text`.
struct SnapItemAttr
{
    AttrKind kind = kAttrReadOnly;
    std::string label;
    std::int32_t words[2] = {0, 0};
    std::string text;

    // The row's numeric value (words[1] for a y row, words[0] otherwise).
    std::int32_t Number() const;
    void SetNumber(std::int32_t value);

    std::uint16_t HorizontalAlign() const;
    std::uint16_t VerticalAlign() const;
    void SetAlign(std::uint16_t horizontal, std::uint16_t vertical);

    // The text the property grid shows in `column` (1 value, 2 button); empty for
    // any other column. A current-frame row shows its number only when
    // `showCurrentFrame` is set.
    std::string Text(int column, bool showCurrentFrame = true) const;

    // Parses text typed into `column` into the value. Returns true when the row
    // took a value. Name, string-id and read-only rows are not parsed here: the
    // element applies its naming rules and the string dialog sets string ids.
    bool Parse(int column, const std::string& typed, bool acceptCurrentFrame = true);
};

// Decimal reading as the grid does it: leading blanks, optional sign, leading
// digits; anything else gives 0. Out-of-range values are clamped.
std::int32_t ParseDecimalText(const std::string& text);
// Hexadecimal reading (optional "0x"); anything else gives 0.
std::uint32_t ParseHexText(const std::string& text);
