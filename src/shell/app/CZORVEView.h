#pragma once

#include "components/visual/VisualEditor.h"

#include <QScrollArea>

// The scroll view of the main window. It hosts the editing panel, 328 x 248 to begin with,
// and creates the editing surface inside the panel. The panel sits centred in the view with a
// margin around it; a panel larger than the view scrolls, and a drag that the surface leaves
// to the view (the middle button, Space with the left one, or any button beside the panel)
// pans it.
class CZORVEView : public QScrollArea
{
    Q_OBJECT

public:
    CZORVEView(VisualEditor& editor, VisualEditor::Callback callback, QWidget* parent = nullptr);

    // The editing panel (the surface's host).
    QWidget* editingPanel() const { return m_panel; }
    // Resizes the editing panel and centres it again; the surface follows.
    void resizeEditingPanel(int width, int height);
    // The room for the panel: the viewport without scroll bars, or with both shown.
    QSize room(bool withScrollBars) const;
    // Scrolls so that `rect` (in the panel's pixels) is in view, centred where it fits.
    void scrollToPanelRect(const QRect& rect);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Sizes the canvas to the view (or to the panel and its margins, when larger) and puts the
    // panel in its middle.
    void layoutPanel();
    void scrollNow(const QRect& rect);

    VisualEditor& m_editor;
    QWidget* m_canvas;
    QWidget* m_panel;
    bool m_panning = false;
    QPoint m_panFrom;
};
