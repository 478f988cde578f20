#include "editing/ElementCopy.h"

#include "components/visual/Graph.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/NameHash.h"
#include "model/StringSnapShotItem.h"
#include "platform/AsciiCase.h"

#include <cstdio>

namespace editing {

namespace {

std::string CopyName(const char* format, const std::string& name, std::uint32_t id)
{
    std::vector<char> text(name.size() + 48);
    std::snprintf(text.data(), text.size(), format, name.c_str(), static_cast<int>(id));
    return text.data();
}

bool NameTaken(const SnapShotItem& target, const std::string& name)
{
    return APStyleProject::FindChildByName(name, &target) >= 0 ||
           APStyleProject::FindChildByHash(platform::toUpperAscii(name), &target) >= 0;
}

void BringPictures(APStyleProject& from, PicSnapshotItem& picture, APStyleProject& to)
{
    for (PicFrame& frame : picture.Frames()) {
        if (frame.path.empty()) {
            continue;
        }
        const std::string absolute = from.ResolvePath(frame.path, false);
        const std::string stored = to.StoredPicturePath(absolute);
        if (to.Pictures().Find(stored) < 0) {
            to.AddPicture(absolute, 0);
        }
        const int index = to.Pictures().Find(stored);
        frame.path = stored;
        frame.id = index < 0 ? -1 : static_cast<std::int32_t>(to.Pictures().At(index).number);
    }
}

void BringString(StringSnapShotItem& text, APStyleProject& to)
{
    const StringRecord& store = text.TextStore();
    if (store.identifier.empty() || to.Strings().Find(store.identifier) >= 0) {
        return;
    }
    StringRegistry& strings = to.Strings();
    const std::uint32_t number = strings.LastNumber() + 1;
    const bool first = strings.Empty();
    StringRecord& added = strings.Append(number, store.identifier);
    const std::uint32_t kept = added.number;
    added = store;
    added.number = kept;
    strings.SetLastNumber(number);
    if (first) {
        strings.SetFirstNumber(number);
    }
}

} // namespace

void BringResources(APStyleProject& from, SnapShotItem& element, APStyleProject& to)
{
    if (auto* picture = dynamic_cast<PicSnapshotItem*>(&element);
        picture && element.KindCode() == SnapShotItem::kPicture) {
        BringPictures(from, *picture, to);
    }
    if (auto* text = dynamic_cast<StringSnapShotItem*>(&element)) {
        BringString(*text, to);
    }
    if (const SnapItemList* children = element.Children()) {
        for (const auto& child : *children) {
            BringResources(from, *child, to);
        }
    }
    element.RefreshRows();
}

SnapShotItem* CopyElementInto(APStyleProject& from, SnapShotItem& source, SnapShotItem& target,
                              APStyleProject& to, int copyFlag)
{
    auto* group = dynamic_cast<CCanvasSnapShotItem*>(&target);
    if (!group) {
        return nullptr;
    }
    std::unique_ptr<SnapShotItem> copy = source.Clone(copyFlag);
    // The buffer may hold an element deleted since it was copied; its copy is new.
    copy->SetDeleted(0);
    if (NameTaken(target, source.Name())) {
        static_cast<SnapShotItemKind&>(*copy).Rename(
            CopyName("Copyof%s_id%d", copy->Name(), copy->GetId()));
    }
    copy->RefreshGeometry();
    SnapItemInfo block;
    copy->CopyAttrBlock(block);
    const GraphRect drawn = copy->OwnGraph()->Envelop();
    copy->MoveBy(block.x - drawn.left, block.y - drawn.top);
    SnapShotItem* added = group->AppendChild(std::move(copy));
    group->RefreshRows();
    if (&from != &to) {
        BringResources(from, *added, to);
    }
    return added;
}

Snapshot* CopySceneInto(APStyleProject& from, Snapshot& source, APStyleProject& to)
{
    std::unique_ptr<Snapshot> copy = source.Clone(1);
    copy->SetDeleted(0);
    for (const auto& scene : to.Scenes()) {
        if (platform::equalsIgnoreAsciiCase(scene->Name(), copy->Name())) {
            copy->SetName(CopyName("CopyOf%s_id%d", copy->Name(), copy->GetId()));
            break;
        }
    }
    to.Scenes().push_back(std::move(copy));
    Snapshot* added = to.Scenes().back().get();
    if (&from != &to) {
        for (const auto& element : added->Elements()) {
            BringResources(from, *element, to);
        }
    }
    return added;
}

} // namespace editing
