#pragma once

#include <tinyxml.h>

class APStyleProject;

// Nodes of deleted scenes and elements. A save takes them out of the document but keeps
// them with the project, so that once undo has brought an object back, the next save puts
// its node back in its place, with everything the writer does not know still in it.
namespace projectfile {

// Removes `node`, a child of `parent`, from the document and keeps it for `object`.
void ParkNode(APStyleProject& project, const void* object, TiXmlElement& parent,
              TiXmlElement* node);

// Puts the node kept for `object` back below `parent`: right after `previous` (the node of
// the sibling written before it) or, without one, before the first `tag` child, else at the
// end. Returns the node (owned by the document), or null when none was kept.
TiXmlElement* RestoreParkedNode(APStyleProject& project, const void* object, TiXmlElement& parent,
                                TiXmlElement* previous, const char* tag);

// The node a live `object` is written into: `taken` (its node found by identifier) when there
// is one, else the node kept for it put back (RestoreParkedNode), else a new `tag` node at the
// end of `parent`; `made` (when given) tells whether it is new. Owned by the document.
TiXmlElement* NodeToWrite(APStyleProject& project, const void* object, TiXmlElement& parent,
                          TiXmlElement* taken, TiXmlElement* previous, const char* tag,
                          bool* made = nullptr);

} // namespace projectfile
