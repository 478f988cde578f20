#pragma once

#include <tinyxml.h>

#include <cstdint>
#include <unordered_map>
#include <vector>

// The children of one tag of a document node, by the identifier in their "id" property,
// indexed once so that a save finds every node without searching its siblings again.
// Nodes are handed out in document order: the first object with an identifier gets the
// first node carrying it, a later object with the same identifier (files may bring
// duplicates) the next one, so that no two objects write into the same node.
class NodesById
{
public:
    // Indexes the `tag` children of `parent` (owned by the document; not changed here).
    NodesById(TiXmlElement& parent, const char* tag);

    // Returns the next node carrying `id` not handed out yet, or null.
    TiXmlElement* Take(std::uint32_t id);

private:
    struct Entry
    {
        std::vector<TiXmlElement*> nodes;
        std::size_t next = 0;
    };
    std::unordered_map<std::uint32_t, Entry> m_entries;
};
