#include "editing/ActAddSnapshotObj.h"

void ActAddSnapshotObj::Undo()
{
    Hide();
}

void ActAddSnapshotObj::Redo()
{
    Show();
}
