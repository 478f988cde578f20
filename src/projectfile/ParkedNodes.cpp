#include "projectfile/ParkedNodes.h"

#include "model/APStyleProject.h"

#include <memory>

namespace projectfile {

void ParkNode(APStyleProject& project, const void* object, TiXmlElement& parent, TiXmlElement* node)
{
    // TinyXML has no unlink that keeps the node: keep a copy, then remove it.
    project.ParkNode(object, std::unique_ptr<TiXmlNode>(node->Clone()));
    parent.RemoveChild(node);
}

TiXmlElement* RestoreParkedNode(APStyleProject& project, const void* object, TiXmlElement& parent,
                                TiXmlElement* previous, const char* tag)
{
    std::unique_ptr<TiXmlNode> kept = project.TakeParkedNode(object);
    if (!kept) {
        return nullptr;
    }
    TiXmlNode* placed = nullptr;
    if (previous) {
        placed = parent.InsertAfterChild(previous, *kept);
    } else if (TiXmlElement* first = parent.FirstChildElement(tag)) {
        placed = parent.InsertBeforeChild(first, *kept);
    } else {
        placed = parent.LinkEndChild(kept.release());
    }
    return placed ? placed->ToElement() : nullptr;
}

TiXmlElement* NodeToWrite(APStyleProject& project, const void* object, TiXmlElement& parent,
                          TiXmlElement* taken, TiXmlElement* previous, const char* tag, bool* made)
{
    TiXmlElement* node = taken;
    if (!node) {
        node = RestoreParkedNode(project, object, parent, previous, tag);
    }
    if (made) {
        *made = node == nullptr;
    }
    if (!node) {
        node = parent.LinkEndChild(new TiXmlElement(tag))->ToElement();
    }
    return node;
}

} // namespace projectfile
