#include "projectfile/NodeProperties.h"

#include "projectfile/ProjectXml.h"

NodeProperties::NodeProperties(TiXmlElement& node) : m_node(node)
{
    for (TiXmlElement* property = node.FirstChildElement("property"); property;
         property = property->NextSiblingElement("property")) {
        if (const char* name = property->Attribute("name")) {
            m_entries.emplace_back(name, property);
        }
    }
}

TiXmlElement* NodeProperties::Find(std::string_view name) const
{
    for (const auto& [entryName, property] : m_entries) {
        if (entryName == name) {
            return property;
        }
    }
    return nullptr;
}

TiXmlElement* NodeProperties::Remember(TiXmlElement* inserted)
{
    if (inserted) {
        // The index keeps the first of a name, as Find in the document does; a new one is
        // only made when the name was missing.
        m_entries.emplace_back(inserted->Attribute("name"), inserted);
    }
    return inserted;
}

TiXmlElement* NodeProperties::Set(const char* name, const std::string& value)
{
    return SetAfter(name, value, nullptr);
}

TiXmlElement* NodeProperties::SetAfter(const char* name, const std::string& value,
                                       TiXmlNode* anchor)
{
    if (TiXmlElement* property = Find(name)) {
        property->SetAttribute("value", value);
        return property;
    }
    if (!anchor) {
        anchor = m_node.LastChild("property");
    }
    return Remember(
        projectfile::InsertAfter(m_node, anchor, projectfile::NewProperty(name, value)));
}

TiXmlElement* NodeProperties::SetBeforeElements(const char* name, const std::string& value)
{
    if (TiXmlElement* property = Find(name)) {
        property->SetAttribute("value", value);
        return property;
    }
    return Remember(projectfile::InsertBefore(m_node, m_node.FirstChildElement("element"),
                                              projectfile::NewProperty(name, value)));
}

TiXmlElement* NodeProperties::SetAtFront(const char* name, const std::string& value)
{
    if (TiXmlElement* property = Find(name)) {
        property->SetAttribute("value", value);
        return property;
    }
    m_node.RemoveAttribute(name);
    return Remember(projectfile::InsertBefore(m_node, m_node.FirstChildElement(),
                                              projectfile::NewProperty(name, value)));
}
