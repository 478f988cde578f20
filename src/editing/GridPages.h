#pragma once

#include <cstdint>
#include <string>
#include <vector>

class APStyleProject;
class Snapshot;

namespace editing {

class ProjectTree;

// How the property grid shows and commits the rows of a scene's page. The rows are those
// of the scene's descriptor table, in its order; the labels come from there.
struct SceneRowRule
{
    std::int32_t id;            // property id in Snapshot::SceneDescTable()
    std::uint32_t valueCell;    // PropertyGrid cell type of the value column
    const char* button;         // text of the second column, or null
    std::uint32_t buttonCell;   // its cell type
    std::int32_t groupProperty; // the root group's property behind the row; -1: the scene's own
    bool records;               // committing makes an undo record
};

// How the property grid shows and commits the rows of a project's page, the rows of the
// project property table in its order. A row is one entry: its cells, how its text is read,
// how a typed or chosen text is stored, and its drop-down items.
struct ProjectRowRule
{
    std::int32_t id; // property id in ProjectPropertyTable()
    std::uint32_t valueCell;
    std::uint32_t buttonCell; // a kCellButton row is set by the grid's buttons
    bool records;             // committing makes an undo record
    std::string (*read)(const APStyleProject& project);
    // Stores `text`; false when refused. Null for a row that is not typed into.
    bool (*write)(APStyleProject& project, ProjectTree& tree, const std::string& text);
    // The drop-down items; null for a row without a list.
    std::vector<std::string> (*items)(const APStyleProject& project);
};

// The rules of the rows shown on a scene's page (the key mapping row is not shown).
const std::vector<SceneRowRule>& SceneRowRules();
const SceneRowRule* FindSceneRowRule(std::int32_t id);
// The label of scene property `id`.
std::string SceneRowLabel(std::int32_t id);

const std::vector<ProjectRowRule>& ProjectRowRules();
const ProjectRowRule* FindProjectRowRule(std::int32_t id);
std::string ProjectRowLabel(std::int32_t id);

// The rotations a scene can take, by direction code.
const std::vector<std::string>& SceneRotations();

} // namespace editing
