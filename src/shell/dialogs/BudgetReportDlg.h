#pragma once

#include "generate/BudgetReport.h"

#include <QDialog>

class BudgetChart;
class QLabel;
class QPushButton;
class QTableWidget;

// "资源空间报告": a view of a budget report. A summary line, a sortable table of every packed
// picture and string with its bytes, and a chart of the largest items; the waste below.
class BudgetReportDlg : public QDialog
{
    Q_OBJECT

public:
    enum Column
    {
        kName,
        kKind,
        kStored,
        kRaw,
        kFormat,
        kCompression,
        kRatio,
        kColumns
    };

    explicit BudgetReportDlg(const generate::BudgetReport& report, QWidget* parent = nullptr);

    QLabel* summaryLabel() const { return m_summary; }
    QTableWidget* itemTable() const { return m_table; }
    BudgetChart* chart() const { return m_chart; }
    QLabel* wasteLabel() const { return m_waste; }
    QPushButton* closeButton() const { return m_close; }

private:
    void fillTable(const generate::BudgetReport& report);

    QLabel* m_summary;
    QTableWidget* m_table;
    BudgetChart* m_chart;
    QLabel* m_waste;
    QPushButton* m_close;
};
