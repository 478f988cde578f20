#include "editing/ActDelSnapItemObj.h"

void ActDelSnapItemObj::Undo()
{
    Show();
}

void ActDelSnapItemObj::Redo()
{
    Hide();
}
