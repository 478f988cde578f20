#include "EditingFixture.h"

#include "components/visual/Graph.h"
#include "editing/AddCommands.h"

#include <cstring>
#include <sstream>

EditingFixture::EditingFixture()
{
    auto created = std::make_unique<APStyleProject>();
    created->InitNew();
    project = &ws.OpenProject(std::move(created));
    scene1 = editing::add::Scene(ws, true);
    scene2 = editing::add::Scene(ws, true);
    project->History().clear();
    project->SetHistoryCursor(-1);
    sink.clear();
}

void EditingFixture::Run(int id)
{
    ASSERT_EQ(table.Run(ws, id), editing::CommandTable::Result::Ran) << "command " << id;
}

void EditingFixture::Click(const void* object)
{
    ASSERT_TRUE(ws.SelectObject(object)) << "no node";
}

CCanvasSnapShotItem* EditingFixture::Root(Snapshot* scene)
{
    return static_cast<CCanvasSnapShotItem*>(scene->Elements().front().get());
}

CCanvasSnapShotItem* EditingFixture::AddGroup(CCanvasSnapShotItem* parent)
{
    auto* group = static_cast<CCanvasSnapShotItem*>(parent->AddChild(SnapShotItem::kGroup, 0));
    parent->RefreshRows();
    ws.RebuildTree();
    return group;
}

PicSnapshotItem* EditingFixture::AddRegion(CCanvasSnapShotItem* parent, int frames)
{
    auto* region = static_cast<PicSnapshotItem*>(parent->AddChild(SnapShotItem::kPicture, 0));
    while (static_cast<int>(region->Frames().size()) < frames) {
        region->AppendFrame(PicFrame{});
    }
    for (std::size_t i = 0; i < region->Frames().size(); ++i) {
        region->Frames()[i].name = "F" + std::to_string(i);
    }
    region->RefreshRows();
    parent->RefreshRows();
    ws.RebuildTree();
    return region;
}

StringSnapShotItem* EditingFixture::AddString(CCanvasSnapShotItem* parent)
{
    auto* text = static_cast<StringSnapShotItem*>(parent->AddChild(SnapShotItem::kString, 0));
    parent->RefreshRows();
    ws.RebuildTree();
    return text;
}

namespace {

template <typename T>
std::string Bytes(const T& value)
{
    std::ostringstream out;
    const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        out << static_cast<int>(bytes[i]) << ',';
    }
    return out.str();
}

void DigestElement(SnapShotItem& element, std::ostringstream& out, int depth)
{
    // Deleted objects stay in memory for undo; what counts is what is live.
    if (element.IsDeleted()) {
        return;
    }
    SnapItemInfo block;
    element.CopyAttrBlock(block);
    out << std::string(static_cast<std::size_t>(depth), ' ') << element.KindCode() << ' '
        << element.Name() << " id=" << element.GetId() << " flags=" << element.Flags()
        << " block=" << Bytes(block) << '\n';
    for (const SnapItemAttr& row : element.Rows()) {
        out << "  row " << row.label << '=' << row.words[0] << '/' << row.words[1] << '/'
            << row.text << '\n';
    }
    const GraphRect rect = element.OwnGraph()->Envelop();
    out << "  drawn " << rect.left << ',' << rect.top << ',' << rect.right << ',' << rect.bottom
        << '\n';
    if (auto* picture = dynamic_cast<PicSnapshotItem*>(&element)) {
        out << "  current=" << picture->CurrentFrameIndex() << '\n';
        for (const PicFrame& frame : picture->Frames()) {
            out << "  frame " << frame.id << ' ' << frame.name << ' ' << frame.path << ' '
                << int(frame.compress) << int(frame.alphaFormat) << int(frame.argbOutput) << '\n';
        }
    }
    if (auto* group = dynamic_cast<CCanvasSnapShotItem*>(&element)) {
        // The child counter only ever grows, like the identifier counter.
        GroupInfo info = group->Group();
        info.childCounter = 0;
        out << "  group=" << Bytes(info) << " editable=" << group->EditableFlag() << '\n';
    }
    if (auto* text = dynamic_cast<StringSnapShotItem*>(&element)) {
        out << "  store=" << text->TextStore().identifier << ' ' << text->TextStore().texts[0]
            << '\n';
    }
    if (const SnapItemList* children = element.Children()) {
        for (const auto& child : *children) {
            DigestElement(*child, out, depth + 1);
        }
    }
}

} // namespace

std::string Digest(APStyleProject& project)
{
    std::ostringstream out;
    for (const auto& scene : project.Scenes()) {
        if (scene->IsDeleted()) {
            continue;
        }
        out << "scene " << scene->Name() << " id=" << scene->GetId() << '\n';
        for (const auto& element : scene->Elements()) {
            DigestElement(*element, out, 1);
        }
    }
    return out.str();
}

void EditingFixture::Place(SnapShotItem* element, int x, int y, int width, int height)
{
    SnapItemInfo* block = element->AttrBlock();
    block->x = static_cast<std::int16_t>(x);
    block->y = static_cast<std::int16_t>(y);
    block->width = static_cast<std::uint16_t>(width);
    block->height = static_cast<std::uint16_t>(height);
    element->LoadResource();
    element->RefreshRows();
}
