#include "shell/app/SurfaceContextMenu.h"

#include "components/visual/Graph.h"
#include "shell/app/CommandActions.h"
#include "shell/surface/QtVisualEditor.h"
#include "shell/surface/SurfaceWidget.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

SurfaceContextMenu::SurfaceContextMenu(QtVisualEditor& editor, CommandActions& actions,
                                       QList<int> ids, QList<int> arrangeIds, QObject* parent)
    : QObject(parent), m_editor(editor), m_actions(actions), m_ids(std::move(ids)),
      m_arrangeIds(std::move(arrangeIds))
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
            if (graph && !graph->IsSelected()) {
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
    const auto fill = [this](QMenu& into, const QList<int>& ids) {
        for (const int id : ids) {
            if (id == 0) {
                into.addSeparator();
            } else if (QAction* action = m_actions.action(id)) {
                into.addAction(action);
            }
        }
    };
    fill(menu, m_ids);
    if (!m_arrangeIds.isEmpty()) {
        menu.addSeparator();
        QMenu* arrange = menu.addMenu(tr("排列"));
        arrange->setAccessibleName(tr("排列"));
        fill(*arrange, m_arrangeIds);
    }
    menu.exec(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
}
