#pragma once

#include <QTreeView>

namespace editing {
class CommandTable;
class Workspace;
} // namespace editing

class QMenu;
class ProjectTreeModel;

// The project tree panel: a tree view over ProjectTreeModel. It keeps the view's current
// index, selection and expansion equal to the core tree's caret, selected states and
// expansion in both directions (a keyboard or accessibility move selects everywhere as a
// click does), opens the context menus of the core, drags nodes under the core's drop rules
// and runs the search dialog (command 32854, whose handler it installs).
class CProjectTree : public QTreeView
{
    Q_OBJECT

public:
    CProjectTree(editing::Workspace& ws, editing::CommandTable& table, QWidget* parent = nullptr);
    ~CProjectTree() override;

    ProjectTreeModel* treeModel() const { return m_model; }

    // The context menu of the node at `index` as a right-click opens it (it selects the node
    // first); null when there is no node. Each action's data is its command id. Owned by
    // `parent`.
    QMenu* createContextMenu(const QModelIndex& index, QWidget* parent);
    // Runs a command of a menu through the command table; true when it ran.
    bool runCommand(int id);
    // The modal search dialog over the workspace's tree search.
    void showSearchDialog();

signals:
    // A command of the context menu ran.
    void commandRan(int id);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

private:
    void onCaretChanged(const QModelIndex& caret);
    void onSelectedStateChanged(const QModelIndex& index, bool selected);
    void onExpansionChanged(const QModelIndex& index, bool expanded);
    void applyExpansion();
    QPixmap dragPixmap(const QModelIndex& index) const;
    static QPixmap dragCursor(bool copy);

    editing::Workspace& m_ws;
    editing::CommandTable& m_table;
    ProjectTreeModel* m_model;
    // Set while the view itself moves the caret, so that the echo does not reset the
    // selection the user is extending.
    bool m_movingCaret = false;
};
