#pragma once

#include "editing/TextCheckRows.h"

#include <QAbstractTableModel>

// The text check's rows for a table view (editing::TextCheckRows), sortable by any column.
class TextCheckModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TextCheckModel(const editing::TextCheckRows& rows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The rows were replaced by another check's.
    void reload();

private:
    const editing::TextCheckRows& m_rows;
};
