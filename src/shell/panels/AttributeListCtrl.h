#pragma once

#include "editing/PropertyGrid.h"

#include <QTableView>

class APStyleProject;
class AttributeGridModel;
class NetEditCtrl;
class QComboBox;
class QPushButton;

namespace editing {
class Workspace;
}

// The property grid in its docking bar: a table of label, value and button columns
// over the workspace's grid. A click (or Enter, F2) on a value or button cell begins
// the in-place edit with the control of the cell's type: the edit box, a drop-down
// list of the cell's items, or the "Browse.." button. There is at most one of each,
// reused for every edit. The edit ends with Enter, Up or Down (which move it to the
// row above or below), a click elsewhere in the grid, or the focus going outside the
// grid; its text is committed through the core, with its undo record.
class AttributeListCtrl : public QTableView
{
    Q_OBJECT

public:
    // `ws` must outlive the widget.
    AttributeListCtrl(editing::Workspace& ws, QWidget* parent = nullptr);
    ~AttributeListCtrl() override;

    AttributeGridModel* gridModel() const { return m_model; }

    // Ends any edit in progress, then opens the control of (row, column) over the cell
    // with the cell's text and gives it the focus. Nothing opens for a read-only cell.
    void beginEdit(int row, int column);
    // Ends the edit in progress and commits the control's text (a button commits
    // nothing). Returns false when nothing was committed.
    bool endEdit();
    // Ends the edit in progress without committing.
    void cancelEdit();

    // The string selection behind the string id buttons (a picture's "StringID" and the
    // project's "name strId"). While none is set those buttons are shown disabled.
    void setStringChooser(editing::StringChooser chooser);

    // The in-place controls, for the window's own wiring and for tests. Owned by the
    // grid; hidden while not in use.
    NetEditCtrl* editBox() const { return m_edit; }
    QComboBox* dropDown() const { return m_combo; }
    QPushButton* browseButton() const { return m_button; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Widens `column` to its texts, to at least `minimumWidth`.
    void fitColumn(int column, int minimumWidth);
    void moveEdit(int delta);
    void pressButton();
    void hideControls();
    void placeControls();
    void onFocusChanged(QWidget* old, QWidget* now);
    bool ownsWidget(const QWidget* widget) const;
    APStyleProject* commitProject() const;

    editing::Workspace& m_ws;
    AttributeGridModel* m_model;
    NetEditCtrl* m_edit;
    QComboBox* m_combo;
    QPushButton* m_button;
    QWidget* m_active = nullptr;
    bool m_ending = false;
};
