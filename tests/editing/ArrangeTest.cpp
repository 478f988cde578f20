#include "EditingFixture.h"

#include "components/visual/Graph.h"
#include "editing/Arrange.h"
#include "editing/CommandIds.h"
#include "editing/MultiSelection.h"
#include "editing/UndoHistory.h"

using editing::arrange::Align;
using editing::arrange::Axis;
using editing::arrange::Match;

namespace {

TEST(ArrangeGeometryTest, AlignDistributeAndMatch)
{
    using namespace editing::arrange;
    const GraphRect target{100, 50, 200, 90};
    const GraphRect rect{10, 10, 30, 20};
    EXPECT_EQ(Aligned(rect, Align::Left, target), (GraphRect{100, 10, 120, 20}));
    EXPECT_EQ(Aligned(rect, Align::Right, target), (GraphRect{180, 10, 200, 20}));
    EXPECT_EQ(Aligned(rect, Align::Top, target), (GraphRect{10, 50, 30, 60}));
    EXPECT_EQ(Aligned(rect, Align::Bottom, target), (GraphRect{10, 80, 30, 90}));
    EXPECT_EQ(Aligned(rect, Align::HorizontalCentre, target), (GraphRect{140, 10, 160, 20}));
    EXPECT_EQ(Aligned(rect, Align::VerticalCentre, target), (GraphRect{10, 65, 30, 75}));

    // Four boxes over 0..100, 40 wide in all: 60 of room, three gaps of 20. Given out of order.
    const std::vector<GraphRect> boxes = {
        {90, 0, 100, 5}, {0, 0, 10, 5}, {12, 0, 22, 5}, {30, 0, 40, 5}};
    EXPECT_EQ(
        Distributed(boxes, Axis::Horizontal),
        (std::vector<GraphRect>{{90, 0, 100, 5}, {0, 0, 10, 5}, {30, 0, 40, 5}, {60, 0, 70, 5}}));
    // 61 of room: the first gap takes the odd pixel.
    const std::vector<GraphRect> tall = {
        {0, 0, 5, 10}, {0, 15, 5, 25}, {0, 20, 5, 30}, {0, 91, 5, 101}};
    EXPECT_EQ(
        Distributed(tall, Axis::Vertical),
        (std::vector<GraphRect>{{0, 0, 5, 10}, {0, 31, 5, 41}, {0, 61, 5, 71}, {0, 91, 5, 101}}));
    const std::vector<GraphRect> two = {{0, 0, 5, 5}, {50, 0, 55, 5}};
    EXPECT_EQ(Distributed(two, Axis::Horizontal), two);

    EXPECT_EQ(Matched(rect, Match::Width, target), (GraphRect{10, 10, 110, 20}));
    EXPECT_EQ(Matched(rect, Match::Height, target), (GraphRect{10, 10, 30, 50}));
    EXPECT_EQ(Matched(rect, Match::Size, target), (GraphRect{10, 10, 110, 50}));
}

// Three strings in a group of the first scene, placed apart, selected as a user would: the
// first by a click (the key element), the others added.
class ArrangeTest : public EditingFixture
{
protected:
    ArrangeTest()
    {
        group = AddGroup(Root(scene1));
        Place(group, 0, 0, 300, 200);
        for (int i = 0; i < 3; ++i) {
            texts.push_back(AddString(group));
        }
        Place(texts[0], 100, 40, 60, 20);
        Place(texts[1], 10, 100, 30, 16);
        Place(texts[2], 150, 150, 40, 30);
        project->History().clear();
        project->SetHistoryCursor(-1);
        ws.Select(texts[0]);
        editing::multi::Toggle(ws, *texts[1]);
        editing::multi::Toggle(ws, *texts[2]);
    }

    CCanvasSnapShotItem* group = nullptr;
    std::vector<StringSnapShotItem*> texts;
};

} // namespace

TEST_F(ArrangeTest, TheSelectionIsTheTreesWithTheFirstSelectedAsKey)
{
    EXPECT_EQ(editing::multi::Elements(ws),
              (std::vector<SnapShotItem*>{texts[0], texts[1], texts[2]}));
    EXPECT_TRUE(Node(texts[1])->selected);
    // An added element shows in the tree, its group opened.
    editing::multi::Toggle(ws, *texts[1]);
    ws.Tree().SetExpanded(Node(group), false);
    editing::multi::Toggle(ws, *texts[1]);
    EXPECT_TRUE(Node(group)->expanded);
    // Taking one out, then the key element: the next one becomes the key.
    editing::multi::Toggle(ws, *texts[1]);
    EXPECT_EQ(editing::multi::Elements(ws), (std::vector<SnapShotItem*>{texts[0], texts[2]}));
    editing::multi::Toggle(ws, *texts[0]);
    EXPECT_EQ(editing::multi::Elements(ws), (std::vector<SnapShotItem*>{texts[2]}));
    EXPECT_EQ(ws.Selection().Element(), texts[2]);
    // Checking in the tree adds to the same selection.
    Run(editing::cmd::kMultiSelect);
    ws.Tree().SetChecked(Node(texts[2]), true);
    ws.Tree().SetChecked(Node(texts[0]), true);
    EXPECT_EQ(editing::multi::Elements(ws), (std::vector<SnapShotItem*>{texts[2], texts[0]}));
    editing::multi::Clear(ws);
    EXPECT_EQ(editing::multi::Elements(ws), (std::vector<SnapShotItem*>{texts[2]}));
}

TEST_F(ArrangeTest, EachCommandIsOneUndoRecordThatUndoesExactly)
{
    const std::string before = Digest(*project);
    Run(editing::cmd::kAlignLeft);
    EXPECT_EQ(texts[1]->AbsoluteRect().left, 100);
    EXPECT_EQ(texts[2]->AbsoluteRect().left, 100);
    EXPECT_EQ(int{texts[2]->AttrBlock()->x}, 100);
    EXPECT_EQ(texts[0]->AbsoluteRect(), (GraphRect{100, 40, 160, 60}));
    EXPECT_EQ(project->History().size(), 1u);
    const std::string aligned = Digest(*project);

    Run(editing::cmd::kDistributeVertically);
    // 40..60, 100..116, 150..180: room 140 - 66 = 74, gaps of 37.
    EXPECT_EQ(texts[1]->AbsoluteRect().top, 97);
    Run(editing::cmd::kSameSize);
    EXPECT_EQ(texts[1]->AbsoluteRect().Width(), 60);
    EXPECT_EQ(texts[2]->AbsoluteRect().Height(), 20);
    EXPECT_EQ(project->History().size(), 3u);

    editing::Undo(*project);
    editing::Undo(*project);
    EXPECT_EQ(Digest(*project), aligned);
    editing::Undo(*project);
    EXPECT_EQ(Digest(*project), before);
    // A command that changes nothing adds no record.
    Run(editing::cmd::kAlignLeft);
    Run(editing::cmd::kAlignLeft);
    EXPECT_EQ(project->History().size(), 1u);
}

TEST_F(ArrangeTest, FixedElementsStayAndTheRulesFollowTheSelectionSize)
{
    texts[1]->OwnGraph()->SetFixed(true);
    Run(editing::cmd::kAlignTop);
    EXPECT_EQ(texts[1]->AbsoluteRect().top, 100);
    EXPECT_EQ(texts[2]->AbsoluteRect().top, 40);
    EXPECT_EQ(sink.count(editing::ChangeKind::StatusNote), 1);
    EXPECT_NE(sink.received().back().text.find(texts[1]->Name()), std::string::npos);

    // One element aligns to the screen; distribute wants three and same size two.
    editing::multi::Clear(ws);
    EXPECT_FALSE(table.IsEnabled(ws, editing::cmd::kDistributeHorizontally));
    EXPECT_FALSE(table.IsEnabled(ws, editing::cmd::kSameWidth));
    Run(editing::cmd::kAlignRight);
    EXPECT_EQ(texts[0]->AbsoluteRect().right, project->ScreenWidth());
    Run(editing::cmd::kAlignVerticalCentre);
    EXPECT_EQ(texts[0]->AbsoluteRect().top, (project->ScreenHeight() - 20) / 2);
}

TEST_F(ArrangeTest, TheGridShowsWhatTheSelectionSharesAndSetsItOnAll)
{
    editing::PropertyGrid& grid = ws.Grid();
    ASSERT_EQ(grid.Others().size(), 2u);
    EXPECT_EQ(grid.FindRow("Name"), -1);
    const int x = grid.FindRow("x");
    const int font = grid.FindRow("Font Height");
    ASSERT_GE(x, 0);
    ASSERT_GE(font, 0);
    EXPECT_EQ(grid.Rows()[x].value, ""); // 100, 10 and 150
    EXPECT_EQ(grid.Rows()[font].value,
              texts[0]->GetAttrText(texts[0]->FindRow(grid.Rows()[font].property), 1));
    EXPECT_EQ(grid.CellType(font, 2), editing::PropertyGrid::kCellReadOnly);

    const std::string before = Digest(*project);
    ASSERT_TRUE(grid.Commit(*project, ws.Tree(), x, 1, "24"));
    for (StringSnapShotItem* text : texts) {
        EXPECT_EQ(int{text->AttrBlock()->x}, 24);
    }
    EXPECT_EQ(grid.Rows()[grid.FindRow("x")].value, "24");
    EXPECT_EQ(project->History().size(), 1u);
    EXPECT_EQ(editing::multi::Elements(ws).size(), 3u);
    ASSERT_TRUE(editing::Undo(*project));
    EXPECT_EQ(Digest(*project), before);

    // One element again: every row, the name too.
    editing::multi::Clear(ws);
    EXPECT_TRUE(grid.Others().empty());
    EXPECT_GE(grid.FindRow("Name"), 0);
}

TEST_F(ArrangeTest, DeletingTheSelectionIsOneUndoRecord)
{
    const std::string before = Digest(*project);
    Run(editing::cmd::kDelete);
    for (StringSnapShotItem* text : texts) {
        EXPECT_TRUE(text->IsDeleted());
    }
    EXPECT_EQ(project->History().size(), 1u);
    EXPECT_EQ(ws.Tree().FindNode(texts[1]), nullptr);
    EXPECT_FALSE(group->IsDeleted());
    EXPECT_EQ(ws.Selection().Element(), group);

    editing::Undo(*project);
    EXPECT_EQ(Digest(*project), before);
    EXPECT_NE(ws.Tree().FindNode(texts[1]), nullptr);
    EXPECT_NE(ws.Tree().FindNode(texts[0]), nullptr);
    editing::Redo(*project);
    EXPECT_TRUE(texts[0]->IsDeleted() && texts[1]->IsDeleted());

    // The group with an element of it: only the group is recorded, the element goes along.
    editing::Undo(*project);
    ws.Select(group);
    editing::multi::Toggle(ws, *texts[0]);
    Run(editing::cmd::kDelete);
    EXPECT_TRUE(group->IsDeleted());
    EXPECT_FALSE(texts[0]->IsDeleted());
    editing::Undo(*project);
    EXPECT_EQ(Digest(*project), before);
}

TEST_F(ArrangeTest, TheDeleteKeysCommandDeletesTheSelectionAsOneRecordToo)
{
    const std::string before = Digest(*project);
    Run(editing::cmd::kDeleteSelected);
    EXPECT_TRUE(texts[0]->IsDeleted() && texts[1]->IsDeleted() && texts[2]->IsDeleted());
    EXPECT_EQ(project->History().size(), 1u);
    editing::Undo(*project);
    EXPECT_EQ(Digest(*project), before);
    for (StringSnapShotItem* text : texts) {
        EXPECT_NE(ws.Tree().FindNode(text), nullptr);
    }
}
