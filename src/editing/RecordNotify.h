#pragma once

#include <cstdint>

// The main-window messages the undo records send.
namespace editing {

// 0x46A: rebuild the project tree and select the node of `object`.
void NotifyRebuild(const void* object);
// 0x46C: refresh the editing surface and mark the document modified.
void NotifyRefresh();

} // namespace editing
