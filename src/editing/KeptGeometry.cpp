#include "editing/KeptGeometry.h"

#include "model/SnapShotItem.h"
#include "model/SnapShotItemKind.h"

#include <cstring>

namespace editing {

KeptGeometry::KeptGeometry(SnapShotItem& root, const SnapShotItem* own)
{
    note(root, own);
}

void KeptGeometry::note(SnapShotItem& element, const SnapShotItem* own)
{
    if (&element == own || element.IsDeleted()) {
        return;
    }
    SnapItemInfo block;
    element.CopyAttrBlock(block);
    // Parents first, so that a group is placed before the members placed inside it.
    m_blocks.emplace_back(&element, block);
    if (const SnapItemList* children = element.Children()) {
        for (const auto& child : *children) {
            note(*child, own);
        }
    }
}

int KeptGeometry::restore()
{
    int restored = 0;
    for (auto& [element, block] : m_blocks) {
        SnapItemInfo* now = element->AttrBlock();
        if (!now || std::memcmp(now, &block, sizeof block) == 0) {
            continue;
        }
        *now = block;
        if (auto* kind = dynamic_cast<SnapShotItemKind*>(element)) {
            kind->PlaceDrawable();
        }
        ++restored;
    }
    return restored;
}

void ReloadKeepingGeometry(SnapShotItem& root, const SnapShotItem* own)
{
    KeptGeometry kept(root, own);
    root.LoadResource();
    kept.restore();
}

} // namespace editing
