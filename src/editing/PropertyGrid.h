#pragma once

#include "model/GridRow.h"

#include <string>
#include <vector>

class APStyleProject;
class Snapshot;
class SnapShotItem;

namespace editing {

class ProjectTree;

// The property grid without a widget: the shown object (an element, a scene or a
// project's settings), its rows with the texts and cell types of both columns,
// the drop-down items, and committing an edit with its effects and undo records.
class PropertyGrid
{
public:
    enum CellType : std::uint32_t
    {
        kCellReadOnly = 1,
        kCellEdit = 2,
        kCellEditCombo = 4,
        kCellDropList = 8,
        kCellButton = 32
    };
    enum class Page
    {
        None,
        Element,
        Scene,
        Project
    };

    void ShowElement(SnapShotItem* element);
    void ShowScene(Snapshot* scene);
    void ShowProject(APStyleProject* project);
    void Clear();
    // Fills every cell again from the shown object.
    void Refresh();

    Page Shown() const { return m_page; }
    SnapShotItem* Element() const { return m_element; }
    Snapshot* Scene() const { return m_scene; }
    APStyleProject* Project() const { return m_project; }
    const std::vector<GridRow>& Rows() const { return m_rows; }
    // The index of the row labelled `label`, or -1.
    int FindRow(const std::string& label) const;
    // The items of the drop-down of (row, column); empty when the cell has none.
    std::vector<std::string> DropDownItems(int row, int column) const;

    // Commits `text` typed or chosen into (row, column) of the shown object, within
    // `project` (whose history takes the undo records); renames tree nodes in
    // `tree`. Returns false, changing nothing, when the cell cannot be edited or
    // the value was refused.
    bool Commit(APStyleProject& project, ProjectTree& tree, int row, int column,
                const std::string& text);

    // Presses the colour button of `row` (an element's colour row, or a scene's
    // "Background Color", which edits its root group): the colour chooser opens with the
    // row's colour, and a chosen one is committed as typed text, with its undo record.
    // Returns false when the row has no colour button or the chooser was cancelled.
    bool PressColourButton(APStyleProject& project, ProjectTree& tree, int row);

private:
    void FillElement();
    void FillScene();
    void FillProject();
    bool CommitElement(APStyleProject& project, ProjectTree& tree, int row, int column,
                       const std::string& text);
    bool CommitScene(APStyleProject& project, ProjectTree& tree, int row, const std::string& text);
    bool CommitProject(ProjectTree& tree, int row, const std::string& text);

    Page m_page = Page::None;
    SnapShotItem* m_element = nullptr;
    Snapshot* m_scene = nullptr;
    APStyleProject* m_project = nullptr;
    std::vector<GridRow> m_rows;
};

} // namespace editing
