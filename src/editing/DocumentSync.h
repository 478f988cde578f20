#pragma once

#include "model/ProjectFileIo.h"

#include <cstdint>

class APStyleProject;

// Keeps the project's retained document in step with moves and renumbering, so
// that the next in-place save writes the new order and identifiers.
namespace editing {

// Swaps the document nodes of the scenes or elements with ids `a` and `b`.
void SwapNodesInDocument(APStyleProject& project, std::uint32_t a, std::uint32_t b);
// Gives the document nodes their new ids, pair by pair (old id, new id).
void RenumberNodesInDocument(APStyleProject& project, const IdRenumbering& pairs);

} // namespace editing
