#pragma once

#include <functional>
#include <vector>

class APStyleProject;
class SnapShotItem;

namespace editing {

enum class RecordPolicy
{
    Always,
    // A change that leaves the element's place and size as they were adds no record (a
    // drag that ended where it started).
    WhenGeometryChanged
};

// Changes `element` under one undo record, the way every edit of an element's properties
// goes: its state before is taken, the record is added, `change` runs, and the record
// takes the state after. The views hear that the element changed, in one batch. Returns
// whether a record was added.
bool RecordElementEdit(APStyleProject& project, SnapShotItem& element,
                       const std::function<void()>& change,
                       RecordPolicy policy = RecordPolicy::Always);

// Changes several elements under one undo record, as RecordElementEdit changes one. With
// WhenGeometryChanged a change that moves or resizes none of them adds no record. Returns
// whether one was added.
bool RecordElementsEdit(APStyleProject& project, const std::vector<SnapShotItem*>& elements,
                        const std::function<void()>& change,
                        RecordPolicy policy = RecordPolicy::WhenGeometryChanged);

} // namespace editing
