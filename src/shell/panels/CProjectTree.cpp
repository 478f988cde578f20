#include "shell/panels/CProjectTree.h"

#include "editing/CommandIds.h"
#include "editing/CommandTable.h"
#include "editing/TreeContextMenu.h"
#include "editing/Workspace.h"
#include "shell/dialogs/DlgSearch.h"
#include "shell/panels/ProjectTreeModel.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>

using editing::TreeNode;

CProjectTree::CProjectTree(editing::Workspace& ws, editing::CommandTable& table, QWidget* parent)
    : QTreeView(parent), m_ws(ws), m_table(table), m_model(new ProjectTreeModel(ws, this))
{
    setObjectName(QStringLiteral("projectTree"));
    setAccessibleName(tr("资源"));
    setHeaderHidden(true);
    setIconSize(QSize(20, 20));
    // Every row has the same height: the view then lays out long lists without asking
    // for each row's size.
    setUniformRowHeights(true);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setModel(m_model);

    connect(m_model, &ProjectTreeModel::caretChanged, this, &CProjectTree::onCaretChanged);
    connect(m_model, &ProjectTreeModel::selectedStateChanged, this,
            &CProjectTree::onSelectedStateChanged);
    connect(m_model, &ProjectTreeModel::expansionChanged, this, &CProjectTree::onExpansionChanged);
    connect(m_model, &ProjectTreeModel::treeReset, this, &CProjectTree::applyExpansion);
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        m_ws.Tree().SetExpanded(m_model->nodeOf(index), true);
    });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        m_ws.Tree().SetExpanded(m_model->nodeOf(index), false);
    });
    m_table.SetHandler(editing::cmd::kSearch, [this](editing::Workspace&) { showSearchDialog(); });
    applyExpansion();
    onCaretChanged(m_model->indexOf(m_ws.Tree().Caret()));
}

CProjectTree::~CProjectTree()
{
    m_table.SetHandler(editing::cmd::kSearch, {});
}

void CProjectTree::applyExpansion()
{
    for (TreeNode* node : m_ws.Tree().AllNodes()) {
        if (node->expanded && !node->children.empty()) {
            setExpanded(m_model->indexOf(node), true);
        }
    }
}

void CProjectTree::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeView::currentChanged(current, previous);
    if (m_model->isChangingStructure()) {
        return;
    }
    if (TreeNode* node = m_model->nodeOf(current)) {
        m_movingCaret = true;
        m_ws.Tree().SetCaret(node);
        m_movingCaret = false;
    }
}

void CProjectTree::selectionChanged(const QItemSelection& selected,
                                    const QItemSelection& deselected)
{
    QTreeView::selectionChanged(selected, deselected);
    if (m_model->isChangingStructure()) {
        return;
    }
    for (const QModelIndex& index : deselected.indexes()) {
        m_ws.Tree().SetSelected(m_model->nodeOf(index), false);
    }
    for (const QModelIndex& index : selected.indexes()) {
        m_ws.Tree().SetSelected(m_model->nodeOf(index), true);
    }
    // A row selected alone without becoming current (the accessibility interface selects
    // that way) is chosen as a click chooses it: it becomes the caret.
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.size() == 1 && rows.front() != currentIndex()) {
        selectionModel()->setCurrentIndex(rows.front(), QItemSelectionModel::NoUpdate);
    }
}

void CProjectTree::onCaretChanged(const QModelIndex& caret)
{
    if (m_movingCaret || !selectionModel()) {
        return;
    }
    if (!caret.isValid()) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    // The core moved the caret (a command, the search, a message): as a click does, the
    // node becomes the current and only selected one.
    selectionModel()->setCurrentIndex(caret, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(caret);
}

void CProjectTree::onSelectedStateChanged(const QModelIndex& index, bool selected)
{
    if (!index.isValid() || !selectionModel() || selectionModel()->isSelected(index) == selected) {
        return;
    }
    selectionModel()->select(
        index, (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                   QItemSelectionModel::Rows);
}

void CProjectTree::onExpansionChanged(const QModelIndex& index, bool expanded)
{
    if (index.isValid() && isExpanded(index) != expanded) {
        setExpanded(index, expanded);
    }
}

QMenu* CProjectTree::createContextMenu(const QModelIndex& index, QWidget* parent)
{
    TreeNode* node = m_model->nodeOf(index);
    if (!node) {
        return nullptr;
    }
    const auto items = editing::TreeContextMenu::Open(m_ws, m_table, node);
    if (items.items.empty()) {
        return nullptr;
    }
    auto* menu = new QMenu(QString::fromStdString(items.title), parent);
    menu->setAccessibleName(menu->title());
    for (const auto& item : items.items) {
        QAction* action = menu->addAction(QString::fromStdString(item.text));
        action->setData(item.id);
        action->setEnabled(item.enabled);
    }
    return menu;
}

bool CProjectTree::runCommand(int id)
{
    const bool ran = m_table.Run(m_ws, id) == editing::CommandTable::Result::Ran;
    if (ran) {
        emit commandRan(id);
    }
    return ran;
}

void CProjectTree::contextMenuEvent(QContextMenuEvent* event)
{
    const QModelIndex index = indexAt(event->pos());
    QMenu* menu = createContextMenu(index, this);
    if (!menu) {
        return;
    }
    QAction* chosen = menu->exec(event->globalPos());
    const int id = chosen ? chosen->data().toInt() : 0;
    menu->deleteLater();
    if (id) {
        runCommand(id);
    }
}

void CProjectTree::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        // The Delete key deletes the selected nodes and keeps quiet about refusals.
        if (m_table.RunQuietly(m_ws, editing::cmd::kDeleteSelected) ==
            editing::CommandTable::Result::Ran) {
            emit commandRan(editing::cmd::kDeleteSelected);
        }
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void CProjectTree::showSearchDialog()
{
    DlgSearch dialog(m_ws.Search(), this);
    dialog.exec();
}

QPixmap CProjectTree::dragPixmap(const QModelIndex& index) const
{
    const QString label = index.data(Qt::DisplayRole).toString();
    const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
    const QFontMetrics metrics(font());
    const qreal ratio = devicePixelRatioF();
    const QSize size(24 + metrics.horizontalAdvance(label) + 6, qMax(22, metrics.height() + 4));
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setOpacity(0.8);
    painter.fillRect(QRect(QPoint(0, 0), size), palette().color(QPalette::Base));
    icon.paint(&painter, QRect(2, (size.height() - 20) / 2, 20, 20));
    painter.setPen(palette().color(QPalette::Text));
    painter.setFont(font());
    painter.drawText(QRect(24, 0, size.width() - 24, size.height()), Qt::AlignVCenter, label);
    return pixmap;
}

QPixmap CProjectTree::dragCursor(bool copy)
{
    // The west-east sizing arrow over a place that takes the drop; a copy carries a plus.
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(1, 10);
    arrow.lineTo(7, 4);
    arrow.lineTo(7, 8);
    arrow.lineTo(13, 8);
    arrow.lineTo(13, 4);
    arrow.lineTo(19, 10);
    arrow.lineTo(13, 16);
    arrow.lineTo(13, 12);
    arrow.lineTo(7, 12);
    arrow.lineTo(7, 16);
    arrow.closeSubpath();
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(Qt::black);
    painter.drawPath(arrow);
    if (copy) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(14.5, 17.5, 11, 11));
        painter.setPen(QPen(Qt::black, 2));
        painter.drawLine(QPointF(20, 19.5), QPointF(20, 26.5));
        painter.drawLine(QPointF(16.5, 23), QPointF(23.5, 23));
    }
    return pixmap;
}

void CProjectTree::startDrag(Qt::DropActions)
{
    const QModelIndex index = currentIndex();
    const TreeNode* node = m_model->nodeOf(index);
    if (!node || !(m_model->flags(index) & Qt::ItemIsDragEnabled)) {
        return;
    }
    const bool ctrl = QGuiApplication::keyboardModifiers() & Qt::ControlModifier;
    m_model->beginDrag(index, ctrl);
    auto* drag = new QDrag(this);
    drag->setMimeData(m_model->mimeData({index}));
    drag->setPixmap(dragPixmap(index));
    drag->setHotSpot(QPoint(10, 10));
    drag->setDragCursor(dragCursor(false), Qt::MoveAction);
    drag->setDragCursor(dragCursor(true), Qt::CopyAction);
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    // The drop, if any, has been done by dropEvent through the core; whatever the drag
    // ended with, no row is removed here.
    m_model->cancelDrag();
}

void CProjectTree::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() == this && m_model->isDragging()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void CProjectTree::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->source() != this || !m_model->isDragging()) {
        event->ignore();
        return;
    }
    const QPoint pos = event->position().toPoint();
    const int margin = autoScrollMargin();
    const QRect area = viewport()->rect();
    if (pos.y() < area.top() + margin || pos.y() > area.bottom() - margin) {
        startAutoScroll();
    }
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (m_model->dragOver(indexAt(pos), ctrl)) {
        event->setDropAction(m_model->copyFlag() ? Qt::CopyAction : Qt::MoveAction);
        event->accept();
    } else {
        // Ignored: the "no" cursor.
        event->ignore();
    }
}

void CProjectTree::dragLeaveEvent(QDragLeaveEvent* event)
{
    if (m_model->isDragging()) {
        m_model->dragOver(QModelIndex(), false);
    }
    stopAutoScroll();
    event->accept();
}

void CProjectTree::dropEvent(QDropEvent* event)
{
    stopAutoScroll();
    if (event->source() != this || !m_model->isDragging()) {
        event->ignore();
        return;
    }
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (m_model->dragOver(indexAt(event->position().toPoint()), ctrl)) {
        const Qt::DropAction action = m_model->copyFlag() ? Qt::CopyAction : Qt::MoveAction;
        if (m_model->drop()) {
            event->setDropAction(action);
            event->accept();
            return;
        }
    }
    event->ignore();
}
