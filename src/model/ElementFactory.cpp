#include "model/ElementFactory.h"

#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/NameHash.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"
#include "platform/AsciiCase.h"

#include <cstdio>
#include <string>

namespace model {
namespace {

std::unique_ptr<SnapShotItemKind> Construct(int kind, int single)
{
    switch (kind) {
    case SnapShotItem::kPicture: {
        auto picture = std::make_unique<PicSnapshotItem>(single);
        PicItemInfo info = picture->PicInfo();
        info.kind = SnapShotItem::kPicture;
        picture->SetPicInfo(info);
        return picture;
    }
    case SnapShotItem::kString:
        return std::make_unique<StringSnapShotItem>();
    case SnapShotItem::kGroup:
        return std::make_unique<CCanvasSnapShotItem>();
    default:
        return nullptr;
    }
}

const char* NameFormat(int kind, int single)
{
    switch (kind) {
    case SnapShotItem::kPicture:
        return single ? "Picture%02d" : "PicRegion%02d";
    case SnapShotItem::kString:
        return "String%02d";
    default:
        return "ResGroup%02d";
    }
}

// True when a live sibling other than `element` holds `name` (any letter case) or
// its NameHash.
bool Taken(const std::string& name, const SnapShotItem& element, const SnapItemList& siblings)
{
    const std::uint32_t hash = NameHash(name);
    for (const auto& sibling : siblings) {
        if (!sibling || sibling.get() == &element || sibling->IsDeleted()) {
            continue;
        }
        if (platform::equalsIgnoreAsciiCase(sibling->Name(), name) ||
            NameHash(sibling->Name()) == hash) {
            return true;
        }
    }
    return false;
}

} // namespace

bool IsElementKind(int kind)
{
    return kind == SnapShotItem::kPicture || kind == SnapShotItem::kString ||
           kind == SnapShotItem::kGroup;
}

std::unique_ptr<SnapShotItemKind> CreateElement(int kind, int single, SnapShotItem* parent)
{
    std::unique_ptr<SnapShotItemKind> element = Construct(kind, single);
    if (!element) {
        return nullptr;
    }
    APStyleProject* project = APStyleProject::Current();
    const std::int32_t id = project ? project->NextId() : 0;
    element->SetId(static_cast<std::uint32_t>(id));
    element->SetParent(parent);
    char name[48];
    std::snprintf(name, sizeof name, NameFormat(kind, single), static_cast<int>(id));
    element->SetName(name);
    const SnapItemInfo block = *element->AttrBlock();
    element->BuildAttrList(block);
    return element;
}

void AvoidSiblingNameClash(SnapShotItemKind& element, const SnapItemList& siblings)
{
    const std::string base = element.Name();
    if (!Taken(base, element, siblings)) {
        return;
    }
    // "_1" is what users know; a further number only where "_1" is taken as well,
    // so that siblings never end up with equal names.
    for (int suffix = 1;; ++suffix) {
        const std::string name = base + "_" + std::to_string(suffix);
        if (!Taken(name, element, siblings)) {
            element.Rename(name);
            return;
        }
    }
}

} // namespace model
