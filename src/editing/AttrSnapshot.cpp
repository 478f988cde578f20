#include "editing/AttrSnapshot.h"
#include "editing/KeptGeometry.h"

#include "model/CCanvasSnapShotItem.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"
#include "editing/ChangeFeed.h"

AttrSnapshot AttrSnapshot::Capture(SnapShotItem& element)
{
    AttrSnapshot shot;
    shot.rows = element.Rows();
    element.CopyAttrBlock(shot.block);
    shot.name = element.Name();
    shot.flags = element.Flags();
    if (auto* text = dynamic_cast<StringSnapShotItem*>(&element)) {
        shot.store = text->TextStore();
    }
    if (auto* picture = dynamic_cast<PicSnapshotItem*>(&element)) {
        shot.frames = picture->Frames();
        shot.currentFrame = picture->CurrentFrameIndex();
    }
    if (auto* group = dynamic_cast<CCanvasSnapShotItem*>(&element)) {
        shot.group = group->Group();
        shot.editable = group->EditableFlag();
    }
    return shot;
}

void AttrSnapshot::Restore(SnapShotItem& element) const
{
    // The deleted flag belongs to the structural records, not to property edits.
    const std::uint32_t deleted = element.Flags() & SnapShotItem::kFlagDeleted;
    element.SetFlags((flags & ~std::uint32_t{SnapShotItem::kFlagDeleted}) | deleted);
    element.SetName(name);
    auto* text = dynamic_cast<StringSnapShotItem*>(&element);
    if (text && store) {
        text->TextStore() = *store;
    }
    auto* picture = dynamic_cast<PicSnapshotItem*>(&element);
    if (picture && frames) {
        picture->Frames() = *frames;
        picture->SetCurrentFrameIndex(currentFrame);
    }
    auto* group = dynamic_cast<CCanvasSnapShotItem*>(&element);
    if (group && this->group) {
        group->Group() = *this->group;
        group->SetEditableFlag(editable);
        static_cast<Graph&>(*group).SetResizeable(editable != 0);
    }
    *element.AttrBlock() = block;
    // The drawable goes where the restored block says before the reload, which
    // takes the geometry back from the drawable; then the saved block and rows
    // are put back once more, so nothing the reload derived can differ.
    auto* kind = dynamic_cast<SnapShotItemKind*>(&element);
    if (kind) {
        kind->PlaceDrawable();
    }
    // A group reloads its members too, which keep the sizes they have.
    editing::ReloadKeepingGeometry(element);
    *element.AttrBlock() = block;
    if (group && this->group) {
        group->Group() = *this->group;
    }
    if (kind) {
        kind->PlaceDrawable();
    }
    element.ReplaceRows(rows);
    editing::PostChange(editing::Change::ElementChanged(&element));
    editing::PostChange(editing::Change::Redraw());
    if (element.KindCode() == SnapShotItem::kPicture) {
        editing::PostChange(editing::Change::Rebuild(&element));
    }
}
