#include "shell/surface/RulerWidget.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

// Ticks closer than this many ruler pixels would merge into a grey band.
constexpr double kMinTickGap = 6.0;
// Every this many ticks, a longer one with its number.
constexpr int kTicksPerLabel = 10;

} // namespace

RulerWidget::RulerWidget(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), m_orientation(orientation)
{
    setAccessibleName(orientation == Qt::Horizontal ? tr("水平标尺") : tr("垂直标尺"));
    if (orientation == Qt::Horizontal) {
        setFixedHeight(kThickness);
    } else {
        setFixedWidth(kThickness);
    }
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(orientation == Qt::Horizontal ? Qt::SplitVCursor : Qt::SplitHCursor);
    setToolTip(tr("从标尺拖出参考线"));
}

void RulerWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pulling = true;
    emit guidePulled(event->globalPosition().toPoint());
    event->accept();
}

void RulerWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pulling) {
        emit guideDragged(event->globalPosition().toPoint());
    }
    event->accept();
}

void RulerWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_pulling) {
        m_pulling = false;
        emit guideDropped(event->globalPosition().toPoint());
    }
    event->accept();
}

void RulerWidget::setMapping(int origin, double scale)
{
    if (origin == m_origin && scale == m_scale) {
        return;
    }
    m_origin = origin;
    m_scale = scale > 0 ? scale : 1.0;
    update();
}

void RulerWidget::setMark(int position)
{
    if (position != m_mark) {
        m_mark = position;
        update();
    }
}

int RulerWidget::tickStep(double scale)
{
    for (const int step : {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000}) {
        if (step * scale >= kMinTickGap) {
            return step;
        }
    }
    return 1000;
}

void RulerWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().windowText().color());
    const bool across = m_orientation == Qt::Horizontal;
    const int length = across ? width() : height();
    const int step = tickStep(m_scale);
    // The first tick at or before the ruler's start.
    const int first = static_cast<int>(std::floor(-m_origin / m_scale / step)) * step;
    QFont small = font();
    small.setPixelSize(9);
    painter.setFont(small);
    for (int at = first;; at += step) {
        const int pixel = m_origin + static_cast<int>(std::lround(at * m_scale));
        if (pixel > length) {
            break;
        }
        const bool labelled = at % (step * kTicksPerLabel) == 0;
        const int tick = labelled ? kThickness : (at % (step * 5) == 0 ? kThickness / 2 : 4);
        if (across) {
            painter.drawLine(pixel, kThickness - tick, pixel, kThickness - 1);
            if (labelled) {
                painter.drawText(pixel + 2, 10, QString::number(at));
            }
        } else {
            painter.drawLine(kThickness - tick, pixel, kThickness - 1, pixel);
            if (labelled) {
                painter.save();
                painter.translate(10, pixel + 2);
                painter.rotate(90);
                painter.drawText(0, 0, QString::number(at));
                painter.restore();
            }
        }
    }
    // The mouse's place.
    painter.setPen(QColor(0xD7, 0x78, 0x00));
    const int mark = m_origin + static_cast<int>(std::lround((m_mark + 0.5) * m_scale));
    if (across) {
        painter.drawLine(mark, 0, mark, kThickness);
    } else {
        painter.drawLine(0, mark, kThickness, mark);
    }
    painter.setPen(palette().mid().color());
    if (across) {
        painter.drawLine(0, kThickness - 1, length, kThickness - 1);
    } else {
        painter.drawLine(kThickness - 1, 0, kThickness - 1, length);
    }
}
