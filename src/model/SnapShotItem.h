#pragma once

#include "model/SnapItemAttr.h"
#include "model/SnapItemAttrDesc.h"
#include "model/SnapItemInfo.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class Graph;
struct GraphRect;
class SnapShotItem;

// An ordered list of owned elements: a scene's top-level elements, a group's children.
using SnapItemList = std::vector<std::unique_ptr<SnapShotItem>>;

// The element base shared by every element kind. An element kind derives from it
// and, as its second base, from a drawable (ImageGraph or StringGraph), so that one
// object is both a model node and a shape on the editing surface.
//
// The virtual operations below are in slot order 0..26; kinds add 27..30. Deleting
// an element only sets its deleted flag: elements live as long as their project.
class SnapShotItem
{
public:
    // Kind codes of the element base.
    enum : int
    {
        kPicture = 1,
        kString = 2,
        kGroup = 3
    };
    // Bits of the flags word.
    enum : std::uint32_t
    {
        kFlagDeleted = 2,
        kFlagHidden = 4
    };

    SnapShotItem(const SnapShotItem&) = delete;
    SnapShotItem& operator=(const SnapShotItem&) = delete;

    // 0: releases the name and the property rows (and, in kinds, their children).
    virtual ~SnapShotItem();
    // 1: the parent's drawable, or null for a top-level element. Not owned.
    virtual Graph* ParentGraph() const;
    // 2: stores the parent (not owned; null for none) and the parent's own drawable.
    virtual void SetParent(SnapShotItem* parent);
    // 3: the element's own drawable (the object itself, seen as its drawable base).
    virtual Graph* OwnGraph() = 0;
    // 4: loads the picture or text into the drawable.
    virtual void LoadResource() = 0;
    // 5: takes the geometry back from the drawable.
    virtual void RefreshGeometry() = 0;
    // 6: the rectangle in scene coordinates.
    virtual GraphRect AbsoluteRect() const = 0;
    // 7: refreshes the row values from the fields.
    virtual void RefreshRows() = 0;
    // 8: number of property rows.
    virtual int RowCount() const = 0;
    // 9: the row's tip: the descriptor's description for a valid row and column 0,
    // otherwise an empty text.
    virtual std::string RowDescription(int row, int column) const;
    // 10: moves the element by (dx, dy).
    virtual void MoveBy(int dx, int dy) = 0;
    // 11: copies the attribute block into `out`.
    virtual void CopyAttrBlock(SnapItemInfo& out) const = 0;
    // 12: the attribute block, owned by the element.
    virtual SnapItemInfo* AttrBlock() = 0;
    // 13: copies property row `row` into `out`.
    virtual void CopyRow(int row, SnapItemAttr& out) const = 0;
    // 14: rebuilds the rows from `block` and stores the block.
    virtual void BuildAttrList(const SnapItemInfo& block) = 0;
    // 15: the grid text of a row in column 1 (value) or 2 (button); empty for an
    // invalid row or column.
    virtual std::string GetAttrText(int row, int column) const;
    // 16: parses typed text into the row. Returns 1 when the row took a value, 0
    // when the row, column or text was ignored. Kinds call this first, then apply
    // the row to their fields.
    virtual int SetAttrText(int row, int column, const std::string& text);
    // 17: 1 when deleted, else 0.
    virtual int IsDeleted() const;
    // 18: sets (non-zero) or clears the deleted flag.
    virtual void SetDeleted(int on);
    // 19: 1 unless the hidden flag is set.
    virtual int IsVisible() const;
    // 20: clears the hidden flag when on, sets it when off.
    virtual void SetVisible(int on);
    // 21: the visible part, clipped to the parent group's visible part.
    virtual GraphRect VisiblePart() const = 0;
    // 22: passes on to the own drawable's SetEditable.
    virtual void SetEditable(int on, int withSelf);
    // 23: the own drawable's IsEditable.
    virtual int IsEditable();
    // 24: a copy without a parent; with `newIds` it takes fresh identifiers from
    // the current project. The caller owns the copy.
    virtual std::unique_ptr<SnapShotItem> Clone(int newIds) const = 0;
    // 25
    virtual std::uint32_t GetId() const = 0;
    // 26
    virtual void SetId(std::uint32_t id) = 0;

    // Not a slot: the children of a container kind, or null for a leaf. Walks of
    // the tree (naming, writing, generation) go through this.
    virtual const SnapItemList* Children() const { return nullptr; }

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    int KindCode() const { return m_kind; }
    SnapShotItem* Parent() const { return m_parent; }
    std::uint32_t Flags() const { return m_flags; }
    void SetFlags(std::uint32_t flags) { m_flags = flags; }
    std::uint32_t IdCopy() const { return m_idCopy; }
    const std::vector<SnapItemAttr>& Rows() const { return m_rows; }
    // Puts saved rows back as they were (undo restores a property snapshot).
    void ReplaceRows(std::vector<SnapItemAttr> rows) { m_rows = std::move(rows); }
    const SnapItemAttrDesc* DescTable() const { return m_descTable; }
    int DescCount() const { return m_descCount; }
    // Row index of a property id in the descriptor table, or -1.
    int FindRow(std::int32_t propertyId) const;

protected:
    // `kind` is the kind code (kPicture, kString, kGroup); the kind passes its
    // static descriptor table (not owned).
    SnapShotItem(int kind, const SnapItemAttrDesc* table, int count);

    // Applies the sibling name rules to a typed name; returns true when stored.
    bool ApplyName(const std::string& name);

    std::vector<SnapItemAttr> m_rows;
    SnapItemInfo m_info;
    std::uint32_t m_flags = 0;
    std::uint32_t m_idCopy = 0;
    SnapShotItem* m_parent = nullptr;
    const SnapItemAttrDesc* m_descTable = nullptr;
    int m_descCount = 0;
    Graph* m_parentGraph = nullptr;
    int m_kind = 0;
    std::string m_name;
};
