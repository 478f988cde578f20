#pragma once

#include <QWidget>

class QtVisualEditor;

// The painted editing surface: draws the editor's drawables at its zoom and turns mouse
// and keyboard input into the surface's gestures (click, Ctrl+click to add or take out,
// drag, a rubber band from empty space (Alt: what it touches), resize grips, arrow keys by 1
// pixel and Shift+arrow keys by 10, Esc to clear; Shift while dragging turns the alignment
// guides off). The user's guides are dragged as they are, dropped onto a ruler to remove
// them, and double-clicked to type their position. A press of the middle button, or of the left one
// while Space is held, is left to the view around it, which pans.
class SurfaceWidget : public QWidget
{
    Q_OBJECT

public:
    // `editor` owns the widget's contents and outlives it.
    SurfaceWidget(QtVisualEditor& editor, QWidget* parent = nullptr);

    // The device screen at the current zoom, with its outline.
    QSize sizeHint() const override;
    // The scene point under the view point `pos`.
    QPoint scenePoint(const QPoint& pos) const;

    // A guide pulled out of a ruler: vertical from the left ruler, horizontal from the top
    // one, following the mouse at `global` (screen coordinates) until it is dropped.
    void pullGuide(bool vertical, const QPoint& global);
    void dragGuide(const QPoint& global);
    // Drops the guide being dragged: onto a ruler it goes away, elsewhere it stays.
    void dropGuide(const QPoint& global);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void updateCursor(const QPoint& scene);
    // Asks for the position of user's guide `index` and moves it there.
    void typeGuidePosition(int index);

    QtVisualEditor& m_editor;
    bool m_spaceHeld = false;
};
