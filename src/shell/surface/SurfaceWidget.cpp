#include "shell/surface/SurfaceWidget.h"

#include "components/visual/Graph.h"
#include "platform/UserInteraction.h"
#include "shell/surface/QtVisualEditor.h"
#include "shell/surface/RulerWidget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

constexpr int kMaxRects = 8;

} // namespace

SurfaceWidget::SurfaceWidget(QtVisualEditor& editor, QWidget* parent)
    : QWidget(parent), m_editor(editor)
{
    setAccessibleName(tr("Editing surface"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize SurfaceWidget::sizeHint() const
{
    const VisualSurface& surface = m_editor.surface();
    const double scale = surface.Scale();
    return QSize(static_cast<int>(std::lround(surface.ScreenWidth() * scale)) + 1,
                 static_cast<int>(std::lround(surface.ScreenHeight() * scale)) + 1);
}

QPoint SurfaceWidget::scenePoint(const QPoint& pos) const
{
    const double scale = m_editor.Scale();
    return QPoint(static_cast<int>(std::floor(pos.x() / scale)),
                  static_cast<int>(std::floor(pos.y() / scale)));
}

void SurfaceWidget::pullGuide(bool vertical, const QPoint& global)
{
    const QPoint scene = scenePoint(mapFromGlobal(global));
    m_editor.surface().StartUserGuide(vertical, vertical ? scene.x() : scene.y());
    m_editor.flushDirty();
}

void SurfaceWidget::dragGuide(const QPoint& global)
{
    VisualSurface& surface = m_editor.surface();
    if (surface.DraggedGuide() < 0) {
        return;
    }
    const QPoint scene = scenePoint(mapFromGlobal(global));
    emit m_editor.cursorMoved(scene.x(), scene.y());
    surface.DragTo(scene.x(), scene.y(), false);
    m_editor.flushDirty();
}

void SurfaceWidget::dropGuide(const QPoint& global)
{
    VisualSurface& surface = m_editor.surface();
    if (surface.DraggedGuide() < 0) {
        return;
    }
    if (qobject_cast<RulerWidget*>(QApplication::widgetAt(global))) {
        surface.RemoveDraggedGuide();
    } else {
        dragGuide(global);
        surface.Release();
    }
    m_editor.flushDirty();
}

void SurfaceWidget::typeGuidePosition(int index)
{
    const GuideLine guide = m_editor.surface().UserGuides().at(static_cast<std::size_t>(index));
    const std::optional<int> position = platform::interaction().askNumber(
        guide.vertical ? tr("竖直参考线的横坐标（像素）：").toStdString()
                       : tr("水平参考线的纵坐标（像素）：").toStdString(),
        tr("参考线").toStdString(), guide.position, -100000, 100000);
    if (position) {
        m_editor.surface().MoveUserGuide(index, *position);
        m_editor.flushDirty();
    }
}

void SurfaceWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRegion& region = event->region();
    // A drag changes a few small places (and the thin guide lines): each is painted alone
    // rather than the box around them all.
    if (region.rectCount() > kMaxRects) {
        painter.setClipRegion(region);
        m_editor.paint(painter, event->rect());
        return;
    }
    for (const QRect& rect : region) {
        painter.setClipRect(rect);
        m_editor.paint(painter, rect);
    }
}

void SurfaceWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_editor.surface().SetViewSize(width(), height());
}

void SurfaceWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_spaceHeld) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint scene = scenePoint(event->position().toPoint());
    VisualSurface& surface = m_editor.surface();
    if (event->modifiers() & Qt::ControlModifier) {
        if (Graph* graph = surface.ObjectAt(scene.x(), scene.y())) {
            surface.Toggle(graph);
            m_editor.flushDirty();
            event->accept();
            return;
        }
    }
    surface.Press(scene.x(), scene.y());
    m_editor.flushDirty();
    event->accept();
}

void SurfaceWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint scene = scenePoint(event->position().toPoint());
    emit m_editor.cursorMoved(scene.x(), scene.y());
    VisualSurface& surface = m_editor.surface();
    if (surface.IsDragging() && (event->buttons() & Qt::LeftButton)) {
        surface.DragTo(scene.x(), scene.y(), !(event->modifiers() & Qt::ShiftModifier),
                       (event->modifiers() & Qt::AltModifier) != 0);
        m_editor.flushDirty();
    } else {
        updateCursor(scene);
    }
    event->accept();
}

void SurfaceWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (m_editor.surface().DraggedGuide() >= 0) {
        dropGuide(event->globalPosition().toPoint());
        updateCursor(scenePoint(event->position().toPoint()));
        event->accept();
        return;
    }
    // The report at the end of the gesture may rebuild the surface.
    m_editor.surface().Release();
    m_editor.flushDirty();
    updateCursor(scenePoint(event->position().toPoint()));
    event->accept();
}

void SurfaceWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint scene = scenePoint(event->position().toPoint());
    const int guide = m_editor.surface().UserGuideAt(scene.x(), scene.y());
    if (event->button() != Qt::LeftButton || guide < 0) {
        // A double-click acts as a second press.
        mousePressEvent(event);
        return;
    }
    typeGuidePosition(guide);
    event->accept();
}

void SurfaceWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        m_editor.surface().ClearByUser();
        m_editor.flushDirty();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Space) {
        m_spaceHeld = true;
        setCursor(Qt::OpenHandCursor);
        event->accept();
        return;
    }
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    int dx = 0;
    int dy = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        dx = -step;
        break;
    case Qt::Key_Right:
        dx = step;
        break;
    case Qt::Key_Up:
        dy = -step;
        break;
    case Qt::Key_Down:
        dy = step;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    m_editor.surface().Nudge(dx, dy);
    m_editor.flushDirty();
    event->accept();
}

void SurfaceWidget::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        m_spaceHeld = false;
        unsetCursor();
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void SurfaceWidget::focusOutEvent(QFocusEvent* event)
{
    // Space may be let go elsewhere.
    m_spaceHeld = false;
    QWidget::focusOutEvent(event);
}

void SurfaceWidget::updateCursor(const QPoint& scene)
{
    if (m_spaceHeld) {
        return;
    }
    const VisualSurface& surface = m_editor.surface();
    Graph* grip = nullptr;
    switch (surface.HandleAt(scene.x(), scene.y(), &grip)) {
    case Graph::kHandleTopLeft:
    case Graph::kHandleBottomRight:
        setCursor(Qt::SizeFDiagCursor);
        return;
    case Graph::kHandleTopRight:
    case Graph::kHandleBottomLeft:
        setCursor(Qt::SizeBDiagCursor);
        return;
    case Graph::kHandleTop:
    case Graph::kHandleBottom:
        setCursor(Qt::SizeVerCursor);
        return;
    case Graph::kHandleLeft:
    case Graph::kHandleRight:
        setCursor(Qt::SizeHorCursor);
        return;
    default:
        break;
    }
    if (const int guide = surface.UserGuideAt(scene.x(), scene.y()); guide >= 0) {
        setCursor(surface.UserGuides()[static_cast<std::size_t>(guide)].vertical
                      ? Qt::SplitHCursor
                      : Qt::SplitVCursor);
        return;
    }
    Graph* hit = surface.ObjectAt(scene.x(), scene.y());
    setCursor(hit && hit->IsSelected() && surface.MayMove(hit) ? Qt::SizeAllCursor
                                                               : Qt::ArrowCursor);
}
