#pragma once

#include <string>
#include <vector>

class APStyleProject;
class Snapshot;
class SnapShotItem;

namespace editing {

class ProjectTree;

// Types `text` into (row, column) of `element` the way the property grid commits
// it: an ActModifySnapItemAttr record is added (also when nothing changes), a
// changed name renames the element's tree node, and the record takes the state
// after the edit.
void CommitElementText(APStyleProject& project, ProjectTree& tree, SnapShotItem& element, int row,
                       int column, const std::string& text);
// The drop-down items the grid offers for (row, column) of `element`.
std::vector<std::string> ElementDropDown(SnapShotItem& element, int row, int column);
// True when a live scene of `project` other than `scene` is named `name`, ignoring
// case.
bool SceneNameTaken(const APStyleProject& project, const Snapshot& scene, const std::string& name);
// Reloads every top-level element of every scene (a new display language).
void ReloadTopLevel(APStyleProject& project);

} // namespace editing
