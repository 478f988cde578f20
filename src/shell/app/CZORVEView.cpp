#include "shell/app/CZORVEView.h"

namespace {

const int kCanvasSize = 2400;
const int kPanelWidth = 328;
const int kPanelHeight = 248;

} // namespace

CZORVEView::CZORVEView(VisualEditor& editor, VisualEditor::Callback callback, QWidget* parent)
    : QScrollArea(parent), m_editor(editor), m_canvas(new QWidget), m_panel(new QWidget(m_canvas))
{
    setAccessibleName(tr("编辑区"));
    m_canvas->setAccessibleName(tr("编辑区"));
    m_panel->setAccessibleName(tr("编辑面板"));
    m_panel->setObjectName(QStringLiteral("editingPanel"));
    m_canvas->resize(kCanvasSize, kCanvasSize);
    m_panel->setGeometry(0, 0, kPanelWidth, kPanelHeight);
    m_canvas->setAutoFillBackground(true);
    setWidget(m_canvas);
    setWidgetResizable(false);
    setFocusPolicy(Qt::StrongFocus);
    m_editor.CreateEditor(m_panel, GraphRect{0, 0, kPanelWidth, kPanelHeight}, std::move(callback));
    m_editor.SetTool(VisualEditor::kToolSelect);
    m_editor.SetScreenBkColor(0xEEEEEE);
    m_panel->show();
}

void CZORVEView::resizeEditingPanel(int width, int height)
{
    m_panel->resize(width, height);
    m_canvas->resize(std::max(kCanvasSize, width), std::max(kCanvasSize, height));
    m_editor.OnSize(0, width, height);
}
