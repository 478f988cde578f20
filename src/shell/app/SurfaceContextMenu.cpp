#include "shell/app/SurfaceContextMenu.h"

#include "shell/app/CommandActions.h"
#include "shell/surface/QtVisualEditor.h"
#include "shell/surface/SurfaceWidget.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

SurfaceContextMenu::SurfaceContextMenu(QtVisualEditor& editor, CommandActions& actions,
                                       QList<int> ids, QObject* parent)
    : QObject(parent), m_editor(editor), m_actions(actions), m_ids(std::move(ids))
{
    if (SurfaceWidget* surface = m_editor.widget()) {
        surface->installEventFilter(this);
    }
}

bool SurfaceContextMenu::eventFilter(QObject* watched, QEvent* event)
{
    auto* surface = qobject_cast<SurfaceWidget*>(watched);
    if (!surface) {
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::RightButton) {
            const QPoint scene = surface->scenePoint(press->position().toPoint());
            Graph* graph = m_editor.surface().ObjectAt(scene.x(), scene.y());
            if (graph) {
                m_editor.surface().Select(graph);
                m_editor.flushDirty();
            }
            surface->setFocus(Qt::MouseFocusReason);
        }
        return false;
    }
    if (event->type() != QEvent::ContextMenu) {
        return false;
    }
    m_actions.update();
    QMenu menu(surface);
    menu.setAccessibleName(tr("编辑区菜单"));
    for (const int id : m_ids) {
        if (id == 0) {
            menu.addSeparator();
        } else if (QAction* action = m_actions.action(id)) {
            menu.addAction(action);
        }
    }
    menu.exec(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
}
