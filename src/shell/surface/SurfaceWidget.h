#pragma once

#include <QWidget>

class QtVisualEditor;

// The painted editing surface: draws the editor's drawables at its zoom and turns mouse
// and keyboard input into the surface's gestures (click, Ctrl+click to add or take out,
// drag, a rubber band from empty space (Alt: what it touches), resize grips, arrow keys by 1
// pixel and Shift+arrow keys by 10, Esc to clear; Shift while dragging turns the alignment
// guides off). A
// press of the middle button, or of the left one while Space is held, is left to the view
// around it, which pans.
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void updateCursor(const QPoint& scene);

    QtVisualEditor& m_editor;
    bool m_spaceHeld = false;
};
