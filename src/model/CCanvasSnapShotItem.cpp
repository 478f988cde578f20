#include "model/CCanvasSnapShotItem.h"

#include "model/ElementDescTables.h"
#include "model/ElementFactory.h"

#include <algorithm>
#include <cstring>

namespace {

// Each child of a kind this model builds; others (none in the editor) are skipped.
template <typename Fn>
void ForEachKindChild(const SnapItemList& children, Fn fn)
{
    for (const auto& child : children) {
        if (auto* kind = dynamic_cast<SnapShotItemKind*>(child.get())) {
            fn(*kind);
        }
    }
}

} // namespace

CCanvasSnapShotItem::CCanvasSnapShotItem()
    : PicSnapshotItem(kGroup, model::GroupDescTable(), model::kGroupDescCount)
{
    BkColor(m_group.background);
    SetUseBkColor(true);
    SetFullVisual();
    SyncGroupBlock();
}

CCanvasSnapShotItem::~CCanvasSnapShotItem() = default;

int CCanvasSnapShotItem::LiveChildCount() const
{
    return static_cast<int>(std::count_if(m_children.begin(), m_children.end(),
                                          [](const auto& child) { return !child->IsDeleted(); }));
}

bool CCanvasSnapShotItem::StoredVisible() const
{
    return m_group.visible != 0;
}

void CCanvasSnapShotItem::StoreVisible(int on)
{
    m_group.visible = static_cast<std::uint8_t>(on);
}

int CCanvasSnapShotItem::ShownFlag() const
{
    if (!m_parent) {
        return static_cast<const Graph&>(*this).IsVisible() ? 1 : 0;
    }
    return m_parent->IsVisible() && StoredVisible() ? 1 : 0;
}

void CCanvasSnapShotItem::ApplyShown()
{
    PicSnapshotItem::ApplyShown();
    ForEachKindChild(m_children, [](SnapShotItemKind& child) { child.ApplyShown(); });
}

void CCanvasSnapShotItem::PlaceDrawable()
{
    Envelop(AbsoluteRect());
    if (m_parent) {
        VisualEnvelop(VisiblePart());
    } else {
        SetFullVisual();
    }
    PlaceChildren();
}

void CCanvasSnapShotItem::PlaceChildren()
{
    ForEachKindChild(m_children, [](SnapShotItemKind& child) { child.PlaceDrawable(); });
}

void CCanvasSnapShotItem::ApplyLook()
{
    Transparency(m_group.transparency);
    BkColor(m_group.background);
    SetUseBkColor(m_group.opaque == 0);
}

void CCanvasSnapShotItem::FitDrawable()
{
    Envelop(AbsoluteRect());
    SetFullVisual();
}

void CCanvasSnapShotItem::SyncGroupBlock()
{
    m_group.groupId = m_info.id;
    m_group.x = m_info.x;
    m_group.y = m_info.y;
    m_group.width = m_info.width;
    m_group.height = m_info.height;
    std::memcpy(m_savedBlock.data(), &m_info, m_savedBlock.size());
}

void CCanvasSnapShotItem::LoadResource()
{
    PlaceDrawable();
    ApplyLook();
    ApplyShown();
    for (const auto& child : m_children) {
        if (!child->IsDeleted()) {
            child->LoadResource();
        }
    }
}

void CCanvasSnapShotItem::RefreshGeometry()
{
    PicSnapshotItem::RefreshGeometry();
    SyncGroupBlock();
}

void CCanvasSnapShotItem::RefreshRows()
{
    const GraphRect placed = AbsoluteRect();
    RefreshGeometry();
    m_idCopy = m_info.id;
    const GraphRect now = AbsoluteRect();
    if (now.left != placed.left || now.top != placed.top) {
        // The group was moved on the surface: its children keep their place in it.
        PlaceChildren();
    }
    FillGroupRows();
}

void CCanvasSnapShotItem::FillGroupRows()
{
    SetRowText(model::kPropName, m_name);
    SetRowNumber(model::kPropX, m_info.x);
    SetRowNumber(model::kPropY, m_info.y);
    SetRowNumber(model::kPropWidth, m_info.width);
    SetRowNumber(model::kPropHeight, m_info.height);
    SetRowNumber(kPropTransparency, Transparency());
    SetRowNumber(kPropBackground, static_cast<std::int32_t>(m_group.background));
    SetRowNumber(kPropOpaque, m_group.opaque != 0 ? 1 : 0);
    SetRowNumber(kPropResourceNum, LiveChildCount());
    SetRowNumber(model::kPropVisible, m_group.visible != 0 ? 1 : 0);
}

void CCanvasSnapShotItem::MoveBy(int dx, int dy)
{
    Transform(dx, dy);
    RefreshGeometry();
    for (const auto& child : m_children) {
        child->MoveBy(dx, dy);
    }
    SyncGroupBlock();
}

void CCanvasSnapShotItem::BuildAttrList(const SnapItemInfo& block)
{
    ResetRows();
    m_idCopy = block.id;
    m_info = block;
    SyncGroupBlock();
    SetVisible(m_group.visible);
    PlaceDrawable();
    ApplyLook();
    FillGroupRows();
}

int CCanvasSnapShotItem::SetAttrText(int row, int column, const std::string& text)
{
    // The picture's properties do not apply: only the base parses.
    if (!SnapShotItemKind::SetAttrText(row, column, text)) {
        return 0;
    }
    SnapItemAttr& attr = m_rows[static_cast<std::size_t>(row)];
    switch (PropertyIdOf(row)) {
    case model::kPropX:
    case model::kPropY:
        ApplyPosition(row, PropertyIdOf(row) == model::kPropX);
        SyncGroupBlock();
        break;
    case model::kPropWidth:
        m_info.width = TakeSize(row);
        SyncGroupBlock();
        ResizeDrawable(m_info.width, m_info.height);
        break;
    case model::kPropHeight:
        m_info.height = TakeSize(row);
        SyncGroupBlock();
        ResizeDrawable(m_info.width, m_info.height);
        break;
    case kPropTransparency: {
        const int typed = attr.Number();
        const int value = std::clamp(typed, 0, 255);
        Transparency(value);
        m_group.transparency = static_cast<std::uint8_t>(value);
        if (value != typed) {
            attr.SetNumber(value);
            RefreshRows();
        }
        break;
    }
    case kPropBackground:
        m_group.background = static_cast<std::uint32_t>(attr.words[0]);
        BkColor(m_group.background);
        break;
    case model::kPropVisible:
        SetVisible(attr.Number());
        break;
    case kPropOpaque:
        m_group.opaque = attr.Number() != 0 ? 1 : 0;
        SetUseBkColor(m_group.opaque == 0);
        break;
    default:
        break;
    }
    return 1;
}

void CCanvasSnapShotItem::SetEditable(int on, int withSelf)
{
    Graph& drawable = *this;
    if (withSelf) {
        drawable.SetEditable(on != 0);
    }
    drawable.SetResizeable(on != 0);
    m_editable = on ? 1 : 0;
    for (const auto& child : m_children) {
        child->SetEditable(on, withSelf);
    }
}

int CCanvasSnapShotItem::IsEditable()
{
    return m_editable ? 1 : 0;
}

std::uint32_t CCanvasSnapShotItem::GetId() const
{
    return m_group.groupId;
}

void CCanvasSnapShotItem::SetId(std::uint32_t id)
{
    PicSnapshotItem::SetId(id);
    m_group.groupId = id;
}

std::unique_ptr<SnapShotItem> CCanvasSnapShotItem::Clone(int newIds) const
{
    auto copy = std::make_unique<CCanvasSnapShotItem>();
    copy->CopyPictureState(*this);
    copy->m_group = m_group;
    copy->m_editable = m_editable;
    copy->m_savedBlock = m_savedBlock;
    copy->CopyElementState(*this);
    if (newIds) {
        copy->SetId(CloneId(newIds));
    }
    for (const auto& child : m_children) {
        std::unique_ptr<SnapShotItem> childCopy = child->Clone(newIds);
        childCopy->SetParent(copy.get());
        copy->m_children.push_back(std::move(childCopy));
    }
    // A locked group locks the copied tree; an unlocked one leaves each child
    // group's own lock as its clone made it, so that a copy keeps every lock.
    if (!m_editable) {
        copy->SetEditable(0, 1);
    }
    const SnapItemInfo block = copy->m_info;
    copy->BuildAttrList(block);
    copy->Envelop(Envelop());
    return copy;
}

SnapShotItem* CCanvasSnapShotItem::AddChild(int kind, int single)
{
    if (!model::IsElementKind(kind)) {
        return nullptr;
    }
    ++m_group.childCounter;
    m_children.push_back(model::CreateElement(kind, single, this));
    auto& added = static_cast<SnapShotItemKind&>(*m_children.back());
    model::AvoidSiblingNameClash(added, m_children);
    return &added;
}

SnapShotItem* CCanvasSnapShotItem::AppendChild(std::unique_ptr<SnapShotItem> child)
{
    if (!child) {
        return nullptr;
    }
    child->SetParent(this);
    m_children.push_back(std::move(child));
    return m_children.back().get();
}
