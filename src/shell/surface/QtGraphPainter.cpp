#include "shell/surface/QtGraphPainter.h"

#include "components/visual/StringGraph.h"
#include "shell/surface/QtImageCache.h"

#include <QPainter>
#include <QTextOption>

#include <algorithm>
#include <cstdlib>

namespace {

QColor ColourOf(std::uint32_t colour, int opacity)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF), std::clamp(opacity, 0, 255));
}

QRect RectOf(const GraphRect& rect)
{
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

Qt::PenStyle PenStyleOf(GraphPainter::LineStyle style)
{
    switch (style) {
    case GraphPainter::LineStyle::Dashed:
        return Qt::DashLine;
    case GraphPainter::LineStyle::Dotted:
        return Qt::DotLine;
    default:
        return Qt::SolidLine;
    }
}

QFont FontOf(const GraphFont& font)
{
    QFont qfont;
    if (!font.faceName.empty()) {
        qfont.setFamily(QString::fromStdString(font.faceName));
    }
    // Heights may come negative (a character height rather than a cell height): the size
    // is what counts.
    const int height = std::max(1, std::abs(font.height));
    qfont.setPixelSize(height);
    if (font.width > 0) {
        // A width is the average character width, about half the height for a normal face.
        qfont.setStretch(std::clamp(font.width * 200 / height, 1, 4000));
    }
    const int weight = font.weight <= 0 ? 400 : std::clamp(font.weight, 100, 900);
    qfont.setWeight(static_cast<QFont::Weight>(weight));
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikeOut);
    return qfont;
}

Qt::Alignment AlignmentOf(unsigned format)
{
    // Left means left whatever the script: the device does not mirror.
    Qt::Alignment alignment = Qt::AlignAbsolute;
    switch (format & StringGraph::kFormatHorizontalMask) {
    case StringGraph::kFormatCenter:
        alignment |= Qt::AlignHCenter;
        break;
    case StringGraph::kFormatRight:
        alignment |= Qt::AlignRight;
        break;
    default:
        alignment |= Qt::AlignLeft;
        break;
    }
    switch (format & StringGraph::kFormatVerticalMask) {
    case StringGraph::kFormatVCenter:
        alignment |= Qt::AlignVCenter;
        break;
    case StringGraph::kFormatBottom:
        alignment |= Qt::AlignBottom;
        break;
    default:
        alignment |= Qt::AlignTop;
        break;
    }
    return alignment;
}

} // namespace

QtGraphPainter::QtGraphPainter(QPainter& painter, const QtImageCache* cache)
    : m_painter(painter), m_cache(cache)
{
}

QtGraphPainter::~QtGraphPainter()
{
    while (m_clipDepth > 0) {
        clearClip();
    }
}

void QtGraphPainter::setClip(const GraphRect& rect)
{
    m_painter.save();
    ++m_clipDepth;
    m_painter.setClipRect(RectOf(rect), Qt::IntersectClip);
}

void QtGraphPainter::clearClip()
{
    if (m_clipDepth > 0) {
        m_painter.restore();
        --m_clipDepth;
    }
}

void QtGraphPainter::fillRect(const GraphRect& rect, std::uint32_t colour, int opacity)
{
    if (!rect.IsEmpty() && opacity > 0) {
        m_painter.fillRect(RectOf(rect), ColourOf(colour, opacity));
    }
}

void QtGraphPainter::drawFrame(const GraphRect& rect, std::uint32_t colour, LineStyle style)
{
    if (rect.IsEmpty()) {
        return;
    }
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setPen(QPen(ColourOf(colour, 255), 0, PenStyleOf(style)));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(RectOf(rect).adjusted(0, 0, -1, -1));
    m_painter.restore();
}

void QtGraphPainter::drawLine(int x1, int y1, int x2, int y2, std::uint32_t colour, LineStyle style)
{
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setPen(QPen(ColourOf(colour, 255), 0, PenStyleOf(style)));
    m_painter.drawLine(x1, y1, x2, y2);
    m_painter.restore();
}

void QtGraphPainter::drawImage(const GraphRect& target, const std::uint8_t* rgba, int width,
                               int height, int opacity)
{
    if (!rgba || width <= 0 || height <= 0 || target.IsEmpty() || opacity <= 0) {
        return;
    }
    const QImage* cached = m_cache ? m_cache->find(rgba) : nullptr;
    QImage once;
    if (!cached || cached->width() != width || cached->height() != height) {
        once = QtImageCache::convert(rgba, width, height);
        cached = &once;
    }
    const qreal before = m_painter.opacity();
    m_painter.setOpacity(before * opacity / 255.0);
    if (target.Width() == width && target.Height() == height) {
        m_painter.drawImage(QPoint(target.left, target.top), *cached);
    } else {
        // Zoomed pictures keep their pixels sharp: the designer checks them pixel by pixel.
        m_painter.drawImage(RectOf(target), *cached);
    }
    m_painter.setOpacity(before);
}

void QtGraphPainter::drawText(const GraphRect& rect, const std::u16string& text,
                              const GraphFont& font, unsigned format, std::uint32_t colour,
                              int opacity)
{
    if (text.empty() || rect.IsEmpty() || opacity <= 0) {
        return;
    }
    QTextOption option(AlignmentOf(format));
    // Right-to-left scripts take their direction from the text itself.
    option.setTextDirection(Qt::LayoutDirectionAuto);
    const bool wrap =
        (format & StringGraph::kFormatWordBreak) && !(format & StringGraph::kFormatSingleLine);
    option.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
    m_painter.save();
    m_painter.setFont(FontOf(font));
    m_painter.setPen(ColourOf(colour, opacity));
    m_painter.drawText(QRectF(RectOf(rect)), QString::fromStdU16String(text), option);
    m_painter.restore();
}
