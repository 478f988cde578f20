#pragma once

#include <string>

class Snapshot;

namespace editing {

class Workspace;

namespace dir {

// The last step of add resource directory: a scene "SCENE_STR" (recorded for undo like
// every scene of that command) whose root group holds one string element per string
// that the spreadsheet at `path` gives the current project's string list, each bound to
// its string. The list is replaced by the spreadsheet's strings, as any spreadsheet
// import does. Returns the scene (owned by the project), or null without a project.
Snapshot* AddStringScene(Workspace& ws, const std::string& path);

} // namespace dir
} // namespace editing
