#include "shell/surface/QtVisualEditor.h"

#include "model/APStyleProject.h"
#include "projectfile/SettingsAccessor.h"
#include "shell/surface/QtGraphPainter.h"
#include "shell/surface/SurfaceWidget.h"

#include <QPainter>

#include <cmath>

namespace {

constexpr QRgb kScreenOutline = qRgb(0x99, 0x99, 0x99);

} // namespace

QtVisualEditor::QtVisualEditor(QObject* parent) : QObject(parent) {}

QtVisualEditor::~QtVisualEditor()
{
    // The widget may outlive the editor through its parent: it must not paint with it.
    delete m_widget.data();
}

bool QtVisualEditor::CreateEditor(void* parent, const GraphRect& rect, Callback callback)
{
    delete m_widget.data();
    m_widget = new SurfaceWidget(*this, static_cast<QWidget*>(parent));
    m_widget->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    m_surface.SetCallback(std::move(callback));
    m_surface.SetViewSize(rect.Width(), rect.Height());
    if (const APStyleProject* project = APStyleProject::Current()) {
        m_surface.SetScreenSize(project->ScreenWidth(), project->ScreenHeight());
    }
    return true;
}

void QtVisualEditor::SetScreenBkColor(std::uint32_t colour)
{
    m_surface.SetScreenBkColor(colour);
    if (m_widget) {
        m_widget->update();
    }
}

void QtVisualEditor::OnSize(unsigned, int width, int height)
{
    m_surface.SetViewSize(width, height);
    if (m_widget) {
        m_widget->resize(std::max(0, width), std::max(0, height));
    }
}

void QtVisualEditor::ClearAll()
{
    m_surface.ClearAll();
    if (m_widget) {
        m_widget->update();
    }
    m_surface.TakeDirty();
}

void QtVisualEditor::AddObj(Graph* graph)
{
    m_surface.AddObj(graph);
    flushDirty();
}

void QtVisualEditor::ClearSelectedObj()
{
    m_surface.ClearSelectedObj();
    flushDirty();
}

void QtVisualEditor::SetKeyObj(Graph* graph)
{
    m_surface.SetKeyObj(graph);
    flushDirty();
}

void QtVisualEditor::SetGuides(std::vector<GuideLine> guides)
{
    m_surface.SetUserGuides(std::move(guides));
    flushDirty();
}

void QtVisualEditor::setFlagged(std::vector<const Graph*> flagged)
{
    m_surface.SetFlagged(std::move(flagged));
    flushDirty();
}

void QtVisualEditor::setGuidesShown(bool shown)
{
    m_surface.ShowUserGuides(shown);
    flushDirty();
}

void QtVisualEditor::Refresh()
{
    if (const APStyleProject* project = APStyleProject::Current()) {
        m_surface.SetScreenSize(project->ScreenWidth(), project->ScreenHeight());
    }
    m_surface.TakeDirty();
    if (m_widget) {
        m_widget->updateGeometry();
        m_widget->update();
    }
}

void QtVisualEditor::Scale(double factor)
{
    if (!m_surface.Scale(factor)) {
        return;
    }
    m_surface.TakeDirty();
    if (m_widget) {
        m_widget->updateGeometry();
        m_widget->update();
    }
    emit scaleChanged(factor);
}

void* QtVisualEditor::GetView() const
{
    return static_cast<QWidget*>(m_widget.data());
}

void QtVisualEditor::setDeviceColours(bool on)
{
    if (on) {
        readPixelFormat();
    }
    m_deviceColours = on;
    if (m_widget) {
        m_widget->update();
    }
}

void QtVisualEditor::setDevicePixelFormat(int format)
{
    m_formatFixed = format >= 0;
    m_format = format;
    if (!m_formatFixed) {
        readPixelFormat();
    }
    if (m_widget && m_deviceColours) {
        m_widget->update();
    }
}

void QtVisualEditor::setSettingsPath(const QString& path)
{
    m_settingsPath = path;
}

void QtVisualEditor::readPixelFormat()
{
    if (m_formatFixed) {
        return;
    }
    const SettingsAccessor settings(m_settingsPath.isEmpty() ? SettingsAccessor::defaultPath()
                                                             : m_settingsPath.toStdString());
    m_format = settings.readInt("CONFIG", "RES_FORMAT");
}

void QtVisualEditor::paint(QPainter& painter, const QRect& area)
{
    const GraphRect region{area.left(), area.top(), area.right() + 1, area.bottom() + 1};
    const std::uint32_t bk = m_surface.ScreenBkColor();
    painter.fillRect(area, QColor(bk & 0xFF, (bk >> 8) & 0xFF, (bk >> 16) & 0xFF));
    m_cache.prepare(m_surface.Objects(), m_deviceColours, m_format);
    {
        QtGraphPainter graphPainter(painter, &m_cache);
        m_surface.Paint(graphPainter, region);
    }
    // The outline of the device screen, just outside it.
    if (m_surface.ScreenWidth() > 0 && m_surface.ScreenHeight() > 0) {
        const int right = static_cast<int>(std::lround(m_surface.ScreenWidth() * Scale()));
        const int bottom = static_cast<int>(std::lround(m_surface.ScreenHeight() * Scale()));
        painter.setPen(QColor(kScreenOutline));
        painter.drawLine(right, 0, right, bottom);
        painter.drawLine(0, bottom, right, bottom);
    }
}

void QtVisualEditor::flushDirty()
{
    const std::vector<GraphRect> dirty = m_surface.TakeDirty();
    if (!m_widget) {
        return;
    }
    for (const GraphRect& rect : dirty) {
        if (!rect.IsEmpty()) {
            m_widget->update(rect.left, rect.top, rect.Width(), rect.Height());
        }
    }
}
