#pragma once

#include "components/visual/VisualEditor.h"

#include <QScrollArea>

class RulerWidget;

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
    // The rulers along the top and the left, in device pixels.
    RulerWidget* topRuler() const { return m_topRuler; }
    RulerWidget* leftRuler() const { return m_leftRuler; }
    void setRulersVisible(bool visible);
    bool rulersVisible() const { return m_rulersVisible; }
    // The mouse is over the scene point (x, y): the rulers mark it.
    void markCursor(int x, int y);

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
    // Where the screen's origin lies in the rulers, after a scroll, a zoom or a layout.
    void updateRulers();
    void placeRulers();
    // Guides pulled out of the rulers go to the surface.
    void connectRuler(RulerWidget* ruler, bool verticalGuides);

    VisualEditor& m_editor;
    QWidget* m_canvas;
    QWidget* m_panel;
    RulerWidget* m_topRuler;
    RulerWidget* m_leftRuler;
    bool m_rulersVisible = true;
    bool m_panning = false;
    QPoint m_panFrom;
};
