#include "shell/app/ZoomControl.h"

#include "editing/CommandIds.h"
#include "editing/CommandTable.h"
#include "editing/ViewZoom.h"
#include "editing/WheelZoom.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/SnapShotItem.h"
#include "shell/app/CZORVEView.h"
#include "shell/surface/QtVisualEditor.h"

#include <QLabel>
#include <QScrollBar>

#include <cmath>

namespace {

// The panel is this much larger than the screen it shows.
constexpr int kPanelPadding = 9;

} // namespace

ZoomControl::ZoomControl(editing::Workspace& workspace, QtVisualEditor& editor, CZORVEView& view,
                         QObject* parent)
    : QObject(parent), m_workspace(workspace), m_editor(editor), m_view(view)
{
    connect(&m_editor, &QtVisualEditor::scaleChanged, this, &ZoomControl::showZoom);
}

void ZoomControl::install(editing::CommandTable& commands)
{
    using namespace editing::cmd;
    commands.SetHandler(
        kZoomIn, [this](editing::Workspace& ws) { setZoom(editing::zoom::In(ws.Panel().Zoom())); });
    commands.SetHandler(kZoomOut, [this](editing::Workspace& ws) {
        setZoom(editing::zoom::Out(ws.Panel().Zoom()));
    });
    commands.SetHandler(kZoomFit, [this](editing::Workspace&) { zoomToFit(); });
    commands.SetHandler(kZoomActual, [this](editing::Workspace&) { setZoom(1.0); });
    commands.SetHandler(kZoomSelection, [this](editing::Workspace&) { zoomToSelection(); });
}

QLabel* ZoomControl::createStatusPane(QWidget* parent)
{
    m_pane = new QLabel(parent);
    m_pane->setAccessibleName(tr("缩放"));
    m_pane->setToolTip(tr("缩放"));
    showZoom();
    return m_pane;
}

void ZoomControl::setZoom(double zoom)
{
    const APStyleProject* project = m_workspace.CurrentProject();
    if (!project) {
        return;
    }
    if (zoom != m_workspace.Panel().Zoom()) {
        m_workspace.Panel().SetZoom(zoom);
    }
    fitPanelTo(project->ScreenWidth(), project->ScreenHeight());
    m_editor.Refresh();
}

void ZoomControl::zoomToFit()
{
    const APStyleProject* project = m_workspace.CurrentProject();
    if (!project) {
        return;
    }
    // The padding around the screen does not grow with the zoom.
    const QSize view = m_view.room(false) - QSize(kPanelPadding, kPanelPadding);
    setZoom(editing::zoom::Fit(project->ScreenWidth(), project->ScreenHeight(), view.width(),
                               view.height()));
}

void ZoomControl::zoomToSelection()
{
    SnapShotItem* element = m_workspace.Selection().Element();
    const APStyleProject* project = m_workspace.CurrentProject();
    if (!element || !project) {
        zoomToFit();
        return;
    }
    const GraphRect rect = element->AbsoluteRect();
    const auto fit = [&rect](const QSize& room) {
        return editing::zoom::Fit(rect.Width(), rect.Height(), room.width(), room.height());
    };
    double zoom = fit(m_view.room(false));
    const QSize panel(static_cast<int>(project->ScreenWidth() * zoom) + kPanelPadding,
                      static_cast<int>(project->ScreenHeight() * zoom) + kPanelPadding);
    if (panel.width() > m_view.room(false).width() ||
        panel.height() > m_view.room(false).height()) {
        zoom = fit(m_view.room(true));
    }
    setZoom(zoom);
    m_view.scrollToPanelRect(QRect(static_cast<int>(std::lround(rect.left * zoom)),
                                   static_cast<int>(std::lround(rect.top * zoom)),
                                   static_cast<int>(std::lround(rect.Width() * zoom)),
                                   static_cast<int>(std::lround(rect.Height() * zoom))));
}

void ZoomControl::wheel(bool towardsUser)
{
    const double zoom = m_workspace.Panel().Zoom();
    const double next = editing::WheelZoom(zoom, towardsUser);
    if (next != zoom) {
        setZoom(next);
    }
}

void ZoomControl::fitPanelTo(int width, int height)
{
    const double zoom = m_workspace.Panel().Zoom();
    m_view.resizeEditingPanel(static_cast<int>(width * zoom) + kPanelPadding,
                              static_cast<int>(height * zoom) + kPanelPadding);
}

void ZoomControl::showZoom()
{
    if (m_pane) {
        m_pane->setText(
            tr("缩放：%1").arg(QString::fromStdString(editing::zoom::Text(m_editor.Scale()))));
    }
}
