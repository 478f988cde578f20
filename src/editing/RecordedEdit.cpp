#include "editing/RecordedEdit.h"

#include "components/visual/GraphRect.h"
#include "editing/ActModifyElementsAttr.h"
#include "editing/ActModifySnapItemAttr.h"
#include "editing/ChangeFeed.h"
#include "editing/UndoHistory.h"
#include "model/SnapShotItem.h"

#include <memory>

namespace editing {

bool RecordElementEdit(APStyleProject& project, SnapShotItem& element,
                       const std::function<void()>& change, RecordPolicy policy)
{
    const ChangeBatch batch;
    auto record = std::make_unique<ActModifySnapItemAttr>(&project, &element);
    record->CaptureBefore();
    bool added = false;
    if (policy == RecordPolicy::Always) {
        ActModifySnapItemAttr& kept = *record;
        AddRecord(project, std::move(record));
        change();
        kept.CaptureAfter();
        added = true;
    } else {
        const GraphRect before = element.AbsoluteRect();
        change();
        if (element.AbsoluteRect() != before) {
            record->CaptureAfter();
            AddRecord(project, std::move(record));
            added = true;
        }
    }
    PostChange(Change::ElementChanged(&element));
    if (added) {
        PostChange(Change::Redraw());
    }
    return added;
}

bool RecordElementsEdit(APStyleProject& project, const std::vector<SnapShotItem*>& elements,
                        const std::function<void()>& change, RecordPolicy policy)
{
    const ChangeBatch batch;
    auto record = std::make_unique<ActModifyElementsAttr>(&project, elements);
    record->CaptureBefore();
    std::vector<GraphRect> before;
    for (const SnapShotItem* element : elements) {
        before.push_back(element->AbsoluteRect());
    }
    change();
    bool changed = policy == RecordPolicy::Always;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        changed = changed || elements[i]->AbsoluteRect() != before[i];
        PostChange(Change::ElementChanged(elements[i]));
    }
    if (changed) {
        record->CaptureAfter();
        AddRecord(project, std::move(record));
        PostChange(Change::Redraw());
    }
    return changed;
}

} // namespace editing
