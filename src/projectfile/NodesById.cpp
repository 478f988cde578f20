#include "projectfile/NodesById.h"

#include "projectfile/ProjectXml.h"

NodesById::NodesById(TiXmlElement& parent, const char* tag)
{
    for (TiXmlElement* node = parent.FirstChildElement(tag); node;
         node = node->NextSiblingElement(tag)) {
        if (const std::optional<std::uint32_t> id = projectfile::NodeId(*node)) {
            m_entries[*id].nodes.push_back(node);
        }
    }
}

void NodesById::CountLive(std::uint32_t id)
{
    const auto found = m_entries.find(id);
    if (found != m_entries.end()) {
        ++found->second.live;
    }
}

TiXmlElement* NodesById::Take(std::uint32_t id)
{
    const auto found = m_entries.find(id);
    if (found == m_entries.end()) {
        return nullptr;
    }
    Entry& entry = found->second;
    if (entry.live > 0) {
        --entry.live;
    }
    return entry.next < entry.nodes.size() ? entry.nodes[entry.next++] : nullptr;
}

TiXmlElement* NodesById::TakeForDeleted(std::uint32_t id)
{
    const auto found = m_entries.find(id);
    if (found == m_entries.end()) {
        return nullptr;
    }
    Entry& entry = found->second;
    if (entry.nodes.size() - entry.next <= entry.live) {
        return nullptr;
    }
    return entry.nodes[entry.next++];
}
