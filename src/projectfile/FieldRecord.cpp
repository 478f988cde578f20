#include "projectfile/FieldRecord.h"

#include "model/GroupInfo.h"
#include "model/PicItemInfo.h"
#include "model/StringItemInfo.h"
#include "projectfile/NodeProperties.h"
#include "projectfile/ProjectXml.h"

#include <cstring>

namespace projectfile {

namespace {

constexpr int kUnknown = -1;

bool IsColour(const char* name)
{
    return std::strcmp(name, "background") == 0 || std::strcmp(name, "foreground") == 0;
}

// The block's bytes of a field as an unsigned little-endian number.
std::uint32_t LoadBytes(const std::uint8_t* bytes, std::size_t width)
{
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

void StoreBytes(std::uint8_t* bytes, std::size_t width, std::uint32_t value)
{
    for (std::size_t i = 0; i < width; ++i) {
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

bool Fits(const RecordField& field, std::size_t size)
{
    return field.offset >= 0 && static_cast<std::size_t>(field.offset) + field.width <= size;
}

} // namespace

const FieldTable& GroupFields()
{
    static const FieldTable table = {
        {"unknown", 2, kUnknown},
        {"unknown", 4, kUnknown},
        {"unknown", 4, kUnknown},
        {"x", 2, offsetof(GroupInfo, x)},
        {"y", 2, offsetof(GroupInfo, y)},
        {"width", 2, offsetof(GroupInfo, width)},
        {"height", 2, offsetof(GroupInfo, height)},
        {"background", 4, offsetof(GroupInfo, background)},
        {"opaque", 1, offsetof(GroupInfo, opaque)},
        // The transparency and the reserved byte after it.
        {"transparency", 2, offsetof(GroupInfo, transparency)},
        {"visible", 1, offsetof(GroupInfo, visible)},
    };
    return table;
}

const FieldTable& PictureFields()
{
    static const FieldTable table = {
        {"unknown", 1, kUnknown},
        {"unknown", 4, kUnknown},
        {"unknown", 4, kUnknown},
        {"x", 2, offsetof(PicItemInfo, x)},
        {"y", 2, offsetof(PicItemInfo, y)},
        {"width", 2, offsetof(PicItemInfo, width)},
        {"height", 2, offsetof(PicItemInfo, height)},
        {"visible", 1, offsetof(PicItemInfo, visible)},
        {"unknown", 2, kUnknown},
        {"compress", 1, offsetof(PicItemInfo, compress)},
        {"PNG_A8", 1, offsetof(PicItemInfo, alphaFormat)},
        {"ARGB", 1, offsetof(PicItemInfo, argbOutput)},
    };
    return table;
}

const FieldTable& StringFields()
{
    static const FieldTable table = {
        {"unknown", 1, kUnknown},
        {"unknown", 4, kUnknown},
        {"unknown", 4, kUnknown},
        {"x", 2, offsetof(StringItemInfo, x)},
        {"y", 2, offsetof(StringItemInfo, y)},
        {"width", 2, offsetof(StringItemInfo, width)},
        {"height", 2, offsetof(StringItemInfo, height)},
        {"foreground", 4, offsetof(StringItemInfo, foreground)},
        {"background", 4, offsetof(StringItemInfo, background)},
        {"visible", 1, offsetof(StringItemInfo, visible)},
        {"align", 1, offsetof(StringItemInfo, align)},
        {"mode", 1, offsetof(StringItemInfo, modeTimesTwo)},
        {"size", 1, offsetof(StringItemInfo, fontHeight)},
        {"unknown", 2, kUnknown},
        {"scroll", 1, offsetof(StringItemInfo, textScroll)},
        {"direction", 1, offsetof(StringItemInfo, scrollSign)},
        {"space", 2, offsetof(StringItemInfo, scrollInterval)},
        {"pixel", 2, offsetof(StringItemInfo, scrollPixels)},
    };
    return table;
}

void ReadFields(TiXmlElement& node, const FieldTable& table, void* block, std::size_t size)
{
    auto* bytes = static_cast<std::uint8_t*>(block);
    for (const RecordField& field : table) {
        if (!Fits(field, size)) {
            continue;
        }
        std::uint8_t* at = bytes + field.offset;
        std::memset(at, 0, field.width);
        const TiXmlElement* property = FindProperty(node, field.name);
        if (!property && std::strcmp(field.name, "visible") == 0) {
            RenameWidgetChildren(node);
            InsertBefore(node, node.FirstChildElement("element"), NewProperty("visible", "1"));
            StoreBytes(at, field.width, 1);
            continue;
        }
        const char* text = property ? property->Attribute("value") : nullptr;
        if (!text) {
            continue;
        }
        std::uint32_t value = ParseNumber(text);
        if (IsColour(field.name)) {
            value = ExchangeRedBlue(value);
        }
        StoreBytes(at, field.width, value);
    }
}

void WriteFields(NodeProperties& properties, const FieldTable& table, const void* block,
                 std::size_t size)
{
    const auto* bytes = static_cast<const std::uint8_t*>(block);
    for (const RecordField& field : table) {
        if (!Fits(field, size)) {
            continue;
        }
        std::uint32_t value = LoadBytes(bytes + field.offset, field.width);
        if (std::strcmp(field.name, "direction") == 0) {
            properties.Set(field.name, Decimal(static_cast<std::int8_t>(value & 0xFF)));
            continue;
        }
        if (IsColour(field.name)) {
            value = ExchangeRedBlue(value);
        }
        properties.Set(field.name, field.width == 4 ? Hex8(value) : Hex4(value));
    }
}

} // namespace projectfile
