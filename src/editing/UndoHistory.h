#pragma once

#include <memory>

class APStyleProject;
class ActProjectStack;

// The project's linear undo history (records and cursor live in the project).
namespace editing {

// Appends `record` after the cursor, destroying every record that lay beyond it,
// and marks the project modified (the views hear of it). The project owns the record
// afterwards.
void AddRecord(APStyleProject& project, std::unique_ptr<ActProjectStack> record);
// Undoes the record at the cursor; false when there is none. The views hear of the
// whole step at once.
bool Undo(APStyleProject& project);
// Redoes the record after the cursor; false when there is none.
bool Redo(APStyleProject& project);
bool CanUndo(APStyleProject& project);
bool CanRedo(APStyleProject& project);

} // namespace editing
