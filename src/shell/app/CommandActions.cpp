#include "shell/app/CommandActions.h"

#include "editing/CommandIds.h"
#include "editing/CommandTable.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>

namespace {

using namespace editing::cmd;

struct Decoration
{
    int id;
    const char* icon;
    QList<QKeySequence> shortcuts;
};

// Icons and accelerators; the texts come from the command table.
QList<Decoration> decorations()
{
    return {
        {kNewProject, "new", {QKeySequence(Qt::CTRL | Qt::Key_N)}},
        {kOpenProject, "open", {QKeySequence(Qt::CTRL | Qt::Key_O)}},
        {kSaveProject, "save", {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {kSaveAll, "save-all", {}},
        {kAddScene, "add-scene", {}},
        {kAddGroup, "add-group", {}},
        {kAddString, "add-string", {}},
        {kAddPicture, "add-picture", {}},
        {kAddRegion, "add-region", {}},
        {kAddFrame, "add-frame", {}},
        {kCopy,
         "copy",
         {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
        {kPaste,
         "paste",
         {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
        {kDelete, "delete", {}},
        {kMoveDown, "move-down", {}},
        {kMoveUp, "move-up", {}},
        {kUndo, "undo", {QKeySequence(Qt::CTRL | Qt::Key_Z)}},
        {kRedo, "redo", {QKeySequence(Qt::CTRL | Qt::Key_Y)}},
        {kBuild, "build", {}},
        {kOpenCaseDir, "open-case", {}},
        {kTreePanel, "tree-panel", {}},
        {kPropertyPanel, "property-panel", {}},
        {kResourcePanel, "resource-panel", {}},
        {kLayerPanel, "layer-panel", {}},
        {kResizer, "resizer", {}},
        {kDesktopFiles, "desktop", {}},
        {kBatchBuild, "batch-build", {}},
        {kBudgetReport, nullptr, {}},
        {kAbout, "about", {}},
        {kSearch, "search", {QKeySequence(Qt::CTRL | Qt::Key_F)}},
        {kHelp, nullptr, {QKeySequence(Qt::Key_F1)}},
        {kZoomIn,
         nullptr,
         {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}},
        {kZoomOut, nullptr, {QKeySequence(Qt::CTRL | Qt::Key_Minus)}},
        {kZoomFit, nullptr, {QKeySequence(Qt::CTRL | Qt::Key_0)}},
        {kZoomActual, nullptr, {QKeySequence(Qt::CTRL | Qt::Key_1)}},
        {kZoomSelection, nullptr, {QKeySequence(Qt::CTRL | Qt::Key_2)}},
        {kAlignLeft, "align-left", {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Left)}},
        {kAlignRight, "align-right", {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Right)}},
        {kAlignTop, "align-top", {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Up)}},
        {kAlignBottom, "align-bottom", {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Down)}},
        {kAlignHorizontalCentre, "align-hcentre", {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_H)}},
        {kAlignVerticalCentre, "align-vcentre", {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_V)}},
        {kDistributeHorizontally,
         "distribute-horizontal",
         {QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_H)}},
        {kDistributeVertically,
         "distribute-vertical",
         {QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_V)}},
        {kSameWidth, "same-width", {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_W)}},
        {kSameHeight, "same-height", {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_T)}},
        {kSameSize, "same-size", {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S)}},
        {kSelectAll, nullptr, {QKeySequence(Qt::CTRL | Qt::Key_A)}},
    };
}

// Commands whose check mark shows a state.
bool isCheckable(int id)
{
    switch (id) {
    case kAutoSave:
    case kMultiSelect:
    case kCompress:
    case kPicSameName:
    case kTreePanel:
    case kPropertyPanel:
    case kResourcePanel:
    case kLayerPanel:
    case kBuildLogPanel:
    case kTextCheckPanel:
    case kRulers:
    case kGuides:
    case kPseudoAccented:
    case kPseudoMirrored:
    case kToolbar:
    case kStatusBar:
    case kFormatRgb565:
    case kFormatArgb565:
    case kFormatRgb888:
    case kFormatArgb888:
    case kFormatWatch:
    case kFormatArgb6666:
    case kFormatArgb1555:
    case kUiLanguageChinese:
    case kUiLanguageEnglish:
        return true;
    default:
        return false;
    }
}

} // namespace

CommandActions::CommandActions(editing::CommandTable& table, editing::Workspace& workspace,
                               QObject* parent)
    : QObject(parent), m_table(table), m_workspace(workspace)
{
    for (const editing::Command& command : m_table.Commands()) {
        auto* action = new QAction(menuText(command.text), this);
        action->setObjectName(QStringLiteral("command%1").arg(command.id));
        action->setData(command.id);
        action->setCheckable(isCheckable(command.id));
        const int id = command.id;
        connect(action, &QAction::triggered, this, [this, id] { trigger(id); });
        m_actions.insert(id, action);
    }
    m_actions.value(kAbout)->setText(tr("关于 SkinSmith(&A)..."));
    for (const Decoration& decoration : decorations()) {
        QAction* action = m_actions.value(decoration.id);
        if (!action) {
            continue;
        }
        if (decoration.icon) {
            action->setIcon(QIcon(
                QStringLiteral(":/icons/toolbar/%1.svg").arg(QLatin1String(decoration.icon))));
        }
        action->setShortcuts(decoration.shortcuts);
        if (!decoration.shortcuts.isEmpty()) {
            action->setShortcutContext(Qt::WindowShortcut);
        }
    }
    update();
}

QAction* CommandActions::action(int id) const
{
    return m_actions.value(id);
}

void CommandActions::update()
{
    for (const editing::Command& command : m_table.Commands()) {
        QAction* action = m_actions.value(command.id);
        action->setEnabled(command.handler && command.enabled(m_workspace));
        if (action->isCheckable()) {
            action->setChecked(command.checked && command.checked(m_workspace));
        }
    }
}

QString CommandActions::menuText(const std::string& tableText)
{
    const QString text = QString::fromStdString(tableText);
    const int tab = text.indexOf(QLatin1Char('\t'));
    return tab < 0 ? text : text.left(tab);
}

void CommandActions::trigger(int id)
{
    m_table.Run(m_workspace, id);
    update();
    emit commandRan(id);
}
