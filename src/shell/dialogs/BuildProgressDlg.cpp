#include "shell/dialogs/BuildProgressDlg.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

BuildProgressDlg::BuildProgressDlg(QWidget* parent)
    : QDialog(parent), m_phase(new QLabel(this)), m_bar(new QProgressBar(this)),
      m_percent(new QLabel(this)), m_cancel(new QPushButton(tr("取消"), this))
{
    setObjectName(QStringLiteral("buildProgress"));
    m_phase->setAccessibleName(tr("生成阶段"));
    // Room for the longest phase text in either language.
    m_phase->setMinimumWidth(fontMetrics().averageCharWidth() * 44);
    m_bar->setAccessibleName(tr("生成进度"));
    // The percentage has a label of its own, as the bar's text depends on the style.
    m_bar->setTextVisible(false);
    m_percent->setAccessibleName(tr("百分比"));
    m_percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_percent->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("100%")) + 8);
    m_cancel->setAccessibleName(tr("取消生成"));
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &BuildProgressDlg::reject);

    auto* barRow = new QHBoxLayout;
    barRow->addWidget(m_bar, 1);
    barRow->addWidget(m_percent);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_phase);
    layout->addLayout(barRow);
    layout->addLayout(buttonRow);
    setMinimumWidth(420);
    start(tr("生成资源"), false);
}

void BuildProgressDlg::start(const QString& title, bool cancellable)
{
    setWindowTitle(title);
    setAccessibleName(title);
    m_cancellable = cancellable;
    m_cancelRequested = false;
    m_cancel->setEnabled(cancellable);
    m_cancel->setText(tr("取消"));
    m_phaseText.clear();
    m_itemsTotal = 0;
    m_lower = 0;
    m_upper = 100;
    m_position = 0;
    showPosition();
}

void BuildProgressDlg::setPhase(const QString& text)
{
    m_phaseText = text;
    m_itemsTotal = 0;
    showPosition();
}

void BuildProgressDlg::setItems(int done, int total)
{
    m_itemsDone = done;
    m_itemsTotal = total;
    showPosition();
}

void BuildProgressDlg::setRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper > lower ? upper : lower + 1;
    showPosition();
}

void BuildProgressDlg::setPosition(int position)
{
    m_position = position;
    showPosition();
}

int BuildProgressDlg::percentOf(int lower, int upper, int position)
{
    if (upper <= lower) {
        upper = lower + 1;
    }
    // In 64 bits: a large build times 100 does not fit an int.
    const long long percent = 100LL * (static_cast<long long>(position) - lower) /
                              (static_cast<long long>(upper) - lower);
    return static_cast<int>(std::clamp(percent, 0LL, 100LL));
}

void BuildProgressDlg::showPosition()
{
    m_bar->setRange(m_lower, m_upper);
    m_bar->setValue(std::clamp(m_position, m_lower, m_upper));
    m_percent->setText(QString::asprintf("%d%%", percentOf(m_lower, m_upper, m_position)));
    // Once cancelled, the window says so rather than the phase the work is leaving.
    QString phase = m_phaseText;
    if (m_itemsTotal > 0) {
        phase += QStringLiteral("  %1 / %2").arg(m_itemsDone).arg(m_itemsTotal);
    }
    m_phase->setText(m_cancelRequested ? tr("正在取消...") : phase);
}

void BuildProgressDlg::reject()
{
    if (!m_cancellable || m_cancelRequested) {
        return;
    }
    m_cancelRequested = true;
    m_cancel->setEnabled(false);
    showPosition();
    emit cancelRequested();
}

void BuildProgressDlg::closeEvent(QCloseEvent* event)
{
    // The owner hides the window when the work has ended; a close only asks to stop.
    event->ignore();
    reject();
}
