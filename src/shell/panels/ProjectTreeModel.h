#pragma once

#include "editing/TreeDragDrop.h"
#include "editing/TreeObserver.h"

#include <QAbstractItemModel>
#include <QIcon>

namespace editing {
class ProjectTree;
class Workspace;
} // namespace editing

// The item model of the project tree: a thin adapter over editing::ProjectTree. Rows are the
// core's nodes (the internal pointer is the TreeNode), asked for lazily; the core's change
// notifications become row insertions, removals, dataChanged and resets, so nothing is
// rebuilt per edit. Caret, selected state and expansion are view state that the core also
// keeps: the model passes their changes on as signals, which CProjectTree applies.
class ProjectTreeModel : public QAbstractItemModel, private editing::TreeObserver
{
    Q_OBJECT

public:
    static constexpr const char* kNodeMimeType = "application/x-skinsmith-tree-node";

    explicit ProjectTreeModel(editing::Workspace& ws, QObject* parent = nullptr);
    ~ProjectTreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Only the check mark can be set (while check boxes are shown).
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    // The first node of `indexes`, for a drag inside this program. Owned by the caller.
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    // Drops the node of `data` on `parent` (row and column are ignored: a node is always
    // dropped onto another) through the workspace's drop rules; CopyAction is Ctrl held.
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

    // The node of `index` (null for an invalid index); owned by the core tree.
    editing::TreeNode* nodeOf(const QModelIndex& index) const;
    QModelIndex indexOf(const editing::TreeNode* node) const;

    // The view's drag: starts at `index`, moves over targets, drops or is given up.
    void beginDrag(const QModelIndex& index, bool copy);
    // Whether a drop on `target` is allowed now; highlights it. The copy flag that the drop
    // would use is then copyFlag().
    bool dragOver(const QModelIndex& target, bool copy);
    bool drop();
    void cancelDrag();
    bool isDragging() const { return m_drag.Dragging(); }
    bool copyFlag() const;
    // True between the announcement of a row insertion, removal or reset and its end: what
    // the views do to their current index and selection meanwhile is no user's choice.
    bool isChangingStructure() const { return m_structureChanges > 0; }

    // The icon of a node image pair (normal image, selected image), 20 x 20.
    static QIcon icon(int image, int selectedImage);

signals:
    void caretChanged(const QModelIndex& caret);
    void selectedStateChanged(const QModelIndex& index, bool selected);
    void expansionChanged(const QModelIndex& index, bool expanded);
    // The model was filled again: the view applies the nodes' expansion.
    void treeReset();

private:
    void NodeAboutToBeInserted(editing::TreeNode* parent, int row) override;
    void NodeInserted(editing::TreeNode* node) override;
    void NodeAboutToBeRemoved(editing::TreeNode* node) override;
    void NodeRemoved(editing::TreeNode* parent, int row) override;
    void NodeChanged(editing::TreeNode* node, unsigned changes) override;
    void CaretChanged(editing::TreeNode* caret) override;
    void DropHighlightChanged(editing::TreeNode* before, editing::TreeNode* now) override;
    void CheckBoxesChanged(bool shown) override;
    void AboutToReset() override;
    void Reset() override;

    editing::TreeNode* nodeFromMime(const QMimeData* data) const;

    editing::Workspace& m_ws;
    editing::ProjectTree& m_tree;
    editing::TreeDragDrop m_drag;
    int m_structureChanges = 0;
};
