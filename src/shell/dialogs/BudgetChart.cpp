#include "shell/dialogs/BudgetChart.h"

#include "generate/BuildSummary.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int kRowHeight = 18;
constexpr int kLabelWidth = 160;

} // namespace

BudgetChart::BudgetChart(std::vector<generate::BudgetReport::Item> items, QWidget* parent)
    : QWidget(parent), m_items(std::move(items))
{
    setMinimumHeight(kRowHeight * static_cast<int>(std::max<std::size_t>(m_items.size(), 1)) + 4);
}

QSize BudgetChart::sizeHint() const
{
    return {kLabelWidth + 400, minimumHeight()};
}

void BudgetChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    std::uint64_t top = 1;
    for (const auto& item : m_items) {
        top = std::max(top, item.bytes);
    }
    const int barSpace = std::max(width() - kLabelWidth - 80, 10);
    int y = 2;
    for (const auto& item : m_items) {
        const QRect label(0, y, kLabelWidth - 6, kRowHeight);
        painter.setPen(palette().text().color());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(QString::fromStdString(item.name),
                                                          Qt::ElideRight, label.width()));
        const int length = std::max(1, static_cast<int>(static_cast<double>(item.bytes) /
                                                        static_cast<double>(top) * barSpace));
        const QColor colour =
            item.kind == "picture" ? QColor(0x4a, 0x7a, 0xb5) : QColor(0xd0, 0x8a, 0x2e);
        painter.fillRect(QRect(kLabelWidth, y + 2, length, kRowHeight - 4), colour);
        painter.drawText(QRect(kLabelWidth + length + 6, y, 80, kRowHeight), Qt::AlignVCenter,
                         QString::fromStdString(generate::ByteSizeText(item.bytes)));
        y += kRowHeight;
    }
}
