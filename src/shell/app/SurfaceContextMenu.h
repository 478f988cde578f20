#pragma once

#include <QList>
#include <QObject>

class CommandActions;
class QtVisualEditor;

// The context menu of the editing surface: a right click selects the element under the mouse,
// as a left click would (one of several selected keeps them), and offers the commands that act
// on it (copy, paste, delete, move up and down, the 排列 commands in a submenu), enabled as in
// the menus.
class SurfaceContextMenu : public QObject
{
    Q_OBJECT

public:
    // Watches the editor's surface widget; `ids` are command ids, 0 for a separator, and
    // `arrangeIds` those of the 排列 submenu.
    SurfaceContextMenu(QtVisualEditor& editor, CommandActions& actions, QList<int> ids,
                       QList<int> arrangeIds, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QtVisualEditor& m_editor;
    CommandActions& m_actions;
    QList<int> m_ids;
    QList<int> m_arrangeIds;
};
