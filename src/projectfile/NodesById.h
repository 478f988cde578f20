#pragma once

#include <tinyxml.h>

#include <cstdint>
#include <unordered_map>
#include <vector>

// The children of one tag of a document node, by the identifier in their "id" property,
// indexed once so that a save finds every node without searching its siblings again.
//
// Nodes are handed out in document order: the first object with an identifier gets the
// first node carrying it, a later object with the same identifier (files may bring
// duplicates, and renumbering may give a live object the identifier a deleted one still
// has) the next one, so that no two objects write into the same node. A deleted object
// only gets a node while more nodes of its identifier are left than live objects still
// need: its own node may be gone with an earlier save.
class NodesById
{
public:
    // Indexes the `tag` children of `parent` (owned by the document; not changed here).
    NodesById(TiXmlElement& parent, const char* tag);

    // Counts a live object that will Take a node of `id`. Call for all before any Take.
    void CountLive(std::uint32_t id);
    // Returns the next node carrying `id` for a live object, or null when none is left.
    TiXmlElement* Take(std::uint32_t id);
    // Returns the next node carrying `id` for a deleted object, or null when the nodes left
    // are needed by live objects.
    TiXmlElement* TakeForDeleted(std::uint32_t id);

private:
    struct Entry
    {
        std::vector<TiXmlElement*> nodes;
        std::size_t next = 0;
        std::size_t live = 0; // live objects that have not taken their node yet
    };
    std::unordered_map<std::uint32_t, Entry> m_entries;
};
