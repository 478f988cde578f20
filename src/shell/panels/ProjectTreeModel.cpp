#include "shell/panels/ProjectTreeModel.h"

#include "editing/ProjectTree.h"
#include "editing/Workspace.h"

#include <QGuiApplication>
#include <QHash>
#include <QMimeData>
#include <QPalette>

// Resources of a static library are registered by hand: nothing else references them.
static void initTreeIcons()
{
    Q_INIT_RESOURCE(tree);
}

using editing::TreeNode;

namespace {

// The image list of the tree, in its order: the image indexes of the core are indexes here.
constexpr const char* kImageFiles[] = {
    "project",           "scene",   "scene-selected",  "group", "group-open",     "region",
    "region-selected",   "string",  "string-selected", "frame", "frame-selected", "group-locked",
    "group-locked-open", "picture", "picture-selected"};
constexpr int kImageCount = int(sizeof kImageFiles / sizeof kImageFiles[0]);

QString imagePath(int image)
{
    if (image < 0 || image >= kImageCount) {
        image = 0;
    }
    return QStringLiteral(":/icons/tree/%1.svg").arg(QLatin1String(kImageFiles[image]));
}

} // namespace

ProjectTreeModel::ProjectTreeModel(editing::Workspace& ws, QObject* parent)
    : QAbstractItemModel(parent), m_ws(ws), m_tree(ws.Tree()), m_drag(ws)
{
    m_tree.AddObserver(this);
}

ProjectTreeModel::~ProjectTreeModel()
{
    m_tree.RemoveObserver(this);
}

QIcon ProjectTreeModel::icon(int image, int selectedImage)
{
    static bool registered = (initTreeIcons(), true);
    (void)registered;
    static QHash<int, QIcon> cache;
    const int key = image * 100 + selectedImage;
    auto it = cache.find(key);
    if (it == cache.end()) {
        QIcon made;
        made.addFile(imagePath(image), QSize(20, 20), QIcon::Normal);
        made.addFile(imagePath(selectedImage), QSize(20, 20), QIcon::Selected);
        it = cache.insert(key, made);
    }
    return *it;
}

TreeNode* ProjectTreeModel::nodeOf(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<TreeNode*>(index.internalPointer()) : nullptr;
}

QModelIndex ProjectTreeModel::indexOf(const TreeNode* node) const
{
    const int row = m_tree.RowOf(node);
    return row < 0 ? QModelIndex() : createIndex(row, 0, const_cast<TreeNode*>(node));
}

QModelIndex ProjectTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0) {
        return {};
    }
    const TreeNode* node = nodeOf(parent);
    const auto& list = node ? node->children : m_tree.Roots();
    if (static_cast<std::size_t>(row) >= list.size()) {
        return {};
    }
    TreeNode* child = list[static_cast<std::size_t>(row)].get();
    child->rowHint = row;
    return createIndex(row, 0, child);
}

QModelIndex ProjectTreeModel::parent(const QModelIndex& child) const
{
    const TreeNode* node = nodeOf(child);
    return node ? indexOf(node->parent) : QModelIndex();
}

int ProjectTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0) {
        return 0;
    }
    const TreeNode* node = nodeOf(parent);
    return static_cast<int>(node ? node->children.size() : m_tree.Roots().size());
}

int ProjectTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant ProjectTreeModel::data(const QModelIndex& index, int role) const
{
    const TreeNode* node = nodeOf(index);
    if (!node) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return QString::fromStdString(node->label);
    case Qt::DecorationRole:
        return icon(node->image, node->selectedImage);
    case Qt::CheckStateRole:
        if (!m_tree.CheckBoxes()) {
            return {};
        }
        return node->checked ? Qt::Checked : Qt::Unchecked;
    case Qt::BackgroundRole:
        if (node == m_tree.DropHighlight()) {
            QColor colour = QGuiApplication::palette().color(QPalette::Highlight);
            colour.setAlpha(110);
            return colour;
        }
        return {};
    default:
        return {};
    }
}

bool ProjectTreeModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    TreeNode* node = nodeOf(index);
    if (!node || role != Qt::CheckStateRole || !m_tree.CheckBoxes()) {
        return false;
    }
    m_tree.SetChecked(node, value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags ProjectTreeModel::flags(const QModelIndex& index) const
{
    const TreeNode* node = nodeOf(index);
    if (!node) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const auto kind = node->data.kind;
    if (kind != ::TreeNodeData::kProject && kind != ::TreeNodeData::kFrame) {
        result |= Qt::ItemIsDragEnabled;
    }
    if (kind == ::TreeNodeData::kProject || kind == ::TreeNodeData::kScene ||
        kind == ::TreeNodeData::kGroup) {
        result |= Qt::ItemIsDropEnabled;
    }
    if (m_tree.CheckBoxes()) {
        result |= Qt::ItemIsUserCheckable;
    }
    return result;
}

Qt::DropActions ProjectTreeModel::supportedDragActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

Qt::DropActions ProjectTreeModel::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

QStringList ProjectTreeModel::mimeTypes() const
{
    return {QString::fromLatin1(kNodeMimeType)};
}

QMimeData* ProjectTreeModel::mimeData(const QModelIndexList& indexes) const
{
    const TreeNode* node = indexes.isEmpty() ? nullptr : nodeOf(indexes.front());
    if (!node) {
        return nullptr;
    }
    auto* data = new QMimeData;
    // The node and the object it stands for: a later node may take a freed node's address.
    data->setData(QString::fromLatin1(kNodeMimeType),
                  QByteArray::number(reinterpret_cast<quintptr>(node)) + ' ' +
                      QByteArray::number(reinterpret_cast<quintptr>(node->data.Object())));
    data->setText(QString::fromStdString(node->label));
    return data;
}

TreeNode* ProjectTreeModel::nodeFromMime(const QMimeData* data) const
{
    if (!data || !data->hasFormat(QString::fromLatin1(kNodeMimeType))) {
        return nullptr;
    }
    const QList<QByteArray> parts = data->data(QString::fromLatin1(kNodeMimeType)).split(' ');
    bool nodeOk = false;
    bool objectOk = false;
    const quintptr address = parts.value(0).toULongLong(&nodeOk);
    const quintptr object = parts.value(1).toULongLong(&objectOk);
    if (parts.size() != 2 || !nodeOk || !objectOk) {
        return nullptr;
    }
    // Only a node that is still in the tree: the data may outlive the node it names.
    for (TreeNode* node : m_tree.AllNodes()) {
        if (reinterpret_cast<quintptr>(node) == address) {
            return reinterpret_cast<quintptr>(node->data.Object()) == object ? node : nullptr;
        }
    }
    return nullptr;
}

bool ProjectTreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                                       const QModelIndex& parent) const
{
    if (action != Qt::CopyAction && action != Qt::MoveAction) {
        return false;
    }
    return editing::TreeDragDrop::Allowed(nodeFromMime(data), nodeOf(parent));
}

bool ProjectTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                                    const QModelIndex& parent)
{
    TreeNode* dragged = nodeFromMime(data);
    if (!dragged || (action != Qt::CopyAction && action != Qt::MoveAction)) {
        return false;
    }
    const bool copy = action == Qt::CopyAction;
    if (!m_drag.Dragging()) {
        m_drag.Begin(dragged, copy);
    }
    if (!m_drag.Over(nodeOf(parent), copy)) {
        cancelDrag();
        return false;
    }
    return m_drag.Release();
}

void ProjectTreeModel::beginDrag(const QModelIndex& index, bool copy)
{
    if (TreeNode* node = nodeOf(index)) {
        m_drag.Begin(node, copy);
    }
}

bool ProjectTreeModel::dragOver(const QModelIndex& target, bool copy)
{
    return m_drag.Dragging() && m_drag.Over(nodeOf(target), copy);
}

bool ProjectTreeModel::drop()
{
    return m_drag.Dragging() && m_drag.Release();
}

void ProjectTreeModel::cancelDrag()
{
    if (m_drag.Dragging()) {
        // Released over nothing: the drop highlight goes and the caret returns to the node.
        m_drag.Over(nullptr, false);
        m_drag.Release();
    }
}

bool ProjectTreeModel::copyFlag() const
{
    return m_ws.CopyFlag() != 0;
}

void ProjectTreeModel::NodeAboutToBeInserted(TreeNode* parent, int row)
{
    ++m_structureChanges;
    beginInsertRows(indexOf(parent), row, row);
}

void ProjectTreeModel::NodeInserted(TreeNode*)
{
    endInsertRows();
    --m_structureChanges;
}

void ProjectTreeModel::NodeAboutToBeRemoved(TreeNode* node)
{
    ++m_structureChanges;
    const int row = m_tree.RowOf(node);
    beginRemoveRows(indexOf(node->parent), row, row);
}

void ProjectTreeModel::NodeRemoved(TreeNode*, int)
{
    endRemoveRows();
    --m_structureChanges;
}

void ProjectTreeModel::NodeChanged(TreeNode* node, unsigned changes)
{
    if (isChangingStructure()) {
        return; // a node on its way out
    }
    const QModelIndex index = indexOf(node);
    QList<int> roles;
    if (changes & kLabel) {
        roles << Qt::DisplayRole << Qt::EditRole << Qt::AccessibleTextRole << Qt::ToolTipRole;
    }
    if (changes & kImage) {
        roles << Qt::DecorationRole;
    }
    if (changes & kCheck) {
        roles << Qt::CheckStateRole;
    }
    if (!roles.isEmpty()) {
        emit dataChanged(index, index, roles);
    }
    if (changes & kSelected) {
        emit selectedStateChanged(index, node->selected);
    }
    if (changes & kExpanded) {
        emit expansionChanged(index, node->expanded);
    }
}

void ProjectTreeModel::CaretChanged(TreeNode* caret)
{
    emit caretChanged(indexOf(caret));
}

void ProjectTreeModel::DropHighlightChanged(TreeNode* before, TreeNode* now)
{
    for (TreeNode* node : {before, now}) {
        if (const QModelIndex index = indexOf(node); index.isValid()) {
            emit dataChanged(index, index, {Qt::BackgroundRole});
        }
    }
}

void ProjectTreeModel::CheckBoxesChanged(bool)
{
    // The check state and the flags of every node changed; a view asks only for the rows it
    // shows, so one range per parent costs little.
    if (!m_tree.Roots().empty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
    }
    for (TreeNode* node : m_tree.AllNodes()) {
        if (!node->children.empty()) {
            const QModelIndex parent = indexOf(node);
            emit dataChanged(index(0, 0, parent),
                             index(static_cast<int>(node->children.size()) - 1, 0, parent),
                             {Qt::CheckStateRole});
        }
    }
}

void ProjectTreeModel::AboutToReset()
{
    ++m_structureChanges;
    beginResetModel();
}

void ProjectTreeModel::Reset()
{
    endResetModel();
    --m_structureChanges;
    emit treeReset();
}
