#pragma once

#include "editing/ResourcePanel.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;
class QTextEdit;
class ResourceTableModel;

namespace editing {
class Workspace;
}

// The resource manager panel: the current project's picture or string list (switching
// with the selected element's kind), a filter box, the picture preview with its size,
// and a text box for string texts. A thin view over editing::ResourcePanel.
class DlgResModule : public QWidget
{
    Q_OBJECT

public:
    DlgResModule(editing::Workspace& ws, QWidget* parent = nullptr);
    ~DlgResModule() override;

    editing::ResourcePanel& logic() { return m_logic; }
    QTableView* list() const { return m_view; }
    QLineEdit* filterBox() const { return m_filter; }
    QLabel* previewSize() const { return m_previewSize; }
    QTextEdit* textBox() const { return m_textBox; }
    // Rows of the shown list selected in the view, in list order.
    std::vector<int> selectedRows() const;
    // Puts the selected string rows' texts in the language of the current cell on the
    // clipboard, as plain text and RTF. False when the string list is not shown or no row is
    // selected.
    bool copySelectedStrings();
    // Runs a context-menu command on the current selection (the updates from the resource
    // folders first ask which folders).
    void runCommand(int command);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showContextMenu(const QPoint& position);
    void updateFromResourceDirs(int command);
    void onColumnsReset();
    void onDoubleClicked(const QModelIndex& index);
    void onCurrentChanged(const QModelIndex& current);
    void selectRow(int row);

    editing::ResourcePanel m_logic;
    ResourceTableModel* m_model;
    QSortFilterProxyModel* m_proxy;
    QLineEdit* m_filter;
    QTableView* m_view;
    QLabel* m_preview;
    QLabel* m_previewSize;
    QTextEdit* m_textBox;
};
