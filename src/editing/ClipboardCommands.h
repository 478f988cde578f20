#pragma once

class SnapShotItem;

namespace editing {

class Workspace;

// Copy (57634) and paste (57637).
namespace clip {

// Puts the current element (or else the current scene) into the copy buffer.
void Copy(Workspace& ws);
// The group a buffered element would be pasted into, or null when paste cannot
// take it there.
SnapShotItem* PasteTarget(Workspace& ws);
// True when paste would do something.
bool CanPaste(Workspace& ws);
// Inserts a copy of the buffer's element or scene.
void Paste(Workspace& ws);

} // namespace clip
} // namespace editing
