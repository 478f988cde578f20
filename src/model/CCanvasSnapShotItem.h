#pragma once

#include "model/GroupInfo.h"
#include "model/PicSnapshotItem.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

// A resource group: a container that owns its children (any kind, further groups
// included), with a background colour, a transparency, a visible flag and an edit
// lock that reaches its whole tree. Built on the picture kind, whose drawable it
// uses for its rectangle. Deleted children stay in the list (undo brings them back).
class CCanvasSnapShotItem : public PicSnapshotItem
{
public:
    // Property ids of the group table beyond the common ones.
    enum : int
    {
        kPropTransparency = 6,
        kPropBackground = 7,
        kPropResourceNum = 8,
        kPropOpaque = 11
    };
    static constexpr std::size_t kSavedBlockSize = 19;

    CCanvasSnapShotItem();
    ~CCanvasSnapShotItem() override;

    // 4: places the drawable from the block, applies colours and transparency,
    // shows or hides it, then reloads every live child.
    void LoadResource() override;
    // 5: as a picture, and into the group block.
    void RefreshGeometry() override;
    // 7: geometry from the drawable (children keep their place inside the group),
    // then every row from the fields.
    void RefreshRows() override;
    // 10: moves the drawable and every child by (dx, dy).
    void MoveBy(int dx, int dy) override;
    // 14: rows from `block`, which becomes the element's block; the drawable takes
    // the group's geometry, colours, transparency and visibility.
    void BuildAttrList(const SnapItemInfo& block) override;
    int SetAttrText(int row, int column, const std::string& text) override;
    // 22: with `withSelf` the drawable's editable state; always the drawable's
    // resizeable state, the group's editable flag, and the same on every child.
    void SetEditable(int on, int withSelf) override;
    // 23: the group's editable flag.
    int IsEditable() override;
    // 24: a copy of the whole tree without a parent, every lock kept; the caller
    // owns it.
    std::unique_ptr<SnapShotItem> Clone(int newIds) const override;
    // 25: the group id.
    std::uint32_t GetId() const override;
    // 26: the block id, the id copy and the group id.
    void SetId(std::uint32_t id) override;
    // 30: fits the drawable to the absolute rectangle and shows all of it.
    virtual void FitDrawable();

    bool StoredVisible() const override;
    void ApplyShown() override;
    // The drawable at the absolute rectangle (all of it shown at the top level,
    // clipped inside a parent), then the children's drawables.
    void PlaceDrawable() override;
    const SnapItemList* Children() const override { return &m_children; }

    // Creates a child of `kind` (1 picture, or region when `single` is 0; 2 string;
    // 3 group) with the next identifier and a generated name. Returns it, owned by
    // the group, or null for any other kind.
    SnapShotItem* AddChild(int kind, int single);
    // Takes ownership of `child`, makes the group its parent and appends it (the
    // project file reader). Returns the child, owned by the group; null for null.
    SnapShotItem* AppendChild(std::unique_ptr<SnapShotItem> child);
    SnapItemList& ChildList() { return m_children; }
    // Number of children that are not deleted.
    int LiveChildCount() const;

    GroupInfo& Group() { return m_group; }
    const GroupInfo& Group() const { return m_group; }
    std::uint32_t EditableFlag() const { return m_editable; }
    // Sets the flag alone (the reader, before it applies it to the tree).
    void SetEditableFlag(std::uint32_t flag) { m_editable = flag; }
    // The first bytes of the attribute block as of the last move or refresh.
    const std::array<std::uint8_t, kSavedBlockSize>& SavedBlock() const { return m_savedBlock; }

protected:
    int ShownFlag() const override;
    void StoreVisible(int on) override;

private:
    void FillGroupRows();
    // Copies id and geometry of the attribute block into the group block and
    // saves the block copy.
    void SyncGroupBlock();
    // Background colour, its use and the transparency from the group block.
    void ApplyLook();
    // Puts every descendant's drawable where its block says, inside this group.
    void PlaceChildren();

    GroupInfo m_group;
    std::uint32_t m_editable = 1;
    std::array<std::uint8_t, kSavedBlockSize> m_savedBlock{};
    SnapItemList m_children;
};
