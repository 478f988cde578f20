#include "model/PicSnapshotItem.h"

#include "model/APStyleProject.h"
#include "model/ElementDescTables.h"
#include "platform/MainWindowSink.h"

#include <utility>

namespace {

// The size a picture falls back to when its file is no longer in the picture list.
constexpr std::uint16_t kUnboundSize = 20;

} // namespace

PicSnapshotItem::PicSnapshotItem(int single)
    : PicSnapshotItem(kPicture, single ? model::PictureDescTable() : model::RegionDescTable(),
                      single ? model::kPictureDescCount : model::kRegionDescCount)
{
    m_single = single ? 1 : 0;
    // The block counts one frame from the start; the list holds it, so that the
    // commands that fill "the current frame" of a new picture find one.
    m_frames.emplace_back();
}

PicSnapshotItem::PicSnapshotItem(int kind, const SnapItemAttrDesc* table, int count)
    : SnapShotItemKind(kind, table, count)
{
    PicItemInfo info;
    const GraphRect rect = Envelop();
    info.x = static_cast<std::int16_t>(rect.left);
    info.y = static_cast<std::int16_t>(rect.top);
    info.width = static_cast<std::uint16_t>(rect.Width());
    info.height = static_cast<std::uint16_t>(rect.Height());
    info.StoreInto(m_info);
}

bool PicSnapshotItem::IsResizeable() const
{
    // A picture or region is as large as its picture file: it moves on the surface but does
    // not resize (its Width and Height rows are read-only too). Groups resize.
    return KindCode() != kPicture && ImageGraph::IsResizeable();
}

PicSnapshotItem::~PicSnapshotItem() = default;

Graph* PicSnapshotItem::OwnGraph()
{
    return this;
}

Graph* PicSnapshotItem::GetParentGraph() const
{
    return ParentGraph();
}

PicFrame* PicSnapshotItem::CurrentFrame()
{
    if (m_currentFrame < 0 || static_cast<std::size_t>(m_currentFrame) >= m_frames.size()) {
        return nullptr;
    }
    return &m_frames[static_cast<std::size_t>(m_currentFrame)];
}

const PicFrame* PicSnapshotItem::CurrentFrame() const
{
    return const_cast<PicSnapshotItem*>(this)->CurrentFrame();
}

void PicSnapshotItem::AppendFrame(const PicFrame& frame)
{
    m_frames.push_back(frame);
    PicItemInfo info = PicInfo();
    ++info.frameCount;
    SetPicInfo(info);
}

bool PicSnapshotItem::StoredVisible() const
{
    return PicInfo().visible != 0;
}

void PicSnapshotItem::StoreVisible(int on)
{
    PicItemInfo info = PicInfo();
    info.visible = static_cast<std::uint8_t>(on);
    SetPicInfo(info);
}

void PicSnapshotItem::LoadResource()
{
    // Any index that names no frame falls back to the first (a typed negative
    // index included).
    if (!CurrentFrame()) {
        m_currentFrame = 0;
    }
    if (const PicFrame* frame = CurrentFrame(); frame && frame->id != -1) {
        const APStyleProject* project = APStyleProject::Current();
        const std::string path = project ? project->ResolvePath(frame->path, false) : frame->path;
        // A picture that cannot be read keeps the drawable's previous one.
        LoadImageA(path);
    }
    RefreshGeometry();
    PlaceDrawable();
    SetVisible(PicInfo().visible);
}

bool PicSnapshotItem::BindCurrentFrame()
{
    PicFrame* frame = CurrentFrame();
    const APStyleProject* project = APStyleProject::Current();
    if (!frame || !project) {
        return false;
    }
    const PictureRegistry& list = project->Pictures();
    const std::int32_t old = frame->id;
    const auto first = static_cast<long long>(list.FirstNumber());
    if (list.Empty()) {
        frame->id = -1;
        return frame->id != old;
    }
    if (frame->id < 1) {
        // An unbound frame whose picture has come (back) into the list takes it.
        const int index = list.Find(frame->path);
        frame->id = index >= 0 ? static_cast<std::int32_t>(first + index) : -1;
        return frame->id != old;
    }
    const long long hint = frame->id - first;
    if (hint >= 0 && static_cast<std::size_t>(hint) < list.Size() &&
        list.At(static_cast<std::size_t>(hint)).path == frame->path) {
        return false;
    }
    const int index = list.Find(frame->path);
    if (index < 0) {
        frame->id = -1;
        PicItemInfo info = PicInfo();
        info.width = kUnboundSize;
        info.height = kUnboundSize;
        SetPicInfo(info);
        // The drawable takes the size too, or the geometry refresh would undo it.
        ResizeDrawable(kUnboundSize, kUnboundSize);
    } else {
        frame->id = static_cast<std::int32_t>(first + index);
    }
    return frame->id != old;
}

void PicSnapshotItem::RefreshRows()
{
    RefreshGeometry();
    m_idCopy = m_info.id;
    if (BindCurrentFrame()) {
        LoadResource();
    }
    bool moved = false;
    // Copied out: the block is packed, its fields cannot be bound to references.
    const std::pair<std::int32_t, std::int32_t> geometry[] = {
        {model::kPropX, std::int32_t{m_info.x}},
        {model::kPropY, std::int32_t{m_info.y}},
        {model::kPropWidth, std::int32_t{m_info.width}},
        {model::kPropHeight, std::int32_t{m_info.height}}};
    for (const auto& [id, value] : geometry) {
        const SnapItemAttr* row = RowOf(id);
        moved = moved || (row && row->Number() != value);
    }
    if (moved) {
        if (APStyleProject* project = APStyleProject::Current()) {
            project->SetModified(1);
        }
    }
    FillRows();
}

void PicSnapshotItem::FillRows()
{
    const PicItemInfo info = PicInfo();
    const PicFrame* frame = CurrentFrame();
    SetRowText(model::kPropName, m_name);
    SetRowNumber(model::kPropX, info.x);
    SetRowNumber(model::kPropY, info.y);
    SetRowNumber(model::kPropWidth, info.width);
    SetRowNumber(model::kPropHeight, info.height);
    SetRowNumber(kPropFrames, info.frameCount);
    SetRowNumber(kPropCurrent, m_currentFrame);
    SetRowNumber(kPropIndex, frame ? frame->id : -1);
    SetRowText(kPropPath, frame ? frame->path : std::string());
    SetRowNumber(model::kPropVisible, info.visible != 0 ? 1 : 0);
    SetRowNumber(kPropCompress, info.compress != 0 ? 1 : 0);
    SetRowNumber(kPropPngA8, info.alphaFormat);
    SetRowNumber(kPropArgbOutput, info.argbOutput);
}

std::string PicSnapshotItem::RowDescription(int row, int column) const
{
    const PicFrame* frame = CurrentFrame();
    if (column == 0 && row >= 0 && row < m_descCount && PropertyIdOf(row) == kPropPath && frame &&
        !frame->path.empty()) {
        return frame->path;
    }
    return SnapShotItemKind::RowDescription(row, column);
}

void PicSnapshotItem::BuildAttrList(const SnapItemInfo& block)
{
    ResetRows();
    m_idCopy = block.id;
    m_info = block;
    FillRows();
    SetVisible(PicInfo().visible);
    PlaceDrawable();
}

int PicSnapshotItem::SetAttrText(int row, int column, const std::string& text)
{
    if (!SnapShotItemKind::SetAttrText(row, column, text)) {
        return 0;
    }
    SnapItemAttr& attr = m_rows[static_cast<std::size_t>(row)];
    switch (PropertyIdOf(row)) {
    case model::kPropX:
        ApplyPosition(row, true);
        break;
    case model::kPropY:
        ApplyPosition(row, false);
        break;
    case model::kPropVisible:
        SetVisible(attr.Number());
        break;
    case kPropCompress:
        SetFrameCompress(attr.Number());
        break;
    case kPropCurrent:
        m_currentFrame = attr.Number();
        break;
    case kPropPngA8:
        SetFramePngA8(attr.Number());
        attr.SetNumber(PicInfo().alphaFormat);
        break;
    case kPropArgbOutput: {
        const int value = SetFrameArgbOutput(text);
        // Other selected elements follow this one (the main window applies it).
        platform::notifyMainWindow(platform::kMsgPropertyFollow, kPropArgbOutput, value);
        break;
    }
    default:
        break;
    }
    return 1;
}

void PicSnapshotItem::SetFrameCompress(int on)
{
    const auto value = static_cast<std::uint8_t>(on != 0 ? 1 : 0);
    if (PicFrame* frame = CurrentFrame()) {
        frame->compress = value;
    }
    PicItemInfo info = PicInfo();
    info.compress = value;
    SetPicInfo(info);
}

void PicSnapshotItem::SetFramePngA8(int value)
{
    const auto format = static_cast<std::uint8_t>(value == 1 ? 8 : value);
    if (PicFrame* frame = CurrentFrame()) {
        frame->alphaFormat = format;
    }
    PicItemInfo info = PicInfo();
    info.alphaFormat = format;
    SetPicInfo(info);
}

int PicSnapshotItem::SetFrameArgbOutput(const std::string& text)
{
    const std::uint8_t value = text == "8888" ? 8 : text == "6666" ? 6 : 0;
    if (PicFrame* frame = CurrentFrame()) {
        frame->argbOutput = value;
    }
    PicItemInfo info = PicInfo();
    info.argbOutput = value;
    SetPicInfo(info);
    SetRowNumber(kPropArgbOutput, value);
    return value;
}

void PicSnapshotItem::CopyPictureState(const PicSnapshotItem& source)
{
    ImageGraph::Copy(static_cast<const ImageGraph&>(source));
    m_frames = source.m_frames;
    m_currentFrame = source.m_currentFrame;
}

std::unique_ptr<SnapShotItem> PicSnapshotItem::Clone(int newIds) const
{
    auto copy = std::make_unique<PicSnapshotItem>(m_single);
    copy->CopyPictureState(*this);
    copy->CopyElementState(*this);
    if (newIds) {
        copy->SetId(CloneId(newIds));
    }
    return copy;
}
