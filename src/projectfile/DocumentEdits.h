#pragma once

#include "model/ProjectFileIo.h"

#include <tinyxml.h>

#include <cstdint>

// The edits the move and renumber commands make directly in a project's retained document,
// because the writer never reorders the nodes it updates.
namespace projectfile {

// Exchanges the nodes of `idA` and `idB`: `idA` is looked for among the root's "scene"
// children, then scene by scene among the "element" nodes at any depth; `idB` among the
// children of the same parent with the same tag. Returns 0, -1 when no node carries `idA`,
// -2 when no sibling carries `idB`. The same identifier twice changes nothing.
int SwapInDocument(TiXmlDocument& document, std::uint32_t idA, std::uint32_t idB);

// Gives every scene and element node whose "id" is an old identifier of `pairs` the new
// one (the first pair of an old identifier wins). Other nodes are not descended into.
void RenumberInDocument(TiXmlDocument& document, const IdRenumbering& pairs);

} // namespace projectfile
