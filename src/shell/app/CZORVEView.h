#pragma once

#include "components/visual/VisualEditor.h"

#include <QScrollArea>

// The scroll view of the main window. It hosts the editing panel at (0, 0), 328 x 248 to
// begin with, on a canvas of 2400 x 2400, and creates the editing surface inside the panel.
class CZORVEView : public QScrollArea
{
    Q_OBJECT

public:
    CZORVEView(VisualEditor& editor, VisualEditor::Callback callback, QWidget* parent = nullptr);

    // The editing panel (the surface's host).
    QWidget* editingPanel() const { return m_panel; }
    // Resizes the editing panel without moving it; the surface follows.
    void resizeEditingPanel(int width, int height);

private:
    VisualEditor& m_editor;
    QWidget* m_canvas;
    QWidget* m_panel;
};
