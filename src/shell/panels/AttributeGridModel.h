#pragma once

#include "editing/PropertyGrid.h"

#include <QAbstractTableModel>

// The property grid as a Qt table: one row per grid row, the columns "属性" (label),
// "值" (value) and " " (button text). Read-only for the views: the grid widget creates
// the in-place controls itself and commits through the core. Updated by the core
// grid's notifications (reset, row changed), never by polling.
class AttributeGridModel : public QAbstractTableModel, private editing::PropertyGridObserver
{
    Q_OBJECT

public:
    enum Column
    {
        kLabelColumn = 0,
        kValueColumn = 1,
        kButtonColumn = 2
    };
    enum Role
    {
        // The core's cell type of the cell (PropertyGrid::CellType), an unsigned int.
        CellTypeRole = Qt::UserRole + 1
    };

    // `grid` must outlive the model.
    explicit AttributeGridModel(editing::PropertyGrid& grid, QObject* parent = nullptr);
    ~AttributeGridModel() override;

    editing::PropertyGrid& grid() { return m_grid; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void GridReset() override;
    void GridRowChanged(int row) override;

    editing::PropertyGrid& m_grid;
};
