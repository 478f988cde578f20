#include "shell/dialogs/BudgetReportDlg.h"

#include "generate/BuildSummary.h"
#include "shell/dialogs/BudgetChart.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <cmath>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidgetItem* textCell(const std::string& text)
{
    auto* cell = new QTableWidgetItem(QString::fromStdString(text));
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cell;
}

// Numbers sort as numbers.
QTableWidgetItem* numberCell(const QVariant& value)
{
    auto* cell = new QTableWidgetItem;
    cell->setData(Qt::DisplayRole, value);
    cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cell;
}

QString summaryText(const generate::BudgetReport& report)
{
    QString text = QCoreApplication::translate(
                       "BudgetReportDlg", "%1 个输出文件，共 %2；图片 %3 张 %4，字符串 %5 条 %6")
                       .arg(report.files.size())
                       .arg(QString::fromStdString(generate::ByteSizeText(report.TotalFileBytes())))
                       .arg(report.pictures.size())
                       .arg(QString::fromStdString(generate::ByteSizeText(report.PictureBytes())))
                       .arg(report.strings.size())
                       .arg(QString::fromStdString(generate::ByteSizeText(report.StringBytes())));
    if (report.scratchBuild) {
        text += QCoreApplication::translate("BudgetReportDlg",
                                            "（输出文件不是最新的，已在临时目录中生成）");
    }
    return text;
}

QString wasteText(const generate::BudgetReport& report)
{
    QStringList unused;
    for (const auto& picture : report.unused) {
        unused << QString::fromStdString(picture.name);
    }
    QStringList oversized;
    for (const std::size_t index : report.oversized) {
        oversized << QString::fromStdString(report.pictures[index].name);
    }
    // One arg() for all three: a picture's name may itself hold a "%2".
    const QString none = QCoreApplication::translate("BudgetReportDlg", "无");
    return QCoreApplication::translate(
               "BudgetReportDlg",
               "未被场景使用的图片：%1\n内容相同的图片：%2 组\n大于屏幕的图片：%3")
        .arg(unused.isEmpty() ? none : unused.join(QStringLiteral(", ")),
             QString::number(report.identical.size()),
             oversized.isEmpty() ? none : oversized.join(QStringLiteral(", ")));
}

} // namespace

BudgetReportDlg::BudgetReportDlg(const generate::BudgetReport& report, QWidget* parent)
    : QDialog(parent), m_summary(new QLabel(summaryText(report), this)),
      m_table(new QTableWidget(this)), m_chart(new BudgetChart(report.largest, this)),
      m_waste(new QLabel(wasteText(report), this)), m_close(new QPushButton(tr("关闭"), this))
{
    setWindowTitle(tr("资源空间报告"));
    setAccessibleName(windowTitle());
    m_summary->setAccessibleName(tr("概要"));
    m_summary->setWordWrap(true);
    m_table->setAccessibleName(tr("图片和字符串"));
    m_chart->setAccessibleName(tr("最大的资源"));
    m_waste->setAccessibleName(tr("浪费"));
    m_close->setAccessibleName(m_close->text());
    fillTable(report);

    auto* chartArea = new QScrollArea(this);
    chartArea->setAccessibleName(tr("图表"));
    chartArea->setWidget(m_chart);
    chartArea->setWidgetResizable(true);
    chartArea->setMinimumHeight(160);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 3);
    layout->addWidget(chartArea, 2);
    layout->addWidget(m_waste);
    layout->addWidget(m_close, 0, Qt::AlignRight);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    resize(760, 600);
}

void BudgetReportDlg::fillTable(const generate::BudgetReport& report)
{
    m_table->setColumnCount(kColumns);
    m_table->setHorizontalHeaderLabels({tr("名称"), tr("类型"), tr("存储字节"), tr("原始字节"),
                                        tr("格式"), tr("压缩"), tr("压缩比")});
    m_table->setRowCount(static_cast<int>(report.pictures.size() + report.strings.size()));
    int row = 0;
    for (const auto& picture : report.pictures) {
        m_table->setItem(row, kName, textCell(picture.name));
        m_table->setItem(row, kKind, textCell(tr("图片").toStdString()));
        m_table->setItem(row, kStored,
                         numberCell(QVariant::fromValue<qulonglong>(picture.storedBytes)));
        m_table->setItem(row, kRaw, numberCell(QVariant::fromValue<qulonglong>(picture.rawBytes)));
        m_table->setItem(row, kFormat, textCell(picture.format));
        m_table->setItem(row, kCompression, textCell(picture.compression));
        m_table->setItem(row, kRatio, numberCell(std::round(picture.ratio() * 100) / 100));
        ++row;
    }
    for (const auto& text : report.strings) {
        m_table->setItem(row, kName, textCell(text.identifier));
        m_table->setItem(row, kKind, textCell(tr("字符串").toStdString()));
        m_table->setItem(row, kStored, numberCell(QVariant::fromValue<qulonglong>(text.bytes)));
        ++row;
    }
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(kStored, Qt::DescendingOrder);
    m_table->horizontalHeader()->setSectionResizeMode(kName, QHeaderView::Stretch);
    m_table->verticalHeader()->setVisible(false);
    m_table->horizontalHeader()->setAccessibleName(tr("列标题"));
    m_table->verticalHeader()->setAccessibleName(tr("行标题"));
}
