#pragma once

#include <QWidget>

// A ruler along the top or the left of the editing view, in device (scene) pixels: ticks and
// numbers that follow the zoom and the scrolling, and a mark at the mouse's position. A drag
// out of the ruler pulls a guide onto the surface (signals in screen coordinates).
class RulerWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kThickness = 20;

    RulerWidget(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Scene coordinate 0 lies at `origin` of the ruler's pixels, `scale` ruler pixels apart
    // per scene pixel.
    void setMapping(int origin, double scale);
    int origin() const { return m_origin; }
    double scale() const { return m_scale; }
    // The mouse is over scene coordinate `position`.
    void setMark(int position);
    int mark() const { return m_mark; }
    // Scene pixels between two ticks, so that ticks stay at least a few pixels apart.
    static int tickStep(double scale);

signals:
    void guidePulled(const QPoint& global);
    void guideDragged(const QPoint& global);
    void guideDropped(const QPoint& global);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Qt::Orientation m_orientation;
    int m_origin = 0;
    double m_scale = 1.0;
    int m_mark = 0;
    bool m_pulling = false;
};
