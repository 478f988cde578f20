#pragma once

#include "components/visual/VisualEditor.h"
#include "components/visual/VisualSurface.h"
#include "shell/surface/QtImageCache.h"
#include "shell/surface/SurfaceWidget.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QPainter;
class QRect;

// The editing surface for Qt: CreateEditor makes the painted widget (SurfaceWidget) inside
// the given parent widget; the drawables, the selection and the gestures are the shared
// VisualSurface's. Changes made with the mouse or the keyboard reach the callback with
// code 2, once per gesture.
class QtVisualEditor : public QObject, public VisualEditor
{
    Q_OBJECT

public:
    explicit QtVisualEditor(QObject* parent = nullptr);
    ~QtVisualEditor() override;

    // `parent` is a QWidget* (may be null for a top-level surface). A second call replaces
    // the widget.
    bool CreateEditor(void* parent, const GraphRect& rect, Callback callback) override;
    void SetTool(int tool) override { m_tool = tool; }
    void SetScreenBkColor(std::uint32_t colour) override;
    void OnSize(unsigned type, int width, int height) override;
    void ClearAll() override;
    void AddObj(Graph* graph) override;
    void ClearSelectedObj() override;
    void SetKeyObj(Graph* graph) override;
    // Takes the screen size of the current project and repaints everything.
    void Refresh() override;
    void SetGuides(std::vector<GuideLine> guides) override;
    std::vector<GuideLine> Guides() const override { return m_surface.UserGuides(); }
    // Whether the user's guides are shown (and caught on).
    void setGuidesShown(bool shown);
    // Outlines `flagged` in red (texts that do not fit), none when empty.
    void setFlagged(std::vector<const Graph*> flagged);
    double Scale() const override { return m_surface.Scale(); }
    void Scale(double factor) override;
    // The SurfaceWidget, as a QWidget*.
    void* GetView() const override;

    SurfaceWidget* widget() const { return m_widget; }
    VisualSurface& surface() { return m_surface; }
    const VisualSurface& surface() const { return m_surface; }
    int tool() const { return m_tool; }

    // The "device colours" view: pictures as the firmware gets them. The pixel format is
    // read from the settings (RES_FORMAT) when the view is switched on, unless one was set.
    void setDeviceColours(bool on);
    bool deviceColours() const { return m_deviceColours; }
    // Uses `format` (a RES_FORMAT code) instead of the settings; -1 reads them again.
    void setDevicePixelFormat(int format);
    // The settings file the pixel format is read from; empty for the program's own.
    void setSettingsPath(const QString& path);
    int devicePixelFormat() const { return m_format; }

    // Paints `area` (view pixels) of the surface with `painter`.
    void paint(QPainter& painter, const QRect& area);
    // Repaints what the surface marked as changed.
    void flushDirty();
    // Converted pictures, for tests and the benchmark.
    const QtImageCache& imageCache() const { return m_cache; }

signals:
    // The mouse is over the scene point (x, y).
    void cursorMoved(int x, int y);
    // The zoom changed (Scale).
    void scaleChanged(double factor);

private:
    friend class SurfaceWidget;
    void readPixelFormat();

    VisualSurface m_surface;
    QtImageCache m_cache;
    QPointer<SurfaceWidget> m_widget;
    int m_tool = kToolNone;
    bool m_deviceColours = false;
    int m_format = 0;
    bool m_formatFixed = false;
    QString m_settingsPath;
};
