#include "editing/ElementScaler.h"

#include <tinyxml.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace editing {
namespace {

enum class Kind
{
    Group,
    Positioned,
    Other
};

// Picture regions are placed like pictures. (Taking the kind of the sibling before them would
// leave a region unscaled, or stretch its position as a group's size, by accident of order.)
Kind kindOf(const TiXmlElement& element)
{
    const char* cls = element.Attribute("class");
    if (cls == nullptr) {
        return Kind::Other;
    }
    if (std::strcmp(cls, "resgroup_resource") == 0) {
        return Kind::Group;
    }
    if (std::strcmp(cls, "picture_resource") == 0 || std::strcmp(cls, "string_resource") == 0 ||
        std::strcmp(cls, "picregion_resource") == 0) {
        return Kind::Positioned;
    }
    return Kind::Other;
}

} // namespace

std::string ElementScaler::scaledValue(const char* value, float scale, FieldType type)
{
    // The project reader keeps the low 16 bits of a field's number: read the value as it
    // would, so that a position left of or above the screen (x = -16 is written "0xfff0")
    // scales as the negative number it is instead of as 65520.
    const unsigned long long read = value != nullptr ? std::strtoull(value, nullptr, 16) : 0;
    const auto bits = static_cast<std::uint16_t>(read & 0xffffu);
    const float v = type == FieldType::Position
                        ? static_cast<float>(static_cast<std::int16_t>(bits))
                        : static_cast<float>(bits);
    // Truncated toward zero, then held within the field's range, so that a product too large
    // for 16 bits does not wrap round to a small or negative value (or overflow the int).
    float product = std::trunc(v * scale);
    const float lowest = type == FieldType::Position ? -32768.0f : 0.0f;
    const float highest = type == FieldType::Position ? 32767.0f : 65535.0f;
    if (!(product >= lowest)) {
        product = lowest; // also NaN, from a scale that is no number
    } else if (product > highest) {
        product = highest;
    }
    const auto field = static_cast<std::uint16_t>(static_cast<std::int32_t>(product));
    char text[16];
    std::snprintf(text, sizeof text, "0x%.4x", static_cast<unsigned>(field));
    return text;
}

void ElementScaler::scaleElement(TiXmlElement& element) const
{
    const Kind kind = kindOf(element);
    if (kind == Kind::Other) {
        return;
    }
    for (TiXmlElement* property = element.FirstChildElement("property"); property != nullptr;
         property = property->NextSiblingElement("property")) {
        const char* name = property->Attribute("name");
        if (name == nullptr) {
            continue;
        }
        const char* value = property->Attribute("value");
        float scale = 0;
        FieldType type = FieldType::Position;
        if (kind == Kind::Positioned && std::strcmp(name, "x") == 0) {
            scale = m_scaleX;
        } else if (kind == Kind::Positioned && std::strcmp(name, "y") == 0) {
            scale = m_scaleY;
        } else if (kind == Kind::Group && std::strcmp(name, "width") == 0) {
            scale = m_scaleX;
            type = FieldType::Size;
        } else if (kind == Kind::Group && std::strcmp(name, "height") == 0) {
            scale = m_scaleY;
            type = FieldType::Size;
        } else {
            continue;
        }
        property->SetAttribute("value", scaledValue(value, scale, type).c_str());
    }
}

int ElementScaler::scaleScenes(TiXmlElement& root) const
{
    int visited = 0;
    for (TiXmlElement* scene = root.FirstChildElement("scene"); scene != nullptr;
         scene = scene->NextSiblingElement("scene")) {
        for (TiXmlElement* element = scene->FirstChildElement("element"); element != nullptr;
             element = element->NextSiblingElement("element")) {
            visited += scaleTree(*element);
        }
    }
    return visited;
}

int ElementScaler::scaleTree(TiXmlElement& element) const
{
    scaleElement(element);
    int visited = 1;
    for (TiXmlElement* child = element.FirstChildElement("element"); child != nullptr;
         child = child->NextSiblingElement("element")) {
        visited += scaleTree(*child);
    }
    return visited;
}

} // namespace editing
