#pragma once

#include "editing/LayerList.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QPixmap>

#include <map>

// The layer list as a Qt table: "Layer" (the frame index, with a 16 × 16 icon and the
// row's check) and the frame's picture name. Updated by the core list's notifications.
// Checking a row through the view checks it in the core.
class LayerListModel : public QAbstractTableModel, private editing::LayerList::Observer
{
    Q_OBJECT

public:
    // `layers` must outlive the model.
    explicit LayerListModel(editing::LayerList& layers, QObject* parent = nullptr);
    ~LayerListModel() override;

    // The frame's picture scaled to fit `size` (a null pixmap for a frame without a
    // readable picture). Decoded once per path.
    QPixmap thumbnail(int row, const QSize& size);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The checks or the frames changed: the preview draws again.
    void layersChanged();

private:
    void LayersReset() override;
    void LayerChanged(int row) override;
    const QPixmap& picture(const std::string& path);

    editing::LayerList& m_layers;
    QIcon m_frameIcon;
    QIcon m_emptyIcon;
    std::map<std::string, QPixmap> m_pictures;
};
