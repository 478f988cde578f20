#include "editing/ActAddSnapItemObj.h"

void ActAddSnapItemObj::Undo()
{
    Hide();
}

void ActAddSnapItemObj::Redo()
{
    Show();
}
