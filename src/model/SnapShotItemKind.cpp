#include "model/SnapShotItemKind.h"

#include "components/visual/Graph.h"
#include "model/APStyleProject.h"
#include "model/ElementDescTables.h"

#include <algorithm>
#include <limits>

namespace {

template <typename T>
T ClampTo(long long value)
{
    return static_cast<T>(
        std::clamp<long long>(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

} // namespace

SnapShotItemKind::SnapShotItemKind(int kind, const SnapItemAttrDesc* table, int count)
    : SnapShotItem(kind, table, count)
{
}

void SnapShotItemKind::RefreshGeometry()
{
    const GraphRect rect = OwnGraph()->Envelop();
    const Graph* parent = ParentGraph();
    const GraphRect origin = parent ? parent->Envelop() : GraphRect{};
    m_info.x = ClampTo<std::int16_t>(static_cast<long long>(rect.left) - origin.left);
    m_info.y = ClampTo<std::int16_t>(static_cast<long long>(rect.top) - origin.top);
    m_info.width = ClampTo<std::uint16_t>(rect.Width());
    m_info.height = ClampTo<std::uint16_t>(rect.Height());
}

GraphRect SnapShotItemKind::AbsoluteRect() const
{
    int x = m_info.x;
    int y = m_info.y;
    for (const SnapShotItem* parent = m_parent; parent; parent = parent->Parent()) {
        SnapItemInfo block;
        parent->CopyAttrBlock(block);
        x += block.x;
        y += block.y;
    }
    return {x, y, x + m_info.width, y + m_info.height};
}

int SnapShotItemKind::RowCount() const
{
    return static_cast<int>(m_rows.size());
}

void SnapShotItemKind::MoveBy(int dx, int dy)
{
    OwnGraph()->Transform(dx, dy);
}

void SnapShotItemKind::CopyAttrBlock(SnapItemInfo& out) const
{
    out = m_info;
}

SnapItemInfo* SnapShotItemKind::AttrBlock()
{
    return &m_info;
}

void SnapShotItemKind::CopyRow(int row, SnapItemAttr& out) const
{
    if (row >= 0 && static_cast<std::size_t>(row) < m_rows.size()) {
        out = m_rows[static_cast<std::size_t>(row)];
    }
}

void SnapShotItemKind::SetDeleted(int on)
{
    SnapShotItem::SetDeleted(on);
    OwnGraph()->SetDeleted(on != 0);
}

int SnapShotItemKind::IsVisible() const
{
    return ShownFlag();
}

int SnapShotItemKind::ShownFlag() const
{
    return StoredVisible() ? 1 : 0;
}

void SnapShotItemKind::SetVisible(int on)
{
    SnapShotItem::SetVisible(on);
    StoreVisible(on);
    SetRowNumber(model::kPropVisible, on ? 1 : 0);
    ApplyShown();
}

void SnapShotItemKind::ApplyShown()
{
    // An element in a hidden group stays hidden on screen but keeps its own value.
    const bool parentShown = m_parent == nullptr || m_parent->IsVisible() != 0;
    OwnGraph()->SetVisible(StoredVisible() && parentShown);
}

void SnapShotItemKind::PlaceDrawable()
{
    Graph* graph = OwnGraph();
    graph->Envelop(AbsoluteRect());
    graph->VisualEnvelop(VisiblePart());
}

GraphRect SnapShotItemKind::VisiblePart() const
{
    GraphRect part = AbsoluteRect();
    if (m_parent) {
        part = part.Intersect(m_parent->VisiblePart());
    }
    return part.IsEmpty() ? GraphRect{} : part;
}

std::uint32_t SnapShotItemKind::GetId() const
{
    return m_info.id;
}

void SnapShotItemKind::SetId(std::uint32_t id)
{
    m_info.id = id;
    m_idCopy = id;
}

void SnapShotItemKind::Rename(const std::string& name)
{
    SetName(name);
    SetRowText(model::kPropName, name);
}

void SnapShotItemKind::ApplyPosition(int row, bool horizontal)
{
    SnapItemAttr& attr = m_rows[static_cast<std::size_t>(row)];
    const std::int16_t value = ClampTo<std::int16_t>(attr.Number());
    attr.SetNumber(value);
    const int old = horizontal ? m_info.x : m_info.y;
    if (value != old) {
        MoveBy(horizontal ? value - old : 0, horizontal ? 0 : value - old);
    }
    if (horizontal) {
        m_info.x = value;
    } else {
        m_info.y = value;
    }
}

std::uint16_t SnapShotItemKind::TakeSize(int row)
{
    SnapItemAttr& attr = m_rows[static_cast<std::size_t>(row)];
    const std::uint16_t value = ClampTo<std::uint16_t>(attr.Number());
    attr.SetNumber(value);
    return value;
}

void SnapShotItemKind::ResizeDrawable(std::uint16_t width, std::uint16_t height)
{
    Graph* graph = OwnGraph();
    const GraphRect rect = graph->Envelop();
    graph->Envelop({rect.left, rect.top, rect.left + width, rect.top + height});
}

void SnapShotItemKind::ResetRows()
{
    m_rows.assign(static_cast<std::size_t>(m_descCount), SnapItemAttr{});
    for (int i = 0; i < m_descCount; ++i) {
        SnapItemAttr& row = m_rows[static_cast<std::size_t>(i)];
        row.kind = m_descTable[i].kind;
        row.label = m_descTable[i].label;
    }
    SetRowText(model::kPropName, m_name);
}

SnapItemAttr* SnapShotItemKind::RowOf(std::int32_t propertyId)
{
    const int row = FindRow(propertyId);
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size()) {
        return nullptr;
    }
    return &m_rows[static_cast<std::size_t>(row)];
}

void SnapShotItemKind::SetRowNumber(std::int32_t propertyId, std::int32_t value)
{
    if (SnapItemAttr* row = RowOf(propertyId)) {
        row->SetNumber(value);
    }
}

void SnapShotItemKind::SetRowText(std::int32_t propertyId, const std::string& text)
{
    if (SnapItemAttr* row = RowOf(propertyId)) {
        row->text = text;
    }
}

void SnapShotItemKind::CopyElementState(const SnapShotItemKind& source)
{
    m_rows = source.m_rows;
    m_info = source.m_info;
    m_flags = source.m_flags;
    m_idCopy = source.m_idCopy;
    m_name = source.m_name;
}

std::uint32_t SnapShotItemKind::CloneId(int newIds) const
{
    APStyleProject* project = APStyleProject::Current();
    if (newIds && project) {
        return static_cast<std::uint32_t>(project->NextId());
    }
    return GetId();
}
