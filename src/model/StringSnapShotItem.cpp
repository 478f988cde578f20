#include "model/StringSnapShotItem.h"

#include "model/APStyleProject.h"
#include "model/ElementDescTables.h"

#include <algorithm>

namespace {

constexpr std::uint8_t kHorizontalBits = 0x03;
constexpr std::uint8_t kVerticalBits = 0x0C;

} // namespace

StringSnapShotItem::StringSnapShotItem()
    : SnapShotItemKind(kString, model::StringDescTable(), model::kStringDescCount)
{
    StringItemInfo().StoreInto(m_info);
}

StringSnapShotItem::~StringSnapShotItem() = default;

Graph* StringSnapShotItem::OwnGraph()
{
    return this;
}

Graph* StringSnapShotItem::GetParentGraph() const
{
    return ParentGraph();
}

bool StringSnapShotItem::StoredVisible() const
{
    return StringInfo().visible != 0;
}

void StringSnapShotItem::StoreVisible(int on)
{
    StringItemInfo info = StringInfo();
    info.visible = static_cast<std::uint8_t>(on);
    SetStringInfo(info);
}

unsigned StringSnapShotItem::FormatOf(std::uint8_t align)
{
    unsigned format = kFormatLeft;
    switch (align & kHorizontalBits) {
    case 2:
        format = kFormatCenter;
        break;
    case 1:
        format = kFormatRight;
        break;
    default:
        break;
    }
    switch (align & kVerticalBits) {
    case 0x0C:
        format |= kFormatVCenter | kFormatSingleLine;
        break;
    case 0x04:
        format |= kFormatBottom | kFormatSingleLine;
        break;
    default:
        break;
    }
    return format;
}

void StringSnapShotItem::LoadResource()
{
    const StringItemInfo info = StringInfo();
    SetFontHeight(info.fontHeight);
    SetFontWidth(info.fontHeight / 2);
    PlaceDrawable();
    SetBkMode(info.modeTimesTwo == 0 ? kBkOpaque : kBkTransparent);
    SetTextFormat(FormatOf(info.align));
    SetTextColor(info.foreground);
    SetTextBkColor(info.background);
    SetVisible(info.visible);
    if (m_store.textCount != 0) {
        ShowText();
    }
}

void StringSnapShotItem::ShowText()
{
    const APStyleProject* project = APStyleProject::Current();
    if (project && project->PreviewText()) {
        SetTextW(project->PreviewText()(m_store.texts[0]));
        return;
    }
    int language = project ? project->DisplayLanguage() : 0;
    if (language < 0 || language >= StringRecord::kLanguages) {
        language = 0;
    }
    const auto slot = static_cast<std::size_t>(language);
    if (m_store.wideTexts[0].empty()) {
        const std::string& narrow = m_store.texts[slot];
        SetText(narrow.empty() ? m_store.texts[0] : narrow);
        return;
    }
    const std::u16string& wide = m_store.displayTexts[slot];
    SetTextW(wide.empty() ? m_store.displayTexts[0] : wide);
}

void StringSnapShotItem::Unbind()
{
    StringItemInfo info = StringInfo();
    info.stringId = -1;
    SetStringInfo(info);
    m_store.ClearTexts();
    SetText("Null");
}

bool StringSnapShotItem::Bind()
{
    const APStyleProject* project = APStyleProject::Current();
    if (!project || project->Strings().Empty()) {
        Unbind();
        return false;
    }
    const StringRegistry& list = project->Strings();
    StringItemInfo info = StringInfo();
    long long id = info.stringId;
    if (id < 0 && !m_store.identifier.empty()) {
        id = 1;
    }
    if (id < 1) {
        Unbind();
        return false;
    }
    const long long first = list.FirstNumber();
    const long long hint = id - first;
    long long index = -1;
    if (hint >= 0 && static_cast<std::size_t>(hint) < list.Size() &&
        list.Records()[static_cast<std::size_t>(hint)].identifier == m_store.identifier) {
        index = hint;
    } else {
        index = list.Find(m_store.identifier);
    }
    if (index < 0) {
        Unbind();
        return false;
    }
    info.stringId = static_cast<std::int16_t>(first + index);
    SetStringInfo(info);
    // Taken again even when the hint held: the texts may have been imported anew.
    m_store = list.Records()[static_cast<std::size_t>(index)];
    return true;
}

void StringSnapShotItem::RefreshRows()
{
    // The drawable may have been moved or sized on the surface.
    RefreshGeometry();
    m_idCopy = m_info.id;
    Bind();
    LoadResource();
    FillRows();
}

void StringSnapShotItem::FillRows()
{
    const StringItemInfo info = StringInfo();
    SetRowText(model::kPropName, m_name);
    SetRowNumber(model::kPropX, info.x);
    SetRowNumber(model::kPropY, info.y);
    SetRowNumber(model::kPropWidth, info.width);
    SetRowNumber(model::kPropHeight, info.height);
    SetRowNumber(kPropMode, info.modeTimesTwo / 2);
    SetRowNumber(kPropFontHeight, info.fontHeight);
    SetRowNumber(kPropForeground, static_cast<std::int32_t>(info.foreground));
    SetRowNumber(kPropBackground, static_cast<std::int32_t>(info.background));
    if (SnapItemAttr* align = RowOf(kPropAlign)) {
        align->SetAlign(info.align & kHorizontalBits, info.align & kVerticalBits);
    }
    // An unbound string shows -1, not the number its store had last.
    SetRowNumber(kPropIndex, info.stringId < 0 ? -1 : static_cast<std::int32_t>(m_store.number));
    SetRowText(kPropStringId, m_store.identifier);
    SetRowNumber(kPropTextScroll, info.textScroll);
    SetRowNumber(kPropScrollDirection, info.scrollSign == -1 ? 0 : 1);
    SetRowNumber(kPropScrollSpace, info.scrollInterval);
    SetRowNumber(kPropScrollPixel, info.scrollPixels);
    SetRowNumber(model::kPropVisible, info.visible != 0 ? 1 : 0);
}

void StringSnapShotItem::BuildAttrList(const SnapItemInfo& block)
{
    ResetRows();
    m_idCopy = block.id;
    m_info = block;
    FillRows();
    SetVisible(StringInfo().visible);
    PlaceDrawable();
    LoadResource();
}

int StringSnapShotItem::SetAttrText(int row, int column, const std::string& text)
{
    if (!SnapShotItemKind::SetAttrText(row, column, text)) {
        return 0;
    }
    SnapItemAttr& attr = m_rows[static_cast<std::size_t>(row)];
    const std::int32_t id = PropertyIdOf(row);
    if (id == model::kPropX || id == model::kPropY) {
        ApplyPosition(row, id == model::kPropX);
    } else if (id == model::kPropVisible) {
        SetVisible(attr.Number());
    } else {
        StringItemInfo info = StringInfo();
        switch (id) {
        case model::kPropWidth:
            info.width = TakeSize(row);
            ResizeDrawable(info.width, info.height);
            break;
        case model::kPropHeight:
            info.height = TakeSize(row);
            ResizeDrawable(info.width, info.height);
            break;
        case kPropMode:
            info.modeTimesTwo = static_cast<std::uint8_t>(attr.Number() * 2);
            break;
        case kPropFontHeight:
            attr.SetNumber(std::clamp(attr.Number(), 0, 255));
            info.fontHeight = static_cast<std::uint8_t>(attr.Number());
            break;
        case kPropForeground:
            info.foreground = static_cast<std::uint32_t>(attr.words[0]);
            break;
        case kPropBackground:
            info.background = static_cast<std::uint32_t>(attr.words[0]);
            break;
        case kPropAlign:
            info.align = static_cast<std::uint8_t>(attr.HorizontalAlign() | attr.VerticalAlign());
            break;
        case kPropTextScroll:
            info.textScroll = attr.Number() != 0 ? 1 : 0;
            break;
        case kPropScrollDirection:
            info.scrollSign = attr.Number() == 0 ? -1 : 1;
            break;
        case kPropScrollSpace:
            info.scrollInterval = TakeSize(row);
            break;
        case kPropScrollPixel:
            info.scrollPixels = TakeSize(row);
            break;
        default:
            break;
        }
        SetStringInfo(info);
    }
    if (id != model::kPropName) {
        LoadResource();
    }
    return 1;
}

std::unique_ptr<SnapShotItem> StringSnapShotItem::Clone(int newIds) const
{
    auto copy = std::make_unique<StringSnapShotItem>();
    copy->StringGraph::Copy(static_cast<const StringGraph&>(*this));
    copy->m_store = m_store;
    copy->CopyElementState(*this);
    if (newIds) {
        copy->SetId(CloneId(newIds));
    }
    return copy;
}
