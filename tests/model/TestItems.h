#pragma once

#include "components/visual/Graph.h"
#include "model/SnapShotItem.h"

#include <memory>

// Minimal element kinds for exercising the element base: a leaf and a container,
// each its own drawable as the real kinds are.
class TestItem : public SnapShotItem, public Graph
{
public:
    static const SnapItemAttrDesc kTable[];
    static const int kTableCount;

    explicit TestItem(const std::string& name = {}, int kind = kPicture)
        : SnapShotItem(kind, kTable, kTableCount)
    {
        SetName(name);
        m_rows.resize(static_cast<std::size_t>(kTableCount));
        for (int i = 0; i < kTableCount; ++i) {
            m_rows[static_cast<std::size_t>(i)].kind = kTable[i].kind;
            m_rows[static_cast<std::size_t>(i)].label = kTable[i].label;
        }
        m_rows[0].text = name;
    }

    Graph* OwnGraph() override { return this; }
    void LoadResource() override {}
    void RefreshGeometry() override {}
    GraphRect AbsoluteRect() const override { return {}; }
    void RefreshRows() override {}
    int RowCount() const override { return static_cast<int>(m_rows.size()); }
    void MoveBy(int, int) override {}
    void CopyAttrBlock(SnapItemInfo& out) const override { out = m_info; }
    SnapItemInfo* AttrBlock() override { return &m_info; }
    void CopyRow(int row, SnapItemAttr& out) const override
    {
        out = m_rows.at(static_cast<std::size_t>(row));
    }
    void BuildAttrList(const SnapItemInfo& block) override { m_info = block; }
    GraphRect VisiblePart() const override { return {}; }
    std::unique_ptr<SnapShotItem> Clone(int) const override
    {
        auto copy = std::make_unique<TestItem>(Name(), KindCode());
        copy->m_info = m_info;
        return copy;
    }
    std::uint32_t GetId() const override { return m_info.id; }
    void SetId(std::uint32_t id) override { m_info.id = id; }

    SnapItemAttr& Row(int row) { return m_rows.at(static_cast<std::size_t>(row)); }
};

// A container that owns its children, as a resource group does.
class TestGroup : public TestItem
{
public:
    explicit TestGroup(const std::string& name = {}) : TestItem(name, kGroup) {}

    const SnapItemList* Children() const override { return &m_children; }

    TestItem* Add(const std::string& name)
    {
        m_children.push_back(std::make_unique<TestItem>(name));
        m_children.back()->SetParent(this);
        return static_cast<TestItem*>(m_children.back().get());
    }

private:
    SnapItemList m_children;
};
