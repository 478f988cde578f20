#include "shell/panels/LayerListModel.h"

#include "components/visual/CxImage.h"

#include <QImage>
#include <QPainter>

namespace {

// The two 16 × 16 row icons: a frame with a picture, and one without.
QIcon MakeIcon(bool withPicture)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x50, 0x50, 0x50));
    painter.setBrush(withPicture ? QColor(0x7a, 0xb6, 0xe8) : QColor(Qt::white));
    painter.drawRect(1, 2, 13, 11);
    if (withPicture) {
        painter.setBrush(QColor(0x3c, 0x8c, 0x3c));
        painter.drawPolygon(QPolygon({QPoint(2, 12), QPoint(7, 6), QPoint(13, 12)}));
    } else {
        painter.drawLine(3, 4, 12, 11);
    }
    return QIcon(pixmap);
}

} // namespace

LayerListModel::LayerListModel(editing::LayerList& layers, QObject* parent)
    : QAbstractTableModel(parent), m_layers(layers), m_frameIcon(MakeIcon(true)),
      m_emptyIcon(MakeIcon(false))
{
    m_layers.SetObserver(this);
}

LayerListModel::~LayerListModel()
{
    m_layers.SetObserver(nullptr);
}

int LayerListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_layers.Rows().size());
}

int LayerListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant LayerListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const editing::LayerList::Row& row = m_layers.Rows()[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return QString::fromStdString(index.column() == 0 ? row.label : row.pictureName);
    case Qt::ToolTipRole:
        return QString::fromStdString(row.picturePath);
    case Qt::DecorationRole:
        if (index.column() == 0) {
            return row.picturePath.empty() ? m_emptyIcon : m_frameIcon;
        }
        return {};
    case Qt::CheckStateRole:
        if (index.column() == 0) {
            return row.checked ? Qt::Checked : Qt::Unchecked;
        }
        return {};
    default:
        return {};
    }
}

bool LayerListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole) {
        return false;
    }
    m_layers.SetChecked(index.row(), static_cast<Qt::CheckState>(value.toInt()) == Qt::Checked);
    return true;
}

QVariant LayerListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) {
        return {};
    }
    return section == 0 ? QStringLiteral("Layer") : tr("图片");
}

Qt::ItemFlags LayerListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return index.column() == 0 ? flags | Qt::ItemIsUserCheckable : flags;
}

const QPixmap& LayerListModel::picture(const std::string& path)
{
    auto found = m_pictures.find(path);
    if (found != m_pictures.end()) {
        return found->second;
    }
    QPixmap pixmap;
    CxImage image;
    if (!path.empty() && image.Load(path)) {
        // The decoder keeps RGBA pixels, row by row.
        const QImage rgba(image.GetBits(), image.GetWidth(), image.GetHeight(),
                          image.GetWidth() * 4, QImage::Format_RGBA8888);
        pixmap = QPixmap::fromImage(rgba.copy());
    }
    return m_pictures.emplace(path, pixmap).first->second;
}

QPixmap LayerListModel::thumbnail(int row, const QSize& size)
{
    if (row < 0 || row >= rowCount()) {
        return {};
    }
    const QPixmap& full = picture(m_layers.Rows()[static_cast<std::size_t>(row)].picturePath);
    if (full.isNull()) {
        return {};
    }
    return full.width() <= size.width() && full.height() <= size.height()
               ? full
               : full.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void LayerListModel::LayersReset()
{
    beginResetModel();
    // Pictures may have changed on disk meanwhile; a new list decodes again.
    m_pictures.clear();
    endResetModel();
    emit layersChanged();
}

void LayerListModel::LayerChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    emit layersChanged();
}
