#pragma once

#include "generate/BudgetReport.h"

#include <QWidget>

#include <vector>

// A bar chart of the budget report's largest items: one horizontal bar per item, its length
// proportional to its bytes, pictures and strings in two colours.
class BudgetChart : public QWidget
{
    Q_OBJECT

public:
    explicit BudgetChart(std::vector<generate::BudgetReport::Item> items,
                         QWidget* parent = nullptr);

    QSize sizeHint() const override;
    const std::vector<generate::BudgetReport::Item>& items() const { return m_items; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<generate::BudgetReport::Item> m_items;
};
