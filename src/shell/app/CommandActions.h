#pragma once

#include <QHash>
#include <QObject>

class QAction;

namespace editing {
class CommandTable;
class Workspace;
} // namespace editing

// One QAction per entry of the command table: text, mnemonic and shortcuts from the table's
// texts, the project's icon, enabling and check marks from the table's rules. A command
// without a handler stays disabled: its window has not been built yet.
class CommandActions : public QObject
{
    Q_OBJECT

public:
    CommandActions(editing::CommandTable& table, editing::Workspace& workspace,
                   QObject* parent = nullptr);

    // The action of command `id`, owned by this object; null for an unknown id.
    QAction* action(int id) const;
    // Evaluates every rule again (after each command and each main-window message).
    void update();

    // The menu text without its shortcut part ("新建工程(&N)\tCtrl+N" gives "新建工程(&N)").
    static QString menuText(const std::string& tableText);

signals:
    // A command ran through its action (menu, toolbar or shortcut).
    void commandRan(int id);

private:
    void trigger(int id);

    editing::CommandTable& m_table;
    editing::Workspace& m_workspace;
    QHash<int, QAction*> m_actions;
};
