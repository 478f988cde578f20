#pragma once

#include "model/GridRow.h"
#include "model/StringRecord.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class APStyleProject;
class Snapshot;
class SnapShotItem;
class StringRegistry;

namespace editing {

class ProjectTree;

// Told what changed in a PropertyGrid, so that a view updates without asking again.
// Hooks are called after the grid's rows have changed.
class PropertyGridObserver
{
public:
    virtual ~PropertyGridObserver() = default;
    // The shown object or the list of rows changed: every row may be different.
    virtual void GridReset() {}
    // The texts or cell types of `row` changed; the list of rows is the same.
    virtual void GridRowChanged(int /*row*/) {}
};

// Opens the string selection over `strings`; returns a copy of the chosen record, or
// nothing when cancelled.
using StringChooser = std::function<std::optional<StringRecord>(const StringRegistry& strings)>;

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

    // Observers are not owned; each must be removed before it goes away.
    void AddObserver(PropertyGridObserver* observer);
    void RemoveObserver(PropertyGridObserver* observer);

    void ShowElement(SnapShotItem* element);
    // Several elements, the first the key element: the rows they all have but the name,
    // empty where their values differ; a committed value goes to every one of them as one
    // undo record. The buttons stay with single elements. One element is ShowElement.
    void ShowElements(const std::vector<SnapShotItem*>& elements);
    // The elements shown besides Element() (none for one element).
    const std::vector<SnapShotItem*>& Others() const { return m_others; }
    void ShowScene(Snapshot* scene);
    void ShowProject(APStyleProject* project);
    void Clear();
    // Fills every cell again from the shown object. The observer hears of each row
    // that changed, or of a reset when the rows are not the same ones.
    void Refresh();

    Page Shown() const { return m_page; }
    SnapShotItem* Element() const { return m_element; }
    Snapshot* Scene() const { return m_scene; }
    APStyleProject* Project() const { return m_project; }
    const std::vector<GridRow>& Rows() const { return m_rows; }
    // The index of the row labelled `label`, or -1.
    int FindRow(const std::string& label) const;
    // The colour (0x00BBGGRR) a colour row shows, for a swatch beside its value; nothing for
    // other rows.
    std::optional<std::uint32_t> RowColour(int row) const;
    // The items of the drop-down of (row, column); empty when the cell has none.
    std::vector<std::string> DropDownItems(int row, int column) const;

    // The cell type of (row, column): kCellReadOnly for a cell outside the grid.
    std::uint32_t CellType(int row, int column) const;

    // The in-place edit: the grid remembers the one cell being edited. BeginEdit takes
    // (row, column) when its cell has a control (edit box, drop-down or button) and
    // returns the cell's type, or 0 (no edit) for a read-only or missing cell.
    std::uint32_t BeginEdit(int row, int column);
    bool Editing() const { return m_editRow >= 0; }
    int EditRow() const { return m_editRow; }
    int EditColumn() const { return m_editColumn; }
    // Ends the edit and commits `text` into its cell (see Commit). Returns Commit's
    // result; false without an edit in progress.
    bool EndEdit(APStyleProject& project, ProjectTree& tree, const std::string& text);
    void CancelEdit() { m_editRow = m_editColumn = -1; }
    // The row `delta` rows from the one being edited, or -1 past the first or last row
    // or without an edit.
    int EditNeighbour(int delta) const;

    // The string selection the string id buttons open. Unset until the dialog exists;
    // the buttons are not offered while it is unset.
    void SetStringChooser(StringChooser chooser) { m_stringChooser = std::move(chooser); }
    const StringChooser& StringChooserHook() const { return m_stringChooser; }

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
    void Reset();
    void Fill();
    void NotifyReset();
    void FillElement();
    void FillScene();
    void FillProject();
    bool CommitElement(APStyleProject& project, ProjectTree& tree, int row, int column,
                       const std::string& text);
    bool CommitScene(APStyleProject& project, ProjectTree& tree, int row, const std::string& text);
    bool CommitProject(ProjectTree& tree, int row, const std::string& text);

    Page m_page = Page::None;
    // The element and its row that colour row `row` shows; null for other rows.
    SnapShotItem* ColourTarget(int row, int& targetRow) const;

    SnapShotItem* m_element = nullptr;
    std::vector<SnapShotItem*> m_others;
    Snapshot* m_scene = nullptr;
    APStyleProject* m_project = nullptr;
    std::vector<GridRow> m_rows;
    std::vector<PropertyGridObserver*> m_observers;
    StringChooser m_stringChooser;
    int m_editRow = -1;
    int m_editColumn = -1;
};

} // namespace editing
