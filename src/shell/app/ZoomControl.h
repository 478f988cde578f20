#pragma once

#include <QObject>

class CZORVEView;
class QLabel;
class QWidget;
class QtVisualEditor;

namespace editing {
class CommandTable;
class Workspace;
} // namespace editing

// The zoom of the editing view: the 视图 commands (zoom in and out, fit, actual size, the
// selection), the wheel's steps and the zoom shown in the status bar. Every zoom change goes
// through setZoom, which sizes the editing panel to the screen at the new zoom.
class ZoomControl : public QObject
{
    Q_OBJECT

public:
    ZoomControl(editing::Workspace& workspace, QtVisualEditor& editor, CZORVEView& view,
                QObject* parent = nullptr);

    // Installs the handlers of the zoom commands into `commands`.
    void install(editing::CommandTable& commands);
    // The status bar's zoom pane.
    QLabel* createStatusPane(QWidget* parent);

    void setZoom(double zoom);
    // The zoom at which the device screen fits the view.
    void zoomToFit();
    // The zoom at which the selected element fills the view, scrolled to it.
    void zoomToSelection();
    // One wheel step: towards the user zooms in.
    void wheel(bool towardsUser);
    // Sizes the panel to a screen of `width` x `height` at the current zoom.
    void fitPanelTo(int width, int height);

private:
    void showZoom();

    editing::Workspace& m_workspace;
    QtVisualEditor& m_editor;
    CZORVEView& m_view;
    QLabel* m_pane = nullptr;
};
