#include "model/SnapShotItem.h"

#include "model/APStyleProject.h"
#include "components/visual/Graph.h"
#include "platform/AsciiCase.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

#include <cstdio>

namespace {

// Formats one of the name-clash messages; `%s` stands for each name in turn.
std::string Quoted(const char* format, const std::string& a, const std::string& b = {})
{
    const int size = std::snprintf(nullptr, 0, format, a.c_str(), b.c_str());
    std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    std::snprintf(out.data(), out.size() + 1, format, a.c_str(), b.c_str());
    return out;
}

} // namespace

SnapShotItem::SnapShotItem(int kind, const SnapItemAttrDesc* table, int count)
    : m_descTable(table), m_descCount(table ? count : 0), m_kind(kind)
{
}

SnapShotItem::~SnapShotItem() = default;

Graph* SnapShotItem::ParentGraph() const
{
    return m_parentGraph;
}

void SnapShotItem::SetParent(SnapShotItem* parent)
{
    m_parent = parent;
    m_parentGraph = parent ? parent->OwnGraph() : nullptr;
}

std::string SnapShotItem::RowDescription(int row, int column) const
{
    if (row < 0 || row >= m_descCount || column != 0) {
        return {};
    }
    const char* description = m_descTable[row].description;
    return description ? platform::uiText(description) : "";
}

std::string SnapShotItem::GetAttrText(int row, int column) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size()) {
        return {};
    }
    // The current frame only means something for a picture region (kind code 1).
    return m_rows[static_cast<std::size_t>(row)].Text(column, m_kind == kPicture);
}

int SnapShotItem::SetAttrText(int row, int column, const std::string& text)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size()) {
        return 0;
    }
    SnapItemAttr& attr = m_rows[static_cast<std::size_t>(row)];
    if (attr.kind == kAttrName) {
        return column == 1 && ApplyName(text) ? 1 : 0;
    }
    if (!attr.Parse(column, text, m_kind == kPicture)) {
        return 0;
    }
    if (attr.kind == kAttrX && attr.Number() % 2 != 0) {
        // Advice only: the odd value is kept.
        platform::interaction().showMessage(platform::uiText("建议x坐标偶数对齐!"));
    }
    return 1;
}

bool SnapShotItem::ApplyName(const std::string& name)
{
    const bool differs = !platform::equalsIgnoreAsciiCase(name, m_name);
    const int same = APStyleProject::FindChildByName(name, m_parent);
    const int sameHash = APStyleProject::FindChildByHash(name, m_parent);
    if (same >= 0 && differs) {
        platform::interaction().showMessage(
            Quoted(platform::uiText("该资源组下已经有名字为\"%s\"的资源，请使用其他名字!"), name));
        return false;
    }
    if (same < 0 && sameHash >= 0 && differs) {
        const auto& sibling = (*m_parent->Children())[static_cast<std::size_t>(sameHash)];
        platform::interaction().showMessage(
            Quoted(platform::uiText("该资源组下存在相同Hash值资源\"%s\"、\"%s\"，请使用其他名字!"),
                   name, sibling->Name()));
        return false;
    }
    const int row = FindRow(0);
    if (row >= 0 && static_cast<std::size_t>(row) < m_rows.size()) {
        m_rows[static_cast<std::size_t>(row)].text = name;
    }
    m_name = name;
    return true;
}

int SnapShotItem::IsDeleted() const
{
    return (m_flags & kFlagDeleted) ? 1 : 0;
}

void SnapShotItem::SetDeleted(int on)
{
    m_flags = on ? (m_flags | kFlagDeleted) : (m_flags & ~kFlagDeleted);
}

int SnapShotItem::IsVisible() const
{
    return (m_flags & kFlagHidden) ? 0 : 1;
}

void SnapShotItem::SetVisible(int on)
{
    m_flags = on ? (m_flags & ~kFlagHidden) : (m_flags | kFlagHidden);
}

void SnapShotItem::SetEditable(int on, int /*withSelf*/)
{
    if (Graph* graph = OwnGraph()) {
        graph->SetEditable(on != 0);
    }
}

int SnapShotItem::IsEditable()
{
    Graph* graph = OwnGraph();
    return graph && graph->IsEditable() ? 1 : 0;
}

int SnapShotItem::FindRow(std::int32_t propertyId) const
{
    for (int i = 0; i < m_descCount; ++i) {
        if (m_descTable[i].id == propertyId) {
            return i;
        }
    }
    return -1;
}
