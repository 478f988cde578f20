#include "shell/app/CZORVEView.h"

#include "editing/ViewZoom.h"
#include "shell/surface/RulerWidget.h"
#include "shell/surface/SurfaceWidget.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include <algorithm>

namespace {

const int kPanelWidth = 328;
const int kPanelHeight = 248;

} // namespace

CZORVEView::CZORVEView(VisualEditor& editor, VisualEditor::Callback callback, QWidget* parent)
    : QScrollArea(parent), m_editor(editor), m_canvas(new QWidget), m_panel(new QWidget(m_canvas)),
      m_topRuler(new RulerWidget(Qt::Horizontal, this)),
      m_leftRuler(new RulerWidget(Qt::Vertical, this))
{
    setAccessibleName(tr("编辑区"));
    m_canvas->setAccessibleName(tr("编辑区"));
    m_panel->setAccessibleName(tr("编辑面板"));
    m_panel->setObjectName(QStringLiteral("editingPanel"));
    m_panel->setGeometry(0, 0, kPanelWidth, kPanelHeight);
    m_canvas->setAutoFillBackground(true);
    setWidget(m_canvas);
    setWidgetResizable(false);
    setFocusPolicy(Qt::StrongFocus);
    m_editor.CreateEditor(m_panel, GraphRect{0, 0, kPanelWidth, kPanelHeight}, std::move(callback));
    m_editor.SetTool(VisualEditor::kToolSelect);
    m_editor.SetScreenBkColor(0xEEEEEE);
    m_panel->show();
    setViewportMargins(RulerWidget::kThickness, RulerWidget::kThickness, 0, 0);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &CZORVEView::updateRulers);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CZORVEView::updateRulers);
    connectRuler(m_topRuler, false);
    connectRuler(m_leftRuler, true);
    layoutPanel();
}

void CZORVEView::connectRuler(RulerWidget* ruler, bool verticalGuides)
{
    const auto surface = [this] {
        return qobject_cast<SurfaceWidget*>(static_cast<QWidget*>(m_editor.GetView()));
    };
    connect(ruler, &RulerWidget::guidePulled, this, [surface, verticalGuides](const QPoint& at) {
        if (SurfaceWidget* widget = surface()) {
            widget->pullGuide(verticalGuides, at);
        }
    });
    connect(ruler, &RulerWidget::guideDragged, this, [surface](const QPoint& at) {
        if (SurfaceWidget* widget = surface()) {
            widget->dragGuide(at);
        }
    });
    connect(ruler, &RulerWidget::guideDropped, this, [surface](const QPoint& at) {
        if (SurfaceWidget* widget = surface()) {
            widget->dropGuide(at);
        }
    });
}

void CZORVEView::setRulersVisible(bool visible)
{
    m_rulersVisible = visible;
    const int margin = visible ? RulerWidget::kThickness : 0;
    setViewportMargins(margin, margin, 0, 0);
    m_topRuler->setVisible(visible);
    m_leftRuler->setVisible(visible);
    placeRulers();
    layoutPanel();
}

void CZORVEView::markCursor(int x, int y)
{
    m_topRuler->setMark(x);
    m_leftRuler->setMark(y);
}

void CZORVEView::updateRulers()
{
    const QPoint origin = m_panel->mapTo(viewport(), QPoint(0, 0));
    const double scale = m_editor.Scale();
    m_topRuler->setMapping(origin.x(), scale);
    m_leftRuler->setMapping(origin.y(), scale);
}

void CZORVEView::placeRulers()
{
    const QRect view = viewport()->geometry();
    const int thickness = RulerWidget::kThickness;
    m_topRuler->setGeometry(view.left(), view.top() - thickness, view.width(), thickness);
    m_leftRuler->setGeometry(view.left() - thickness, view.top(), thickness, view.height());
}

void CZORVEView::resizeEditingPanel(int width, int height)
{
    m_panel->resize(width, height);
    m_editor.OnSize(0, width, height);
    layoutPanel();
}

QSize CZORVEView::room(bool withScrollBars) const
{
    const QSize whole = maximumViewportSize();
    if (!withScrollBars) {
        return whole;
    }
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return whole - QSize(bar, bar);
}

void CZORVEView::scrollToPanelRect(const QRect& rect)
{
    // Scroll bars that a larger panel brings are laid out once the events posted now are
    // handled, and take their room from the viewport; the scroll waits for them.
    QTimer::singleShot(0, this, [this, rect] { scrollNow(rect); });
}

void CZORVEView::scrollNow(const QRect& rect)
{
    const QRect onCanvas = rect.translated(m_panel->pos());
    const QSize view = viewport()->size();
    horizontalScrollBar()->setValue(onCanvas.center().x() - view.width() / 2);
    verticalScrollBar()->setValue(onCanvas.center().y() - view.height() / 2);
}

void CZORVEView::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    placeRulers();
    layoutPanel();
}

void CZORVEView::mousePressEvent(QMouseEvent* event)
{
    m_panning = true;
    m_panFrom = event->globalPosition().toPoint();
    viewport()->setCursor(Qt::ClosedHandCursor);
    event->accept();
}

void CZORVEView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_panning) {
        QScrollArea::mouseMoveEvent(event);
        return;
    }
    const QPoint at = event->globalPosition().toPoint();
    const QPoint moved = at - m_panFrom;
    m_panFrom = at;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - moved.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() - moved.y());
    event->accept();
}

void CZORVEView::mouseReleaseEvent(QMouseEvent* event)
{
    m_panning = false;
    viewport()->unsetCursor();
    event->accept();
}

void CZORVEView::layoutPanel()
{
    const int margin = editing::zoom::kMargin;
    const QSize view = viewport()->size();
    const QSize canvas(std::max(view.width(), m_panel->width() + 2 * margin),
                       std::max(view.height(), m_panel->height() + 2 * margin));
    m_canvas->resize(canvas);
    m_panel->move((canvas.width() - m_panel->width()) / 2,
                  (canvas.height() - m_panel->height()) / 2);
    updateRulers();
}
