#include "model/SnapItemAttr.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

struct AlignLabel
{
    const char* label;
    std::uint16_t code;
};

const AlignLabel kHorizontal[] = {
    {"Horizontal Left", 0}, {"Horizontal Center", 2}, {"Horizontal Right", 1}};
const AlignLabel kVertical[] = {
    {"Vertical Top", 0}, {"Vertical Center", 12}, {"Vertical Bottom", 4}};

template <std::size_t N>
std::string LabelOf(const AlignLabel (&list)[N], std::uint16_t code)
{
    for (const auto& entry : list) {
        if (entry.code == code) {
            return entry.label;
        }
    }
    return {};
}

// A label that matches none of the list stores 0.
template <std::size_t N>
std::uint16_t CodeOf(const AlignLabel (&list)[N], const std::string& label)
{
    for (const auto& entry : list) {
        if (label == entry.label) {
            return entry.code;
        }
    }
    return 0;
}

std::string Decimal(std::int32_t value)
{
    return std::to_string(value);
}

} // namespace

std::int32_t ParseDecimalText(const std::string& text)
{
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<std::int32_t>(value);
}

std::uint32_t ParseHexText(const std::string& text)
{
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 16);
    return value > UINT_MAX ? UINT_MAX : static_cast<std::uint32_t>(value);
}

std::int32_t SnapItemAttr::Number() const
{
    return kind == kAttrY ? words[1] : words[0];
}

void SnapItemAttr::SetNumber(std::int32_t value)
{
    (kind == kAttrY ? words[1] : words[0]) = value;
}

std::uint16_t SnapItemAttr::HorizontalAlign() const
{
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(words[0]) & 0xFFFFu);
}

std::uint16_t SnapItemAttr::VerticalAlign() const
{
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(words[0]) >> 16);
}

void SnapItemAttr::SetAlign(std::uint16_t horizontal, std::uint16_t vertical)
{
    words[0] = static_cast<std::int32_t>(static_cast<std::uint32_t>(vertical) << 16 | horizontal);
}

std::string SnapItemAttr::Text(int column, bool showCurrentFrame) const
{
    if (column != 1 && column != 2) {
        return {};
    }
    const bool value = column == 1;
    switch (kind) {
    case kAttrX:
    case kAttrY:
    case kAttrNumber:
    case kAttrReadOnly:
        return value ? Decimal(Number()) : std::string();
    case kAttrPath:
        return value ? text : "Click Browse";
    case kAttrStringId:
        return value ? text : "Click Edit";
    case kAttrColour: {
        if (!value) {
            return "Click Select";
        }
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<std::uint32_t>(words[0]));
        return buffer;
    }
    case kAttrMode:
        if (!value) {
            return {};
        }
        return words[0] == 0 ? "Normal" : words[0] == 1 ? "Transparent" : "";
    case kAttrTextAlign:
        return value ? LabelOf(kHorizontal, HorizontalAlign())
                     : LabelOf(kVertical, VerticalAlign());
    case kAttrName:
        return value ? text : std::string();
    case kAttrYesNo:
        if (!value) {
            return {};
        }
        return words[0] == 1 || words[0] == 8 ? "Yes" : "No";
    case kAttrCurrentFrame:
        return value && showCurrentFrame ? Decimal(words[0]) : std::string();
    case kAttrScrollDir:
        if (!value) {
            return {};
        }
        return words[0] == 0 ? "Right to Left" : "Left to Right";
    case kAttrArgbOutput:
        if (!value) {
            return {};
        }
        return words[0] == 8 ? "8888" : words[0] == 6 ? "6666" : "Default";
    default:
        return {};
    }
}

bool SnapItemAttr::Parse(int column, const std::string& typed, bool acceptCurrentFrame)
{
    if (kind == kAttrTextAlign) {
        if (column == 1) {
            SetAlign(CodeOf(kHorizontal, typed), VerticalAlign());
            return true;
        }
        if (column == 2) {
            SetAlign(HorizontalAlign(), CodeOf(kVertical, typed));
            return true;
        }
        return false;
    }
    if (column != 1) {
        return false;
    }
    switch (kind) {
    case kAttrX:
    case kAttrY:
    case kAttrNumber:
        SetNumber(ParseDecimalText(typed));
        return true;
    case kAttrPath:
        text = typed;
        return true;
    case kAttrColour:
        words[0] = static_cast<std::int32_t>(ParseHexText(typed));
        return true;
    case kAttrMode:
        // Only the two labels are understood; other text leaves the row alone.
        if (typed == "Normal" || typed == "Transparent") {
            words[0] = typed == "Normal" ? 0 : 1;
            return true;
        }
        return false;
    case kAttrYesNo:
        words[0] = typed == "No" ? 0 : 1;
        return true;
    case kAttrCurrentFrame:
        if (!acceptCurrentFrame) {
            return false;
        }
        words[0] = ParseDecimalText(typed);
        return true;
    case kAttrScrollDir:
        words[0] = typed == "Right to Left" ? 0 : 1;
        return true;
    case kAttrArgbOutput:
        words[0] = typed == "8888" ? 8 : typed == "6666" ? 6 : 0;
        return true;
    default:
        return false;
    }
}
