#pragma once

#include <string>

class SnapShotItem;

namespace editing {

class Workspace;
struct TreeNode;

// The commands that add what a folder on disk holds: frames (32867), pictures
// (32852) and whole scenes (32853). Each asks for the folder first.
namespace dir {

void AddFrameDirectory(Workspace& ws);
void AddPictureDirectory(Workspace& ws);
void AddResourceDirectory(Workspace& ws);

// Makes a single picture from the file at `path` in the container of `node` (a
// scene or group node), growing the container to fit it. Returns the element, or
// null when the node is no container.
SnapShotItem* PictureFromFile(Workspace& ws, TreeNode& node, const std::string& path);

} // namespace dir
} // namespace editing
