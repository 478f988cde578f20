#include "shell/panels/AttributeListCtrl.h"

#include "editing/GridButtons.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "shell/panels/AttributeGridModel.h"
#include "shell/panels/NetEditCtrl.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScopedValueRollback>

using editing::PropertyGrid;

AttributeListCtrl::AttributeListCtrl(editing::Workspace& ws, QWidget* parent)
    : QTableView(parent), m_ws(ws), m_model(new AttributeGridModel(ws.Grid(), this)),
      m_edit(new NetEditCtrl(viewport())), m_combo(new QComboBox(viewport())),
      m_button(new QPushButton(tr("Browse.."), viewport()))
{
    setObjectName(QStringLiteral("AttributeListCtrl"));
    setAccessibleName(tr("属性"));
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setAccessibleName(tr("属性列"));
    horizontalHeader()->setStretchLastSection(false);
    setColumnWidth(AttributeGridModel::kLabelColumn, 100);
    setColumnWidth(AttributeGridModel::kValueColumn, 180);
    setColumnWidth(AttributeGridModel::kButtonColumn, 80);
    // The value takes the room a wider dock gives; labels and buttons keep their widths
    // unless a text needs more.
    horizontalHeader()->setSectionResizeMode(AttributeGridModel::kValueColumn,
                                             QHeaderView::Stretch);

    m_combo->setObjectName(QStringLiteral("AttributeDropDown"));
    m_combo->setAccessibleName(tr("值"));
    m_button->setObjectName(QStringLiteral("AttributeBrowseButton"));
    m_button->setAccessibleName(tr("Browse.."));
    for (QWidget* control : {static_cast<QWidget*>(m_edit), static_cast<QWidget*>(m_combo),
                             static_cast<QWidget*>(m_button)}) {
        control->hide();
    }

    connect(m_edit, &NetEditCtrl::commitRequested, this, [this] { endEdit(); });
    connect(m_edit, &NetEditCtrl::moveRequested, this, &AttributeListCtrl::moveEdit);
    connect(m_edit, &NetEditCtrl::cancelRequested, this, &AttributeListCtrl::cancelEdit);
    connect(m_combo, qOverload<int>(&QComboBox::activated), this, [this] { endEdit(); });
    connect(m_button, &QPushButton::clicked, this, &AttributeListCtrl::pressButton);
    // A new page in the core ends its edit; the control goes with it.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        if (!m_ending && !m_ws.Grid().Editing()) {
            hideControls();
        }
        fitColumn(AttributeGridModel::kLabelColumn, 100);
        fitColumn(AttributeGridModel::kButtonColumn, 80);
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            &AttributeListCtrl::placeControls);
    connect(qApp, &QApplication::focusChanged, this, &AttributeListCtrl::onFocusChanged);
}

AttributeListCtrl::~AttributeListCtrl()
{
    disconnect(qApp, &QApplication::focusChanged, this, &AttributeListCtrl::onFocusChanged);
}

void AttributeListCtrl::setStringChooser(editing::StringChooser chooser)
{
    m_ws.Grid().SetStringChooser(std::move(chooser));
    if (m_active == m_button) {
        m_button->setEnabled(editing::gridbutton::Available(m_ws.Grid(), m_ws.Grid().EditRow()));
    }
}

APStyleProject* AttributeListCtrl::commitProject() const
{
    const PropertyGrid& grid = m_ws.Grid();
    return grid.Shown() == PropertyGrid::Page::Project ? grid.Project() : m_ws.CurrentProject();
}

void AttributeListCtrl::beginEdit(int row, int column)
{
    endEdit();
    PropertyGrid& grid = m_ws.Grid();
    const std::uint32_t type = grid.BeginEdit(row, column);
    if (type == 0) {
        return;
    }
    const GridRow& cell = grid.Rows()[static_cast<std::size_t>(row)];
    const QString text = QString::fromStdString(column == 1 ? cell.value : cell.button);
    if (type == PropertyGrid::kCellEdit) {
        m_edit->setText(text);
        m_edit->selectAll();
        m_active = m_edit;
    } else if (type == PropertyGrid::kCellDropList || type == PropertyGrid::kCellEditCombo) {
        const QSignalBlocker quiet(m_combo);
        m_combo->clear();
        for (const std::string& item : grid.DropDownItems(row, column)) {
            m_combo->addItem(QString::fromStdString(item));
        }
        m_combo->setEditable(type == PropertyGrid::kCellEditCombo);
        const int current = m_combo->findText(text);
        if (current >= 0) {
            m_combo->setCurrentIndex(current);
        } else {
            m_combo->setEditText(text);
        }
        m_active = m_combo;
    } else {
        const bool available = editing::gridbutton::Available(grid, row);
        m_button->setEnabled(available);
        m_button->setToolTip(available ? QString() : tr("字符串选择尚不可用"));
        m_active = m_button;
    }
    placeControls();
    m_active->show();
    m_active->raise();
    m_active->setFocus(Qt::OtherFocusReason);
}

bool AttributeListCtrl::endEdit()
{
    PropertyGrid& grid = m_ws.Grid();
    if (m_ending) {
        return false;
    }
    if (!grid.Editing()) {
        hideControls();
        return false;
    }
    // Hiding the focused control moves the focus, which must not end the edit twice.
    const QScopedValueRollback<bool> ending(m_ending, true);
    QWidget* active = m_active;
    const std::string text = active == m_edit    ? m_edit->text().toStdString()
                             : active == m_combo ? m_combo->currentText().toStdString()
                                                 : std::string();
    hideControls();
    APStyleProject* project = commitProject();
    if (active == m_button || !active || !project) {
        grid.CancelEdit();
        return false;
    }
    return grid.EndEdit(*project, m_ws.Tree(), text);
}

void AttributeListCtrl::cancelEdit()
{
    const QScopedValueRollback<bool> ending(m_ending, true);
    m_ws.Grid().CancelEdit();
    hideControls();
}

void AttributeListCtrl::moveEdit(int delta)
{
    PropertyGrid& grid = m_ws.Grid();
    const int target = grid.EditNeighbour(delta);
    if (target < 0) {
        return;
    }
    const int column = grid.EditColumn();
    endEdit();
    if (target < m_model->rowCount()) {
        setCurrentIndex(m_model->index(target, column));
        beginEdit(target, column);
    }
}

void AttributeListCtrl::pressButton()
{
    PropertyGrid& grid = m_ws.Grid();
    const int row = grid.EditRow();
    cancelEdit();
    if (row >= 0) {
        editing::gridbutton::Press(m_ws, row);
    }
}

void AttributeListCtrl::hideControls()
{
    QWidget* active = m_active;
    m_active = nullptr;
    if (active) {
        // Only a control that holds the focus now hands it back to the grid: when the
        // focus went elsewhere, it stays there.
        QWidget* focused = QApplication::focusWidget();
        const bool hadFocus = focused && (focused == active || active->isAncestorOf(focused));
        active->hide();
        if (hadFocus) {
            setFocus(Qt::OtherFocusReason);
        }
    }
}

void AttributeListCtrl::placeControls()
{
    const PropertyGrid& grid = m_ws.Grid();
    if (!m_active || !grid.Editing()) {
        return;
    }
    const QRect cell = visualRect(m_model->index(grid.EditRow(), grid.EditColumn()));
    if (m_active == m_edit) {
        m_edit->placeOver(cell, viewport()->width() - cell.left());
    } else {
        m_active->setGeometry(cell);
    }
}

void AttributeListCtrl::mousePressEvent(QMouseEvent* event)
{
    QTableView::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) {
        endEdit();
        return;
    }
    beginEdit(index.row(), index.column());
}

void AttributeListCtrl::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex index = currentIndex();
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
         event->key() == Qt::Key_F2) &&
        index.isValid()) {
        const int column = index.column() == AttributeGridModel::kLabelColumn ? 1 : index.column();
        beginEdit(index.row(), column);
        return;
    }
    QTableView::keyPressEvent(event);
}

void AttributeListCtrl::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    placeControls();
}

void AttributeListCtrl::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    placeControls();
}

bool AttributeListCtrl::ownsWidget(const QWidget* widget) const
{
    if (widget == this || isAncestorOf(widget)) {
        return true;
    }
    // The drop-down's list opens in a window of its own.
    return m_combo->view() && widget->window() == m_combo->view()->window();
}

void AttributeListCtrl::onFocusChanged(QWidget*, QWidget* now)
{
    if (now && !m_ending && m_ws.Grid().Editing() && !ownsWidget(now)) {
        endEdit();
    }
}

void AttributeListCtrl::fitColumn(int column, int minimumWidth)
{
    setColumnWidth(column, std::max(minimumWidth, sizeHintForColumn(column)));
}
