#pragma once

#include "editing/ResourcePanel.h"

#include <QAbstractTableModel>

// The resource panel's shown list as a table model: reads rows from the panel's logic
// on demand and follows its change notifications.
class ResourceTableModel : public QAbstractTableModel, private editing::ResourcePanelObserver
{
    Q_OBJECT

public:
    ResourceTableModel(editing::ResourcePanel& panel, QObject* parent = nullptr);
    ~ResourceTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // The columns changed (another list or other languages).
    void columnsReset();

private:
    void onPanelReset() override;
    void onRowsAppended(int first, int count) override;

    editing::ResourcePanel& m_panel;
    int m_rows = 0;
};
