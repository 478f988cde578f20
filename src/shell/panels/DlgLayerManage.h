#pragma once

#include "editing/LayerList.h"

#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class QTreeView;

namespace editing {
class Workspace;
}

class LayerListModel;

// The layer manager: the frames of the picture the workspace shows, one row per frame
// with its index ("Layer") and its picture's name, a check per row that "全选" and
// "反选" set, and the checked frames (or the current one) drawn in the preview "预览".
class DlgLayerManage : public QWidget
{
    Q_OBJECT

public:
    // `ws` must outlive the widget.
    DlgLayerManage(editing::Workspace& ws, QWidget* parent = nullptr);
    ~DlgLayerManage() override;

    editing::LayerList& layers() { return *m_layers; }
    QTreeView* list() const { return m_list; }
    QPushButton* selectAllButton() const { return m_selectAll; }
    QPushButton* invertButton() const { return m_invert; }
    QLabel* preview() const { return m_preview; }

private:
    void updatePreview();

    std::unique_ptr<editing::LayerList> m_layers;
    LayerListModel* m_model;
    QTreeView* m_list;
    QPushButton* m_selectAll;
    QPushButton* m_invert;
    QLabel* m_preview;
};
