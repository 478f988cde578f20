#pragma once

#include "components/visual/GraphRect.h"
#include "model/SnapShotItem.h"

#include <cstdint>
#include <string>

// What the three element kinds share on the element side. The kinds derive from
// this and, as their second base, from a drawable; both bases declare IsVisible,
// SetVisible, SetDeleted, SetEditable, IsEditable and Clone. This class implements
// the element's versions once; each kind brings them into its own scope with
// `using`, so that a call on a kind always means the element's slot, and the
// drawable's is reached explicitly (ImageGraph::SetVisible, or through Graph&).
//
// IsVisible cannot be overridden in a kind at all (Graph returns bool, the element
// int), so the kinds answer through ShownFlag / StoredVisible instead.
class SnapShotItemKind : public SnapShotItem
{
public:
    // 5: x and y from the drawable's rectangle, relative to the parent's drawable
    // (absolute without one); width and height from the rectangle.
    void RefreshGeometry() override;
    // 6: x and y summed over all parents; right = x + width, bottom = y + height.
    GraphRect AbsoluteRect() const override;
    int RowCount() const override;
    // 10: offsets the drawable (and an explicit visible part with it).
    void MoveBy(int dx, int dy) override;
    void CopyAttrBlock(SnapItemInfo& out) const override;
    SnapItemInfo* AttrBlock() override;
    // 13: copies the row; an invalid row leaves `out` as it was.
    void CopyRow(int row, SnapItemAttr& out) const override;
    // 18: the deleted flag and the drawable's.
    void SetDeleted(int on) override;
    // 19: 1 when the element counts as visible (ShownFlag).
    int IsVisible() const final;
    // 20: the hidden flag, the kind's visible byte and "Visible" row, then the
    // drawable: shown only while the parent is visible too.
    void SetVisible(int on) override;
    // 21: the absolute rectangle clipped to the parent's visible part; all zero
    // when nothing of it shows.
    GraphRect VisiblePart() const override;
    std::uint32_t GetId() const override;
    // 26: the block's id and the id copy.
    void SetId(std::uint32_t id) override;

    // Shows or hides the drawable from the kind's own visible value and the
    // parent's visibility, without changing either. A group passes it on to its
    // children, so that hiding a group hides its whole tree on screen.
    virtual void ApplyShown();
    // Puts the drawable where the block says: at the absolute rectangle, showing
    // the visible part inside the parent. A group places its tree.
    virtual void PlaceDrawable();
    // The kind's own visible value, whatever its parents say.
    virtual bool StoredVisible() const = 0;

    // Sets the name and the name row without the sibling checks (generated names).
    void Rename(const std::string& name);

protected:
    SnapShotItemKind(int kind, const SnapItemAttrDesc* table, int count);

    // The answer of IsVisible; by default the kind's own visible value.
    virtual int ShownFlag() const;
    // Stores the kind's own visible value (its block byte) as given: readers may
    // keep more than 0 and 1 in that byte.
    virtual void StoreVisible(int on) = 0;

    // Applies the x or y row (property id 2 or 3) after parsing: moves by the
    // difference, then stores the value (clamped to the block's 16 bits).
    void ApplyPosition(int row, bool horizontal);
    // The width or height row after parsing, clamped to the block's 16 bits; the
    // row shows the value kept.
    std::uint16_t TakeSize(int row);
    // Sets the drawable's width or height, keeping its top-left corner.
    void ResizeDrawable(std::uint16_t width, std::uint16_t height);
    // Sizes the array to the descriptor table and takes kinds and labels from it;
    // the name row takes the name. Values are left to the kind.
    void ResetRows();
    // The row of a property id, or null when the kind has none.
    SnapItemAttr* RowOf(std::int32_t propertyId);
    void SetRowNumber(std::int32_t propertyId, std::int32_t value);
    void SetRowText(std::int32_t propertyId, const std::string& text);
    // Takes rows, block, flags, name and id copy of `source` (Clone).
    void CopyElementState(const SnapShotItemKind& source);
    // The id a clone takes: the next one of the current project when `newIds` is
    // set and a project is current, else the present one.
    std::uint32_t CloneId(int newIds) const;
    // The property id of a row index (the row is valid).
    std::int32_t PropertyIdOf(int row) const { return m_descTable[row].id; }
};
