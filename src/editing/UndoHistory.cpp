#include "editing/UndoHistory.h"

#include "editing/ActProjectStack.h"
#include "editing/ChangeFeed.h"
#include "model/APStyleProject.h"

namespace editing {

void AddRecord(APStyleProject& project, std::unique_ptr<ActProjectStack> record)
{
    auto& history = project.History();
    const std::int32_t cursor = project.HistoryCursor() + 1;
    // What lay beyond the cursor can no longer be redone once a new edit is made.
    history.resize(static_cast<std::size_t>(cursor));
    history.push_back(std::shared_ptr<ActProjectStack>(std::move(record)));
    project.SetHistoryCursor(cursor);
    project.SetModified(1);
    // Whatever made the record changed the project: the views hear it with the rest of the
    // command or gesture.
    PostChange(Change::Refresh());
}

bool Undo(APStyleProject& project)
{
    if (!CanUndo(project)) {
        return false;
    }
    const ChangeBatch batch;
    const std::int32_t cursor = project.HistoryCursor();
    // The cursor moves first, so that a record whose Undo adds nothing sees the
    // history as it will be.
    project.SetHistoryCursor(cursor - 1);
    project.History()[static_cast<std::size_t>(cursor)]->Undo();
    return true;
}

bool Redo(APStyleProject& project)
{
    if (!CanRedo(project)) {
        return false;
    }
    const ChangeBatch batch;
    const std::int32_t cursor = project.HistoryCursor() + 1;
    project.SetHistoryCursor(cursor);
    project.History()[static_cast<std::size_t>(cursor)]->Redo();
    return true;
}

bool CanUndo(APStyleProject& project)
{
    return project.HistoryCursor() >= 0 &&
           static_cast<std::size_t>(project.HistoryCursor()) < project.History().size();
}

bool CanRedo(APStyleProject& project)
{
    return static_cast<long long>(project.HistoryCursor()) + 1 <
           static_cast<long long>(project.History().size());
}

} // namespace editing
