#include "editing/ActModifyElementsAttr.h"

ActModifyElementsAttr::ActModifyElementsAttr(APStyleProject* project,
                                             const std::vector<SnapShotItem*>& elements)
    : ActProjectStack(project)
{
    for (SnapShotItem* element : elements) {
        m_parts.push_back(std::make_unique<ActModifySnapItemAttr>(project, element));
    }
}

void ActModifyElementsAttr::CaptureBefore()
{
    for (const auto& part : m_parts) {
        part->CaptureBefore();
    }
}

void ActModifyElementsAttr::CaptureAfter()
{
    for (const auto& part : m_parts) {
        part->CaptureAfter();
    }
}

void ActModifyElementsAttr::Undo()
{
    for (auto part = m_parts.rbegin(); part != m_parts.rend(); ++part) {
        (*part)->Undo();
    }
}

void ActModifyElementsAttr::Redo()
{
    for (const auto& part : m_parts) {
        part->Redo();
    }
}
