#pragma once

#include "model/GridRow.h"
#include "model/SceneRecord.h"
#include "model/SnapItemAttrDesc.h"
#include "model/SnapShotItem.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One scene (screen) of a project: its record, its top-level elements (normally
// one resource group) and its name. Deleting a scene only sets its deleted flag;
// scenes are freed with their project.
class Snapshot
{
public:
    enum : std::uint32_t
    {
        kFlagDeleted = 2
    };
    static constexpr int kDescCount = 12;

    Snapshot();
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;
    virtual ~Snapshot();

    // The deleted flag as stored: 2 when deleted, else 0.
    virtual int IsDeleted() const;
    // Sets (non-zero) or clears the deleted flag.
    virtual void SetDeleted(int on);
    virtual std::uint32_t GetId() const;
    virtual void SetId(std::uint32_t id);

    // A copy of the scene with a fresh identifier from the current project (the
    // same identifier when no project is current), the same name, reserved word
    // and flags, and a clone of every top-level element made with `newIds`.
    // Grid rows are not copied. The caller owns the copy.
    std::unique_ptr<Snapshot> Clone(int newIds) const;

    // Takes ownership of a top-level element and appends it. Returns it, owned by
    // the scene. The project file reader appends through this; AddChild (kind,
    // single), which arrives with the element kinds, creates the scene's element
    // only while the list is empty (a deleted element counts) and appends it here.
    SnapShotItem* AppendElement(std::unique_ptr<SnapShotItem> element);

    SceneRecord& Record() { return m_record; }
    const SceneRecord& Record() const { return m_record; }
    SnapItemList& Elements() { return m_elements; }
    const SnapItemList& Elements() const { return m_elements; }
    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    std::uint32_t ReservedWord() const { return m_reserved; }
    void SetReservedWord(std::uint32_t word) { m_reserved = word; }
    const SnapItemAttrDesc* DescTable() const { return m_descTable; }
    int DescCount() const { return m_descCount; }
    std::vector<GridRow>& GridRows() { return m_gridRows; }
    std::uint32_t Flags() const { return m_flags; }

    // The 12-row descriptor table shared by all scenes (static, not owned).
    static const SnapItemAttrDesc* SceneDescTable();

private:
    SceneRecord m_record;
    SnapItemList m_elements;
    std::string m_name;
    std::uint32_t m_reserved = 0;
    const SnapItemAttrDesc* m_descTable;
    int m_descCount = kDescCount;
    std::vector<GridRow> m_gridRows;
    std::uint32_t m_flags = 0;
};
