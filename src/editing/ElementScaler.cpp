#include "editing/ElementScaler.h"

#include <tinyxml.h>

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

std::string ElementScaler::scaledValue(const char* value, float scale)
{
    const long v = value != nullptr ? std::strtol(value, nullptr, 16) : 0;
    const float product = static_cast<float>(v) * scale;
    const auto scaled = static_cast<std::int32_t>(product);
    char text[16];
    std::snprintf(text, sizeof text, "0x%.4x", static_cast<unsigned>(scaled));
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
        if (kind == Kind::Positioned && std::strcmp(name, "x") == 0) {
            scale = m_scaleX;
        } else if (kind == Kind::Positioned && std::strcmp(name, "y") == 0) {
            scale = m_scaleY;
        } else if (kind == Kind::Group && std::strcmp(name, "width") == 0) {
            scale = m_scaleX;
        } else if (kind == Kind::Group && std::strcmp(name, "height") == 0) {
            scale = m_scaleY;
        } else {
            continue;
        }
        property->SetAttribute("value", scaledValue(value, scale).c_str());
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
