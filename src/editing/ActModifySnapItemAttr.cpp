#include "editing/ActModifySnapItemAttr.h"

void ActModifySnapItemAttr::CaptureBefore()
{
    m_before = AttrSnapshot::Capture(*m_element);
}

void ActModifySnapItemAttr::CaptureAfter()
{
    m_after = AttrSnapshot::Capture(*m_element);
}

void ActModifySnapItemAttr::Undo()
{
    m_before.Restore(*m_element);
}

void ActModifySnapItemAttr::Redo()
{
    m_after.Restore(*m_element);
}
