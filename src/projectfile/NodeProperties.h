#pragma once

#include <tinyxml.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The "property" children of one scene or element node, indexed once, so that writing a
// node's dozen properties does not walk its children again for each of them. Writes
// replace a value in place; a missing property is inserted where the format wants it.
// The node and its properties stay owned by the document.
class NodeProperties
{
public:
    explicit NodeProperties(TiXmlElement& node);

    TiXmlElement& Node() const { return m_node; }

    // Returns the first property named `name`, or null.
    TiXmlElement* Find(std::string_view name) const;

    // Sets the value of `name`; a missing property goes right after the node's last
    // property, or to the end when it has none. Returns the property.
    TiXmlElement* Set(const char* name, const std::string& value);
    // As Set; a missing property goes right after `anchor` (a child of the node), or as
    // Set when `anchor` is null.
    TiXmlElement* SetAfter(const char* name, const std::string& value, TiXmlNode* anchor);
    // As Set; a missing property goes before the node's first "element" child, or to the
    // end when it has none.
    TiXmlElement* SetBeforeElements(const char* name, const std::string& value);
    // As Set; a missing property becomes the node's first child element, and an attribute
    // of the same name is removed (the older files kept "id" and "name" there).
    TiXmlElement* SetAtFront(const char* name, const std::string& value);

private:
    TiXmlElement* Remember(TiXmlElement* inserted);

    TiXmlElement& m_node;
    std::vector<std::pair<std::string_view, TiXmlElement*>> m_entries;
};
