#include "shell/panels/ResourceTableModel.h"

#include <QColor>

ResourceTableModel::ResourceTableModel(editing::ResourcePanel& panel, QObject* parent)
    : QAbstractTableModel(parent), m_panel(panel), m_rows(panel.RowCount())
{
    m_panel.SetObserver(this);
}

ResourceTableModel::~ResourceTableModel()
{
    m_panel.SetObserver(nullptr);
}

int ResourceTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ResourceTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_panel.Columns().size());
}

QVariant ResourceTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return QString::fromStdString(m_panel.CellText(index.row(), index.column()));
    case Qt::ForegroundRole:
        if (m_panel.IsMissing(index.row())) {
            return QColor(Qt::red);
        }
        return {};
    default:
        return {};
    }
}

QVariant ResourceTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(m_panel.Columns().size())) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        return QString::fromStdString(m_panel.Columns()[static_cast<std::size_t>(section)]);
    }
    return {};
}

void ResourceTableModel::onPanelReset()
{
    beginResetModel();
    m_rows = m_panel.RowCount();
    endResetModel();
    emit columnsReset();
}

void ResourceTableModel::onRowsAppended(int first, int count)
{
    if (count <= 0) {
        return;
    }
    beginInsertRows({}, first, first + count - 1);
    m_rows = m_panel.RowCount();
    endInsertRows();
}
