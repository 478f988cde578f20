#include "EditingFixture.h"

#include "components/visual/Graph.h"
#include "editing/MultiSelection.h"
#include "editing/SurfaceChangeHandler.h"
#include "editing/UndoHistory.h"

namespace {

// The workspace with the editor's reaction installed on the headless surface, as the
// main window installs it on the real one; the user works through the surface's gestures.
class SurfaceChangeHandlerTest : public EditingFixture
{
protected:
    SurfaceChangeHandlerTest()
    {
        editor.CreateEditor(nullptr, {0, 0, 320, 240}, editing::SurfaceChangeHandler::Callback(ws));
        root = Root(scene1);
        group = AddGroup(root);
        Place(group, 20, 30, 100, 80);
        text = AddString(group);
        Place(text, 10, 10, 40, 20);
        ws.Panel().ShowSceneWithSelection(*project, *scene1, nullptr);
        project->History().clear();
        project->SetHistoryCursor(-1);
        project->SetModified(0);
        sink.clear();
    }

    // A drag from (x, y) through a few mouse moves to (x + dx, y + dy), no snapping.
    void Drag(int x, int y, int dx, int dy)
    {
        VisualSurface& surface = editor.Surface();
        surface.Press(x, y);
        for (int step = 1; step <= 4; ++step) {
            surface.DragTo(x + dx * step / 4, y + dy * step / 4, false);
        }
        surface.Release();
    }

    std::size_t Records() const { return project->History().size(); }

    CCanvasSnapShotItem* root = nullptr;
    CCanvasSnapShotItem* group = nullptr;
    StringSnapShotItem* text = nullptr;
};

} // namespace

TEST_F(SurfaceChangeHandlerTest, ADragIsOneUndoRecordThatUndoesExactly)
{
    const std::string before = Digest(*project);
    // The text sits at (30, 40) on screen: its group's place plus its own.
    Drag(35, 45, 7, -3);
    EXPECT_EQ(int{text->AttrBlock()->x}, 17);
    EXPECT_EQ(int{text->AttrBlock()->y}, 7);
    EXPECT_EQ(text->Rows()[text->FindRow(2)].Number(), 17);
    ASSERT_EQ(Records(), 1u);
    // The press picked it, the release changed it: one batch each, and the views heard
    // that the project changed (the title's mark, the save) with the second.
    ASSERT_EQ(sink.batches().size(), 2u);
    EXPECT_FALSE(sink.batches()[0].Modifies());
    const editing::Change* changed = sink.batches()[1].Last(editing::ChangeKind::ElementChanged);
    ASSERT_NE(changed, nullptr);
    EXPECT_EQ(changed->element, text);
    EXPECT_TRUE(sink.batches()[1].Modifies());
    EXPECT_EQ(project->Modified(), 1);
    // The element is selected with its parent group, and the grid shows it.
    EXPECT_TRUE(static_cast<Graph*>(text)->IsSelected());
    EXPECT_TRUE(static_cast<Graph*>(group)->IsSelected());
    EXPECT_EQ(ws.Selection().Element(), text);

    ASSERT_TRUE(editing::Undo(*project));
    EXPECT_EQ(Digest(*project), before);
    EXPECT_EQ(static_cast<Graph*>(text)->Envelop(), (GraphRect{30, 40, 70, 60}));
    ASSERT_TRUE(editing::Redo(*project));
    EXPECT_EQ(int{text->AttrBlock()->x}, 17);
}

TEST_F(SurfaceChangeHandlerTest, AGroupDraggedCarriesItsChildrenAndTheyKeepTheirPlaceInIt)
{
    const std::string before = Digest(*project);
    Drag(100, 90, -5, 12); // inside the group, outside the text
    EXPECT_EQ(int{group->AttrBlock()->x}, 15);
    EXPECT_EQ(int{group->AttrBlock()->y}, 42);
    EXPECT_EQ(int{text->AttrBlock()->x}, 10);
    EXPECT_EQ(static_cast<Graph*>(text)->Envelop(), (GraphRect{25, 52, 65, 72}));
    EXPECT_EQ(Records(), 1u);
    ASSERT_TRUE(editing::Undo(*project));
    EXPECT_EQ(Digest(*project), before);
    EXPECT_EQ(static_cast<Graph*>(text)->Envelop(), (GraphRect{30, 40, 70, 60}));
}

TEST_F(SurfaceChangeHandlerTest, AClickSelectsWithoutARecordAndAResizeIsOneRecord)
{
    Drag(35, 45, 0, 0);
    EXPECT_EQ(Records(), 0u);
    ASSERT_EQ(sink.batches().size(), 1u);
    EXPECT_FALSE(sink.batches()[0].Modifies());
    EXPECT_EQ(ws.Selection().Element(), text);

    // The grip at the group's bottom-right corner (120, 110).
    Graph* grip = nullptr;
    group->SetSelected(true);
    ASSERT_EQ(editor.Surface().HandleAt(120, 110, &grip), Graph::kHandleBottomRight);
    Drag(120, 110, 30, 10);
    EXPECT_EQ(int{group->AttrBlock()->width}, 130);
    EXPECT_EQ(int{group->AttrBlock()->height}, 90);
    EXPECT_EQ(Records(), 1u);
    ASSERT_TRUE(editing::Undo(*project));
    EXPECT_EQ(int{group->AttrBlock()->width}, 100);
}

TEST_F(SurfaceChangeHandlerTest, NudgesAreOneRecordEachAndShapesAreLeftAlone)
{
    Drag(35, 45, 0, 0);
    ASSERT_TRUE(editor.Surface().Nudge(1, 0));
    ASSERT_TRUE(editor.Surface().Nudge(0, 1));
    EXPECT_EQ(int{text->AttrBlock()->x}, 11);
    EXPECT_EQ(int{text->AttrBlock()->y}, 11);
    EXPECT_EQ(Records(), 2u);

    sink.clear();
    Graph shape;
    shape.Envelop({200, 200, 210, 210});
    editor.AddObj(&shape);
    ASSERT_TRUE(editor.SimulateMove(&shape, 3, 3));
    EXPECT_TRUE(sink.batches().empty());
    EXPECT_EQ(Records(), 2u);
    editor.ClearAll();
}

TEST_F(SurfaceChangeHandlerTest, APictureMovesButOffersNoGripsWhileAGroupDoes)
{
    PicSnapshotItem* picture = AddRegion(group, 1);
    Place(picture, 50, 40, 20, 20);
    ws.Panel().ShowSceneWithSelection(*project, *scene1, picture);
    Graph* grip = nullptr;
    // The picture's bottom-right corner is at (90, 90) on screen.
    EXPECT_EQ(editor.Surface().HandleAt(90, 90, &grip), -1);
    EXPECT_FALSE(editor.Surface().Resize(picture, Graph::kHandleBottomRight, 120, 120));
    EXPECT_TRUE(editor.Surface().MayMove(picture));
    group->SetSelected(true);
    EXPECT_EQ(editor.Surface().HandleAt(120, 110, &grip), Graph::kHandleBottomRight);
}

// Ctrl+click, the rubber band and Esc pick several elements; a drag or a nudge of them is one
// undo record that puts them all back.
TEST_F(SurfaceChangeHandlerTest, SeveralElementsAreSelectedAndMovedAsOne)
{
    StringSnapShotItem* other = AddString(group);
    Place(other, 60, 40, 30, 20); // on screen 80,70 .. 110,90
    ws.Panel().ShowSceneWithSelection(*project, *scene1, nullptr);
    project->History().clear();
    project->SetHistoryCursor(-1);
    VisualSurface& surface = editor.Surface();

    Drag(35, 45, 0, 0);
    ASSERT_TRUE(surface.Toggle(other));
    EXPECT_EQ(editing::multi::Elements(ws), (std::vector<SnapShotItem*>{text, other}));
    EXPECT_TRUE(static_cast<Graph*>(other)->IsSelected());
    EXPECT_FALSE(static_cast<Graph*>(group)->IsSelected());
    EXPECT_EQ(surface.KeyObj(), static_cast<Graph*>(text));

    const std::string before = Digest(*project);
    Drag(85, 75, 4, 6);
    EXPECT_EQ(static_cast<Graph*>(text)->Envelop(), (GraphRect{34, 46, 74, 66}));
    EXPECT_EQ(int{other->AttrBlock()->x}, 64);
    EXPECT_EQ(int{text->AttrBlock()->y}, 16);
    ASSERT_TRUE(surface.Nudge(10, 0));
    EXPECT_EQ(int{other->AttrBlock()->x}, 74);
    EXPECT_EQ(int{text->AttrBlock()->x}, 24);
    EXPECT_EQ(Records(), 2u);
    EXPECT_EQ(editing::multi::Elements(ws).size(), 2u);
    ASSERT_TRUE(editing::Undo(*project));
    ASSERT_TRUE(editing::Undo(*project));
    EXPECT_EQ(Digest(*project), before);

    // Esc leaves the key element; a band from empty space catches what it encloses, and with
    // Alt what it touches.
    surface.ClearByUser();
    EXPECT_EQ(editing::multi::Elements(ws), (std::vector<SnapShotItem*>{text}));
    surface.Press(5, 5);
    surface.DragTo(112, 92, true);
    surface.Release();
    EXPECT_EQ(editing::multi::Elements(ws), (std::vector<SnapShotItem*>{text, other}));
    // Touched, the group is passed over for the elements inside it that the band touches.
    surface.ClearByUser();
    surface.Press(5, 5);
    surface.DragTo(85, 80, true, true);
    surface.Release();
    EXPECT_EQ(editing::multi::Elements(ws), (std::vector<SnapShotItem*>{text, other}));
    surface.Press(5, 5);
    surface.DragTo(75, 80, true);
    surface.Release();
    EXPECT_EQ(editing::multi::Elements(ws), (std::vector<SnapShotItem*>{text}));
    // Selecting recorded nothing: the two undone records are still there to redo.
    EXPECT_EQ(project->HistoryCursor(), -1);
}
