#include "ElementFixture.h"
#include "model/NameHash.h"

#include <gmock/gmock.h>

#include <unordered_map>

namespace {

// Returns an 8-character name, other than `name`, with the same NameHash: a
// meet-in-the-middle search over a 3-character head and a 4-character tail (the
// hash step h = h * P ^ b can be undone byte by byte).
std::string HashTwin(const std::string& name)
{
    static const std::string kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    constexpr std::uint32_t kPrime = 16777619u;
    std::uint32_t inverse = kPrime;
    for (int i = 0; i < 5; ++i) {
        inverse *= 2u - kPrime * inverse;
    }
    std::unordered_map<std::uint32_t, std::string> heads;
    for (char a : kAlphabet) {
        for (char b : kAlphabet) {
            for (char c : kAlphabet) {
                const std::string head{'Q', a, b, c};
                heads.emplace(NameHash(head), head);
            }
        }
    }
    const std::uint32_t target = NameHash(name);
    for (char a : kAlphabet) {
        for (char b : kAlphabet) {
            for (char c : kAlphabet) {
                for (char d : kAlphabet) {
                    const std::string tail{a, b, c, d};
                    std::uint32_t h = target;
                    for (auto byte = tail.rbegin(); byte != tail.rend(); ++byte) {
                        h = (h ^ static_cast<unsigned char>(*byte)) * inverse;
                    }
                    const auto found = heads.find(h);
                    if (found != heads.end()) {
                        return found->second + tail;
                    }
                }
            }
        }
    }
    return {};
}

using ElementKinds = ElementFixture;

} // namespace

TEST_F(ElementKinds, AddChildNamesAndNumbersFromTheProjectCounter)
{
    EXPECT_EQ(root->Name(), "ResGroup01");
    EXPECT_EQ(root->GetId(), 1u);
    EXPECT_EQ(+root->Group().groupId, 1u);
    EXPECT_EQ(+scene->Record().elementCounter, 1);

    SnapShotItem* picture = root->AddChild(SnapShotItem::kPicture, 1);
    SnapShotItem* region = root->AddChild(SnapShotItem::kPicture, 0);
    SnapShotItem* text = root->AddChild(SnapShotItem::kString, 0);
    EXPECT_EQ(root->AddChild(4, 0), nullptr);
    ASSERT_EQ(root->ChildList().size(), 3u);
    EXPECT_EQ(+root->Group().childCounter, 3u);
    EXPECT_EQ(project.IdCounter(), 4);

    EXPECT_EQ(picture->Name(), "Picture02");
    EXPECT_EQ(region->Name(), "PicRegion03");
    EXPECT_EQ(text->Name(), "String04");
    EXPECT_EQ(+picture->AttrBlock()->kind, 1);
    EXPECT_EQ(+text->AttrBlock()->kind, 2);
    EXPECT_EQ(+root->AttrBlock()->kind, 0);
    EXPECT_EQ(picture->IdCopy(), 2u);
    EXPECT_EQ(picture->Parent(), root);
    EXPECT_EQ(picture->ParentGraph(), static_cast<Graph*>(root));
    EXPECT_EQ(picture->RowCount(), 11);
    EXPECT_EQ(region->RowCount(), 12);
    EXPECT_EQ(text->RowCount(), 17);
    EXPECT_EQ(root->RowCount(), 10);
    root->RefreshRows();
    EXPECT_EQ(Shown(*root, CCanvasSnapShotItem::kPropResourceNum), "3");
}

TEST_F(ElementKinds, DescriptorTablesCarryTheirTips)
{
    PicSnapshotItem* region = AddPicture(root, 0);
    PicSnapshotItem* picture = AddPicture(root, 1);
    EXPECT_EQ(region->RowDescription(region->FindRow(4), 0), "图片区宽度");
    EXPECT_EQ(picture->RowDescription(picture->FindRow(8), 0),
              "使用的图片资源在资源列表中的索引号，-1为无效");
    for (SnapShotItem* item : {static_cast<SnapShotItem*>(root), static_cast<SnapShotItem*>(region),
                               static_cast<SnapShotItem*>(AddString(root))}) {
        for (int row = 0; row < item->DescCount(); ++row) {
            EXPECT_FALSE(item->RowDescription(row, 0).empty()) << item->Name() << " " << row;
        }
    }
    // The "Path" tip of a picture is its current frame's path.
    picture->Frames()[0].path = ".\\pic\\a.png";
    EXPECT_EQ(picture->RowDescription(picture->FindRow(PicSnapshotItem::kPropPath), 0),
              ".\\pic\\a.png");
}

TEST_F(ElementKinds, SiblingNameRules)
{
    SnapShotItem* a = AddPicture(root);
    SnapShotItem* b = AddString(root);
    EXPECT_EQ(Type(*a, 0, "PICTURE02"), 1); // its own name in another case
    EXPECT_EQ(a->Name(), "PICTURE02");
    EXPECT_EQ(Shown(*a, 0), "PICTURE02");

    EXPECT_EQ(Type(*a, 0, "string03"), 0);
    const std::string twin = HashTwin(b->Name());
    ASSERT_FALSE(twin.empty());
    ASSERT_EQ(NameHash(twin), NameHash(b->Name()));
    EXPECT_EQ(Type(*a, 0, twin), 0);
    EXPECT_EQ(a->Name(), "PICTURE02");
    EXPECT_THAT(ui.messages(),
                testing::ElementsAre("该资源组下已经有名字为\"string03\"的资源，请使用其他名字!",
                                     "该资源组下存在相同Hash值资源\"" + twin +
                                         "\"、\"String03\"，"
                                         "请使用其他名字!"));
}

TEST_F(ElementKinds, GeneratedNameThatIsTakenGetsASuffix)
{
    // The next element gets identifier 3: a sibling holds its name's hash.
    SnapShotItem* first = AddGroup(root);
    ASSERT_EQ(Type(*first, 0, HashTwin("Picture03")), 1);
    SnapShotItem* picture = AddPicture(root);
    EXPECT_EQ(picture->Name(), "Picture03_1");
    EXPECT_EQ(Shown(*picture, 0), "Picture03_1");

    // "_1" taken as well: the next free number, never a duplicate.
    ASSERT_EQ(Type(*first, 0, "String04"), 1);
    ASSERT_EQ(Type(*picture, 0, "string04_1"), 1);
    EXPECT_EQ(AddString(root)->Name(), "String04_2");
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(ElementKinds, GroupTransparencyIsClampedAndTheRowShowsIt)
{
    EXPECT_EQ(Type(*root, CCanvasSnapShotItem::kPropTransparency, "300"), 1);
    EXPECT_EQ(root->Transparency(), 255);
    EXPECT_EQ(+root->Group().transparency, 255);
    EXPECT_EQ(Shown(*root, CCanvasSnapShotItem::kPropTransparency), "255");
    Type(*root, CCanvasSnapShotItem::kPropTransparency, "-5");
    EXPECT_EQ(root->Transparency(), 0);
    EXPECT_EQ(Shown(*root, CCanvasSnapShotItem::kPropTransparency), "0");
    Type(*root, CCanvasSnapShotItem::kPropTransparency, "77");
    EXPECT_EQ(+root->Group().transparency, 77);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(ElementKinds, GroupColourOpaqueAndSize)
{
    EXPECT_EQ(root->BkColor(), 0xC8C8C8u);
    EXPECT_TRUE(root->IsUseBkColor());
    Type(*root, CCanvasSnapShotItem::kPropBackground, "0x00112233");
    Type(*root, CCanvasSnapShotItem::kPropOpaque, "Yes");
    EXPECT_EQ(+root->Group().background, 0x112233u);
    EXPECT_EQ(root->BkColor(), 0x112233u);
    EXPECT_EQ(+root->Group().opaque, 1);
    EXPECT_FALSE(root->IsUseBkColor());

    Type(*root, 4, "240");
    Type(*root, 5, "-3");
    EXPECT_EQ(+root->AttrBlock()->width, 240);
    EXPECT_EQ(+root->Group().width, 240);
    EXPECT_EQ(+root->AttrBlock()->height, 0);
    EXPECT_EQ(Shown(*root, 5), "0");
    EXPECT_EQ(root->Envelop().Width(), 240);
}

TEST_F(ElementKinds, ArgbOutputAndPngA8)
{
    PicSnapshotItem* picture = AddPicture(root);
    const int argb = picture->FindRow(PicSnapshotItem::kPropArgbOutput);
    EXPECT_EQ(picture->SetAttrText(argb, 1, "6666"), 1);
    EXPECT_EQ(+picture->PicInfo().argbOutput, 6);
    EXPECT_EQ(picture->Frames()[0].argbOutput, 6);
    EXPECT_EQ(picture->GetAttrText(argb, 1), "6666");
    picture->SetAttrText(argb, 1, "argb");
    EXPECT_EQ(+picture->PicInfo().argbOutput, 0);
    EXPECT_EQ(picture->GetAttrText(argb, 1), "Default");
    ASSERT_EQ(sink.count(platform::kMsgPropertyFollow), 2);
    EXPECT_EQ(sink.received()[0].first, 13);
    EXPECT_EQ(sink.received()[0].second, 6);
    EXPECT_EQ(sink.received()[1].second, 0);

    Type(*picture, PicSnapshotItem::kPropPngA8, "Yes");
    EXPECT_EQ(+picture->PicInfo().alphaFormat, 8);
    EXPECT_EQ(picture->Frames()[0].alphaFormat, 8);
    EXPECT_EQ(Shown(*picture, PicSnapshotItem::kPropPngA8), "Yes");
    Type(*picture, PicSnapshotItem::kPropPngA8, "No");
    EXPECT_EQ(+picture->PicInfo().alphaFormat, 0);
    Type(*picture, PicSnapshotItem::kPropCompress, "Yes");
    EXPECT_EQ(+picture->PicInfo().compress, 1);
    EXPECT_EQ(picture->Frames()[0].compress, 1);
}

TEST_F(ElementKinds, PositionsMoveTheDrawableAndAGroupCarriesItsChildren)
{
    Type(*root, 2, "10");
    Type(*root, 3, "20");
    PicSnapshotItem* picture = AddPicture(root);
    Type(*picture, 2, "4");
    EXPECT_EQ(picture->Envelop().left, 14);
    EXPECT_EQ(+picture->AttrBlock()->x, 4);

    Type(*root, 2, "30");
    EXPECT_EQ(+root->Group().x, 30);
    EXPECT_EQ(picture->Envelop().left, 34);
    EXPECT_EQ(picture->Envelop().top, 20);
    EXPECT_EQ(+picture->AttrBlock()->x, 4); // relative to the group, unchanged
    EXPECT_EQ(picture->AbsoluteRect().left, 34);

    // Dragged on the surface: the refresh keeps the children inside the group.
    root->Transform(5, 5);
    root->RefreshRows();
    EXPECT_EQ(+root->AttrBlock()->x, 35);
    EXPECT_EQ(picture->Envelop().left, 39);
    picture->RefreshRows();
    EXPECT_EQ(+picture->AttrBlock()->x, 4);

    // Beyond the block's 16 bits the value is clamped, not wrapped.
    ui.clear();
    Type(*picture, 2, "70000");
    EXPECT_EQ(+picture->AttrBlock()->x, 32767);
    EXPECT_EQ(Shown(*picture, 2), "32767");
}

TEST_F(ElementKinds, StringPropertiesReachTheDrawable)
{
    StringSnapShotItem* text = AddString(root);
    const StringItemInfo fresh = text->StringInfo();
    EXPECT_EQ(+fresh.modeTimesTwo, 2);
    EXPECT_EQ(+fresh.align, 0x0E);
    EXPECT_EQ(+fresh.stringId, -1);
    EXPECT_EQ(Shown(*text, 4), "100");
    EXPECT_EQ(Shown(*text, StringSnapShotItem::kPropAlign, 1), "Horizontal Center");
    EXPECT_EQ(Shown(*text, StringSnapShotItem::kPropAlign, 2), "Vertical Center");
    EXPECT_EQ(text->TextFormat(), 0x25u);
    EXPECT_EQ(text->BkMode(), StringGraph::kBkTransparent);

    Type(*text, StringSnapShotItem::kPropMode, "Normal");
    Type(*text, StringSnapShotItem::kPropAlign, "Horizontal Right", 1);
    Type(*text, StringSnapShotItem::kPropAlign, "Vertical Bottom", 2);
    Type(*text, StringSnapShotItem::kPropFontHeight, "16");
    Type(*text, StringSnapShotItem::kPropForeground, "0x000000FF");
    Type(*text, StringSnapShotItem::kPropScrollDirection, "Left to Right");
    const StringItemInfo info = text->StringInfo();
    EXPECT_EQ(+info.modeTimesTwo, 0);
    EXPECT_EQ(+info.align, 0x05);
    EXPECT_EQ(+info.scrollSign, 1);
    EXPECT_EQ(text->BkMode(), StringGraph::kBkOpaque);
    EXPECT_EQ(text->TextFormat(), StringGraph::kFormatRight | 0x28u);
    EXPECT_EQ(text->FontHeight(), 16);
    EXPECT_EQ(text->FontWidth(), 8);
    EXPECT_EQ(text->TextColor(), 0xFFu);
    EXPECT_EQ(Shown(*text, StringSnapShotItem::kPropScrollDirection), "Left to Right");
    Type(*text, StringSnapShotItem::kPropScrollDirection, "Right to Left");
    EXPECT_EQ(+text->StringInfo().scrollSign, -1);
}

TEST_F(ElementKinds, HiddenGroupHidesItsTreeOnScreenOnly)
{
    CCanvasSnapShotItem* inner = AddGroup(root);
    PicSnapshotItem* picture = AddPicture(inner);
    Type(*root, 10, "No");
    StringSnapShotItem* text = AddString(inner);

    EXPECT_EQ(root->IsVisible(), 0);
    EXPECT_EQ(inner->IsVisible(), 0); // its parent is hidden
    EXPECT_EQ(+inner->Group().visible, 1);
    for (SnapShotItem* item :
         {static_cast<SnapShotItem*>(picture), static_cast<SnapShotItem*>(text)}) {
        EXPECT_EQ(item->IsVisible(), 1);
        EXPECT_EQ(item->GetAttrText(item->FindRow(10), 1), "Yes");
        EXPECT_FALSE(item->OwnGraph()->IsVisible());
    }

    Type(*root, 10, "Yes");
    EXPECT_TRUE(picture->OwnGraph()->IsVisible());
    EXPECT_TRUE(text->OwnGraph()->IsVisible());
    Type(*text, 10, "No");
    EXPECT_EQ(text->IsVisible(), 0);
    EXPECT_EQ(text->Flags() & SnapShotItem::kFlagHidden, SnapShotItem::kFlagHidden);
    EXPECT_FALSE(text->OwnGraph()->IsVisible());
}

TEST_F(ElementKinds, LockingReachesTheWholeTree)
{
    CCanvasSnapShotItem* middle = AddGroup(root);
    CCanvasSnapShotItem* deep = AddGroup(middle);
    PicSnapshotItem* picture = AddPicture(deep);
    StringSnapShotItem* text = AddString(deep);

    root->SetEditable(0, 1);
    for (SnapShotItem* item :
         {static_cast<SnapShotItem*>(root), static_cast<SnapShotItem*>(middle),
          static_cast<SnapShotItem*>(deep), static_cast<SnapShotItem*>(picture),
          static_cast<SnapShotItem*>(text)}) {
        EXPECT_EQ(item->IsEditable(), 0) << item->Name();
        EXPECT_FALSE(item->OwnGraph()->IsEditable()) << item->Name();
    }
    EXPECT_FALSE(deep->IsResizeable());

    // Without "self" the groups' own drawables keep their state.
    root->SetEditable(1, 0);
    EXPECT_EQ(deep->IsEditable(), 1);
    EXPECT_FALSE(static_cast<Graph*>(deep)->IsEditable());
    EXPECT_TRUE(deep->IsResizeable());
    EXPECT_EQ(picture->IsEditable(), 1);
}

TEST_F(ElementKinds, CloningAGroupTree)
{
    CCanvasSnapShotItem* inner = AddGroup(root);
    PicSnapshotItem* region = AddPicture(inner, 0);
    region->AppendFrame(PicFrame{});
    region->Frames()[1].path = "b.png";
    StringSnapShotItem* text = AddString(root);
    text->TextStore().identifier = "HELLO";
    inner->SetEditable(0, 1);
    root->Transform(3, 4);

    auto same = root->Clone(0);
    EXPECT_EQ(same->GetId(), root->GetId());
    EXPECT_EQ(project.IdCounter(), 4);

    auto copy = root->Clone(1);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Parent(), nullptr);
    EXPECT_EQ(copy->Name(), root->Name());
    EXPECT_EQ(copy->GetId(), 5u);
    EXPECT_EQ(+static_cast<CCanvasSnapShotItem&>(*copy).Group().groupId, 5u);
    EXPECT_EQ(copy->IdCopy(), 5u);
    EXPECT_EQ(static_cast<Graph&>(static_cast<CCanvasSnapShotItem&>(*copy)).Envelop(),
              root->Envelop());

    const SnapItemList& children = *copy->Children();
    ASSERT_EQ(children.size(), 2u);
    auto& innerCopy = static_cast<CCanvasSnapShotItem&>(*children[0]);
    EXPECT_NE(&innerCopy, inner);
    EXPECT_EQ(innerCopy.Parent(), copy.get());
    EXPECT_EQ(innerCopy.GetId(), 6u);
    EXPECT_EQ(innerCopy.Name(), inner->Name());
    EXPECT_EQ(innerCopy.IsEditable(), 0);
    auto& regionCopy = static_cast<PicSnapshotItem&>(*(*innerCopy.Children())[0]);
    EXPECT_EQ(regionCopy.GetId(), 7u);
    EXPECT_EQ(regionCopy.IsSingle(), 0);
    EXPECT_EQ(regionCopy.Frames(), region->Frames());
    EXPECT_EQ(+regionCopy.PicInfo().frameCount, 2);
    EXPECT_EQ(regionCopy.Parent(), &innerCopy);
    auto& textCopy = static_cast<StringSnapShotItem&>(*children[1]);
    EXPECT_EQ(textCopy.GetId(), 8u);
    EXPECT_EQ(textCopy.TextStore().identifier, "HELLO");
    EXPECT_EQ(project.IdCounter(), 8);
}

TEST_F(ElementKinds, SceneTakesOneTopLevelElementEvenWhenItIsDeleted)
{
    Snapshot* other = project.AddScene();
    SnapShotItem* group = other->AddChild(SnapShotItem::kGroup, 0);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Parent(), nullptr);
    group->SetDeleted(1);
    EXPECT_TRUE(group->OwnGraph()->IsDelected());
    const int counter = project.IdCounter();

    EXPECT_EQ(other->AddChild(SnapShotItem::kGroup, 0), nullptr);
    EXPECT_EQ(other->AddChild(SnapShotItem::kString, 0), nullptr);
    EXPECT_EQ(other->Elements().size(), 1u);
    EXPECT_EQ(+other->Record().elementCounter, 1);
    EXPECT_EQ(project.IdCounter(), counter);
}

TEST_F(ElementKinds, AnyCurrentFrameThatNamesNoFrameFallsBackToTheFirst)
{
    PicSnapshotItem* region = AddPicture(root, 0);
    region->AppendFrame(PicFrame{});
    EXPECT_EQ(Type(*region, PicSnapshotItem::kPropCurrent, "1"), 1);
    EXPECT_EQ(region->CurrentFrameIndex(), 1);
    Type(*region, PicSnapshotItem::kPropCurrent, "-3");
    region->LoadResource();
    EXPECT_EQ(region->CurrentFrameIndex(), 0);
    Type(*region, PicSnapshotItem::kPropCurrent, "9");
    region->RefreshRows();
    EXPECT_EQ(Shown(*region, PicSnapshotItem::kPropCurrent), "9");
    region->LoadResource();
    EXPECT_EQ(region->CurrentFrameIndex(), 0);
}
