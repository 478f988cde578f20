#pragma once

#include "editing/ActModifySnapItemAttr.h"

#include <memory>
#include <vector>

// Records one edit of several elements (an arrange command over a selection) as one step:
// each element's state before and after.
class ActModifyElementsAttr : public ActProjectStack
{
public:
    ActModifyElementsAttr(APStyleProject* project, const std::vector<SnapShotItem*>& elements);

    // Takes every element's state before the edit is applied.
    void CaptureBefore();
    // Takes every element's state once the edit is applied.
    void CaptureAfter();

    void Undo() override;
    void Redo() override;

private:
    std::vector<std::unique_ptr<ActModifySnapItemAttr>> m_parts;
};
