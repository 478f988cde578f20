#include "shell/panels/AttributeGridModel.h"

#include "model/APStyleProject.h"
#include "model/SnapShotItem.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>

AttributeGridModel::AttributeGridModel(editing::PropertyGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), m_grid(grid)
{
    m_grid.AddObserver(this);
}

AttributeGridModel::~AttributeGridModel()
{
    m_grid.RemoveObserver(this);
}

int AttributeGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_grid.Rows().size());
}

int AttributeGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

namespace {

// A square of the colour with an outline, so that white shows on a white cell too.
QPixmap swatch(const QColor& colour)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    return pixmap;
}

} // namespace

QVariant AttributeGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const GridRow& row = m_grid.Rows()[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole: {
        const std::string& text = index.column() == kLabelColumn   ? row.label
                                  : index.column() == kValueColumn ? row.value
                                                                   : row.button;
        return QString::fromStdString(text);
    }
    case Qt::ToolTipRole:
        // An element's row explains itself (a picture's path row gives the path).
        if (m_grid.Shown() == editing::PropertyGrid::Page::Element && m_grid.Element()) {
            return QString::fromStdString(
                m_grid.Element()->RowDescription(index.row(), index.column()));
        }
        return {};
    case Qt::DecorationRole:
        if (index.column() == kValueColumn) {
            if (const std::optional<std::uint32_t> colour = m_grid.RowColour(index.row())) {
                return swatch(
                    QColor(*colour & 0xFF, (*colour >> 8) & 0xFF, (*colour >> 16) & 0xFF));
            }
        }
        return {};
    case CellTypeRole:
        return index.column() == kLabelColumn
                   ? static_cast<uint>(editing::PropertyGrid::kCellReadOnly)
                   : static_cast<uint>(m_grid.CellType(index.row(), index.column()));
    default:
        return {};
    }
}

QVariant AttributeGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) {
        return {};
    }
    switch (section) {
    case kLabelColumn:
        return tr("属性");
    case kValueColumn:
        return tr("值");
    case kButtonColumn:
        return QStringLiteral(" ");
    default:
        return {};
    }
}

Qt::ItemFlags AttributeGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void AttributeGridModel::GridReset()
{
    // The core has changed already; a view asks for nothing between the two calls.
    beginResetModel();
    endResetModel();
}

void AttributeGridModel::GridRowChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}
