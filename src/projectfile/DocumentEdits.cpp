#include "projectfile/DocumentEdits.h"

#include "projectfile/ProjectXml.h"

#include <cstring>
#include <unordered_map>

namespace projectfile {

namespace {

TiXmlElement* FindChild(TiXmlElement& parent, const char* tag, std::uint32_t id)
{
    for (TiXmlElement* child = parent.FirstChildElement(tag); child;
         child = child->NextSiblingElement(tag)) {
        if (NodeId(*child) == id) {
            return child;
        }
    }
    return nullptr;
}

// Depth first, in document order, through "element" nodes.
TiXmlElement* FindElementBelow(TiXmlElement& parent, std::uint32_t id)
{
    for (TiXmlElement* child = parent.FirstChildElement("element"); child;
         child = child->NextSiblingElement("element")) {
        if (NodeId(*child) == id) {
            return child;
        }
        if (TiXmlElement* found = FindElementBelow(*child, id)) {
            return found;
        }
    }
    return nullptr;
}

void Renumber(TiXmlElement& parent, const std::unordered_map<std::uint32_t, std::uint32_t>& map)
{
    for (TiXmlElement* child = parent.FirstChildElement(); child;
         child = child->NextSiblingElement()) {
        const char* tag = child->Value();
        if (std::strcmp(tag, "property") == 0) {
            continue;
        }
        if (TiXmlElement* property = FindProperty(*child, "id")) {
            const char* value = property->Attribute("value");
            const auto found =
                map.find(static_cast<std::uint32_t>(ParseDecimal(value ? value : "")));
            if (value && found != map.end()) {
                property->SetAttribute("value", Decimal(found->second));
            }
        }
        if (std::strcmp(tag, "scene") == 0 || std::strcmp(tag, "element") == 0) {
            Renumber(*child, map);
        }
    }
}

} // namespace

int SwapInDocument(TiXmlDocument& document, std::uint32_t idA, std::uint32_t idB)
{
    TiXmlElement* root = document.RootElement();
    if (!root) {
        return -1;
    }
    TiXmlElement* a = FindChild(*root, "scene", idA);
    for (TiXmlElement* scene = root->FirstChildElement("scene"); !a && scene;
         scene = scene->NextSiblingElement("scene")) {
        a = FindElementBelow(*scene, idA);
    }
    if (!a) {
        return -1;
    }
    TiXmlElement& parent = *a->Parent()->ToElement();
    TiXmlElement* b = FindChild(parent, &parent == root ? "scene" : "element", idB);
    if (!b) {
        return -2;
    }
    if (a == b) {
        return 0;
    }
    parent.InsertBeforeChild(b, *a);
    parent.InsertBeforeChild(a, *b);
    parent.RemoveChild(a);
    parent.RemoveChild(b);
    return 0;
}

void RenumberInDocument(TiXmlDocument& document, const IdRenumbering& pairs)
{
    TiXmlElement* root = document.RootElement();
    if (!root) {
        return;
    }
    std::unordered_map<std::uint32_t, std::uint32_t> map;
    for (const auto& [from, to] : pairs) {
        map.emplace(from, to);
    }
    Renumber(*root, map);
}

} // namespace projectfile
