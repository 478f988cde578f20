#include "generate/StyleContentBuilder.h"

#include "components/visual/CxImage.h"
#include "generate/IdentifierBase.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/NameHash.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"
#include "platform/UiText.h"

#include <algorithm>
#include <limits>

namespace generate {
namespace {

std::vector<std::int64_t> positionsOf(const std::vector<std::uint32_t>& used, std::size_t size)
{
    std::vector<std::int64_t> positions(size, -1);
    for (std::size_t i = 0; i < used.size(); ++i) {
        if (used[i] < size && positions[used[i]] < 0) {
            positions[used[i]] = static_cast<std::int64_t>(i);
        }
    }
    return positions;
}

StyleGroupBlock blockOf(const CCanvasSnapShotItem& group)
{
    const GroupInfo info = group.Group(); // packed: read by value
    StyleGroupBlock block;
    block.x = info.x;
    block.y = info.y;
    block.width = info.width;
    block.height = info.height;
    block.backgroundColour = info.background;
    block.visible = info.visible;
    block.opaque = info.opaque;
    block.transparency = info.transparency;
    block.reserved = info.reserved1;
    return block;
}

// The frame whose file gives a picture its size and a single picture its identifier: the
// current one, or the first when the index names none (as when the picture is shown).
const PicFrame* shownFrame(const PicSnapshotItem& picture)
{
    if (const PicFrame* frame = picture.CurrentFrame()) {
        return frame;
    }
    return picture.Frames().empty() ? nullptr : &picture.Frames().front();
}

bool isDrawableDeleted(const PicSnapshotItem& picture)
{
    return static_cast<const Graph&>(picture).IsDelected();
}

} // namespace

StyleContentBuilder::StyleContentBuilder(APStyleProject& project, bool resetLayerMap)
    : m_project(project), m_reset(resetLayerMap), m_base(identifierBase(project.BuildResType())),
      m_picturePosition(positionsOf(project.UsedPictures(), project.Pictures().Size())),
      m_stringPosition(positionsOf(project.UsedStrings(), project.Strings().Size()))
{
}

std::optional<StyleFileContent> StyleContentBuilder::build()
{
    StyleFileContent content;
    content.firstWord = m_project.HeaderWords()[0];
    content.screenWidth = static_cast<std::uint16_t>(m_project.ScreenWidth());
    content.screenHeight = static_cast<std::uint16_t>(m_project.ScreenHeight());
    for (const auto& scene : m_project.Scenes()) {
        if (scene && !scene->IsDeleted()) {
            content.scenes.push_back(this->scene(*scene));
        }
    }
    if (!m_error.empty()) {
        return std::nullopt;
    }
    return content;
}

StyleScene StyleContentBuilder::scene(const Snapshot& scene)
{
    StyleScene out;
    out.nameHash = NameHash(scene.Name());
    for (const auto& element : scene.Elements()) {
        auto* group = dynamic_cast<CCanvasSnapShotItem*>(element.get());
        if (group && !group->IsDeleted()) {
            out.containers.push_back(topContainer(*group, scene));
        }
    }
    return out;
}

StyleTopContainer StyleContentBuilder::topContainer(CCanvasSnapShotItem& group,
                                                    const Snapshot& scene)
{
    const SceneRecord record = scene.Record(); // packed: read by value
    StyleTopContainer out;
    out.block = blockOf(group);
    out.direction = record.direction;
    std::copy(std::begin(record.keys), std::end(record.keys), out.keys.begin());
    out.members = members(group);
    return out;
}

std::vector<StyleMember> StyleContentBuilder::members(const CCanvasSnapShotItem& group)
{
    std::vector<StyleMember> out;
    for (const auto& member : *group.Children()) {
        if (!member || member->IsDeleted()) {
            continue;
        }
        // The kind code says which class to expect; the cast confirms it.
        switch (member->KindCode()) {
        case SnapShotItem::kGroup:
            if (auto* child = dynamic_cast<CCanvasSnapShotItem*>(member.get())) {
                out.push_back({groupRecord(*child)});
            }
            break;
        case SnapShotItem::kPicture:
            if (auto* picture = dynamic_cast<PicSnapshotItem*>(member.get());
                picture && !isDrawableDeleted(*picture)) {
                out.push_back({pictureRecord(*picture)});
            }
            break;
        case SnapShotItem::kString:
            if (auto* text = dynamic_cast<StringSnapShotItem*>(member.get())) {
                out.push_back({stringRecord(*text)});
            }
            break;
        default:
            break;
        }
    }
    return out;
}

StyleGroupRecord StyleContentBuilder::groupRecord(CCanvasSnapShotItem& group)
{
    const GraphRect place = group.AbsoluteRect();
    StyleGroupRecord out;
    out.nameHash = NameHash(group.Name());
    out.left = static_cast<std::uint16_t>(place.left);
    out.top = static_cast<std::uint16_t>(place.top);
    out.block = blockOf(group);
    out.members = members(group);
    return out;
}

StylePictureRecord StyleContentBuilder::pictureRecord(PicSnapshotItem& picture)
{
    takeFileSize(picture);
    const PicItemInfo info = picture.PicInfo();
    StylePictureRecord out;
    out.region = !picture.IsSingle();
    out.nameHash = NameHash(picture.Name());
    out.x = info.x;
    out.y = info.y;
    out.width = info.width;
    out.height = info.height;
    // Kept as stored: after a save the byte also tells the firmware the file had alpha.
    out.visible = info.visible;
    if (out.region) {
        for (const PicFrame& frame : picture.Frames()) {
            out.frameIds.push_back(pictureId(frame));
        }
    } else if (const PicFrame* frame = shownFrame(picture)) {
        out.pictureId = pictureId(*frame);
    }
    return out;
}

StyleStringRecord StyleContentBuilder::stringRecord(const StringSnapShotItem& text)
{
    const StringItemInfo info = text.StringInfo();
    StyleStringRecord out;
    out.nameHash = NameHash(text.Name());
    out.x = info.x;
    out.y = info.y;
    out.width = info.width;
    out.height = info.height;
    out.foregroundColour = info.foreground;
    out.backgroundColour = info.background;
    out.visible = info.visible;
    out.alignment = info.align;
    out.mode = info.modeTimesTwo;
    out.fontHeight = info.fontHeight;
    out.stringId = stringId(text);
    out.textScroll = info.textScroll;
    out.scrollSign = info.scrollSign;
    out.scrollInterval = info.scrollInterval;
    out.scrollPixels = info.scrollPixels;
    return out;
}

int StyleContentBuilder::registryIndex(const PicFrame& frame) const
{
    // The checking walk has just bound the frame: its id names the record, unless the
    // registry changed since.
    const PictureRegistry& registry = m_project.Pictures();
    const std::int64_t hint = std::int64_t{frame.id} - registry.FirstNumber();
    if (hint >= 0 && static_cast<std::size_t>(hint) < registry.Size() &&
        registry.At(static_cast<std::size_t>(hint)).path == frame.path) {
        return static_cast<int>(hint);
    }
    return registry.Find(frame.path);
}

std::uint16_t StyleContentBuilder::pictureId(const PicFrame& frame)
{
    const int index = registryIndex(frame);
    const std::int64_t position = index >= 0 ? m_picturePosition[index] : -1;
    if (position < 0) {
        return checked(-1, N_("图片"), frame.path);
    }
    const std::int64_t id = checked(m_base + 1 + position, N_("图片"), frame.path);
    return checked(layered(frame.path, id), N_("图片层"), frame.path);
}

std::uint16_t StyleContentBuilder::stringId(const StringSnapShotItem& text)
{
    const std::string& name = text.TextStore().identifier;
    const int index = m_project.Strings().Find(name);
    const std::int64_t position = index >= 0 ? m_stringPosition[index] : -1;
    return checked(position < 0 ? -1 : m_base + 1 + position, N_("字符串"), name);
}

std::int64_t StyleContentBuilder::layered(const std::string& path, std::int64_t id)
{
    if (m_reset) {
        const auto layer = static_cast<std::int32_t>(id);
        m_layers[path] = layer;
        m_nextLayer = std::max(m_nextLayer, layer + 1);
        return id;
    }
    const auto& layers = m_project.LayerMap();
    if (const auto found = layers.find(path); found != layers.end()) {
        return found->second;
    }
    m_project.EnsureLayerId(path);
    return id;
}

std::uint16_t StyleContentBuilder::checked(std::int64_t id, const char* kind,
                                           const std::string& name)
{
    if (id >= 0 && id <= std::numeric_limits<std::uint16_t>::max()) {
        return static_cast<std::uint16_t>(id);
    }
    if (m_error.empty()) {
        m_error = id < 0 ? platform::formatText(platform::uiText("%s%s不在使用的资源列表中"),
                                                platform::uiText(kind), name.c_str())
                         : platform::formatText(
                               platform::uiText("%s%s的编号%lld超出sty文件的16位范围"),
                               platform::uiText(kind), name.c_str(), static_cast<long long>(id));
    }
    return 0;
}

void StyleContentBuilder::takeFileSize(PicSnapshotItem& picture)
{
    const PicFrame* frame = shownFrame(picture);
    if (!frame) {
        return;
    }
    const std::optional<std::pair<int, int>>& size = fileSize(frame->path);
    PicItemInfo info = picture.PicInfo();
    if (!size || (info.width == size->first && info.height == size->second)) {
        return;
    }
    info.width = static_cast<std::uint16_t>(size->first);
    info.height = static_cast<std::uint16_t>(size->second);
    picture.SetPicInfo(info);
    picture.PlaceDrawable();
}

const std::optional<std::pair<int, int>>&
StyleContentBuilder::fileSize(const std::string& storedPath)
{
    const auto found = m_sizes.find(storedPath);
    if (found != m_sizes.end()) {
        return found->second;
    }
    std::optional<std::pair<int, int>> size;
    CxImage::Info info;
    constexpr int kMaxSide = std::numeric_limits<std::uint16_t>::max();
    if (CxImage::ReadSize(m_project.ResolvePath(storedPath, false), info) &&
        info.width <= kMaxSide && info.height <= kMaxSide) {
        size = std::make_pair(info.width, info.height);
    }
    return m_sizes.emplace(storedPath, size).first->second;
}

} // namespace generate
