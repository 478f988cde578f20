#pragma once

#include "components/visual/HeadlessVisualEditor.h"
#include "editing/AddCommands.h"
#include "editing/CommandTable.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "support/RecordingChangeObserver.h"
#include "platform/ScriptedInteraction.h"

#include <QAbstractItemModel>
#include <QString>

#include <memory>
#include <string>

// A workspace over a headless surface with one project made in memory (two scenes, each with
// its root group), for the tree panel's tests; questions answered by script.
struct TreeTestWorkspace
{
    TreeTestWorkspace()
    {
        auto created = std::make_unique<APStyleProject>();
        created->InitNew();
        project = &ws.OpenProject(std::move(created));
        scene1 = editing::add::Scene(ws, true);
        scene2 = editing::add::Scene(ws, true);
        project->History().clear();
        project->SetHistoryCursor(-1);
    }

    CCanvasSnapShotItem* root(Snapshot* scene)
    {
        return static_cast<CCanvasSnapShotItem*>(scene->Elements().front().get());
    }
    editing::TreeNode* node(const void* object) { return ws.Tree().FindNode(object); }
    bool run(int id) { return table.Run(ws, id) == editing::CommandTable::Result::Ran; }

    platform::ScriptedInteraction ui;
    platform::ScopedInteraction uiScope{ui};
    HeadlessVisualEditor editor;
    editing::Workspace ws{editor};
    RecordingChangeObserver sink{ws.Feed()};
    editing::CommandTable table;
    APStyleProject* project = nullptr;
    Snapshot* scene1 = nullptr;
    Snapshot* scene2 = nullptr;
};

// The model's rows as indented labels, walking every index (children asked for lazily).
inline void appendRows(const QAbstractItemModel& model, const QModelIndex& parent, int depth,
                       QString& out)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        out += QString(depth * 2, QLatin1Char(' ')) + index.data().toString() + QLatin1Char('\n');
        appendRows(model, index, depth + 1, out);
    }
}

inline QString modelWalk(const QAbstractItemModel& model)
{
    QString out;
    appendRows(model, {}, 0, out);
    return out;
}

// The core tree's nodes the same way.
inline QString coreWalk(editing::ProjectTree& tree)
{
    QString out;
    for (editing::TreeNode* node : tree.AllNodes()) {
        int depth = 0;
        for (auto* up = node->parent; up; up = up->parent) {
            ++depth;
        }
        out += QString(depth * 2, QLatin1Char(' ')) + QString::fromStdString(node->label) +
               QLatin1Char('\n');
    }
    return out;
}
