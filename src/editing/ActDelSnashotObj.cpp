#include "editing/ActDelSnashotObj.h"

void ActDelSnashotObj::Undo()
{
    Show();
}

void ActDelSnashotObj::Redo()
{
    Hide();
}
