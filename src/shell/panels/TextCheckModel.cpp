#include "shell/panels/TextCheckModel.h"

#include <QColor>

TextCheckModel::TextCheckModel(const editing::TextCheckRows& rows, QObject* parent)
    : QAbstractTableModel(parent), m_rows(rows)
{
}

int TextCheckModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.Rows().size());
}

int TextCheckModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : editing::TextCheckRows::kColumns;
}

QVariant TextCheckModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const editing::TextCheckRows::Row& row = m_rows.Rows()[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return QString::fromStdString(row.cells[index.column()]);
    case Qt::ForegroundRole:
        if (index.column() == editing::TextCheckRows::kProblem && row.element) {
            return QColor(0xC0, 0x00, 0x00);
        }
        return {};
    default:
        return {};
    }
}

QVariant TextCheckModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    return QString::fromStdString(editing::TextCheckRows::ColumnTitle(section));
}

void TextCheckModel::reload()
{
    beginResetModel();
    endResetModel();
}
