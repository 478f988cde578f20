#include "components/visual/ImageGraph.h"
#include "components/visual/VisualSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// A drawable that belongs to another, as the elements of a group do.
class ChildGraph : public ImageGraph
{
public:
    explicit ChildGraph(Graph* parent) : m_parent(parent) {}
    Graph* GetParentGraph() const override { return m_parent; }

private:
    Graph* m_parent;
};

class VisualSurfaceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        surface.SetCallback([this](Graph* graph, int code) { reports.push_back({graph, code}); });
        surface.SetViewSize(328, 248);
        surface.SetScreenSize(320, 240);
        group.Envelop({10, 10, 110, 60});
        child.Envelop({20, 20, 40, 40});
        other.Envelop({200, 100, 230, 130});
        for (Graph* graph : std::vector<Graph*>{&group, &child, &other}) {
            surface.AddObj(graph);
        }
    }

    struct Report
    {
        Graph* graph;
        int code;
    };
    int changes() const
    {
        int count = 0;
        for (const Report& report : reports) {
            count += report.code == VisualEditor::kCodeChanged ? 1 : 0;
        }
        return count;
    }

    VisualSurface surface;
    ImageGraph group;
    ChildGraph child{&group};
    ImageGraph other;
    std::vector<Report> reports;
};

} // namespace

TEST_F(VisualSurfaceTest, ADragReportsOnceAtTheEndAndCarriesWhatBelongsToTheDrawable)
{
    surface.Press(50, 50);
    EXPECT_TRUE(surface.IsDragging());
    for (int step = 1; step <= 10; ++step) {
        surface.DragTo(50 + step, 50 + 2 * step, false);
    }
    EXPECT_EQ(changes(), 0);
    surface.Release();
    EXPECT_EQ(changes(), 1);
    EXPECT_EQ(group.Envelop(), (GraphRect{20, 30, 120, 80}));
    EXPECT_EQ(child.Envelop(), (GraphRect{30, 40, 50, 60}));
    // Back where it started: no change to report.
    surface.Press(60, 70);
    surface.DragTo(70, 70, false);
    surface.DragTo(60, 70, false);
    surface.Release();
    EXPECT_EQ(changes(), 1);
}

TEST_F(VisualSurfaceTest, EdgesAndCentresSnapToSiblingsAndTheScreenUnlessTurnedOff)
{
    surface.Press(210, 110);
    // Edges 288, 303 and 318 across, 80, 95 and 110 down: only the right edge is within
    // reach of a line, the screen's 320.
    surface.DragTo(298, 90, true);
    EXPECT_EQ(other.Envelop(), (GraphRect{290, 80, 320, 110}));
    ASSERT_EQ(surface.Guides().size(), 1u);
    EXPECT_TRUE(surface.Guides().front().vertical);
    EXPECT_EQ(surface.Guides().front().position, 320);
    // The top edge at 57 catches the group's bottom edge at 60 (the child is no sibling).
    surface.DragTo(298, 67, true);
    EXPECT_EQ(other.Envelop().top, 60);
    surface.DragTo(298, 67, false);
    EXPECT_EQ(other.Envelop().top, 57);
    EXPECT_EQ(other.Envelop().right, 318);
    EXPECT_TRUE(surface.Guides().empty());
    surface.Release();
    EXPECT_TRUE(surface.Guides().empty());
}

TEST_F(VisualSurfaceTest, GripsResizeOnlyWhatMayBeResizedAndNeverTurnItOver)
{
    other.SetSelected(true);
    Graph* grip = nullptr;
    ASSERT_EQ(surface.HandleAt(230, 130, &grip), Graph::kHandleBottomRight);
    EXPECT_EQ(grip, &other);
    surface.Press(230, 130);
    surface.DragTo(150, 20, false); // past the opposite corner
    surface.Release();
    EXPECT_EQ(other.Envelop(), (GraphRect{200, 100, 201, 101}));
    EXPECT_EQ(changes(), 1);

    other.SetResizeable(false);
    EXPECT_EQ(surface.HandleAt(201, 101, &grip), -1);
    other.SetResizeable(true);
    other.SetFixed(true);
    EXPECT_EQ(surface.HandleAt(201, 101, &grip), -1);
    EXPECT_FALSE(surface.Resize(&other, Graph::kHandleRight, 300, 0));
    EXPECT_FALSE(surface.Nudge(1, 0));
    EXPECT_EQ(changes(), 1);
}

TEST_F(VisualSurfaceTest, ClicksLetLockedDrawablesThroughAndNudgesMoveThePickedOne)
{
    child.SetEditable(false);
    surface.Press(25, 25);
    surface.Release();
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.front().graph, &group);
    EXPECT_EQ(reports.front().code, VisualEditor::kCodeSelected);

    child.SetEditable(true);
    surface.Press(25, 25);
    surface.Release();
    group.SetSelected(true); // the editor selects the parent too
    ASSERT_TRUE(surface.Nudge(0, -1));
    EXPECT_EQ(child.Envelop(), (GraphRect{20, 19, 40, 39}));
    EXPECT_EQ(group.Envelop(), (GraphRect{10, 10, 110, 60}));
    EXPECT_EQ(reports.back().graph, &child);
    // Dirty places are the old and new places of what changed.
    EXPECT_FALSE(surface.TakeDirty().empty());
    EXPECT_TRUE(surface.TakeDirty().empty());
}

TEST_F(VisualSurfaceTest, UserGuidesArePulledMovedCaughtOnAndDroppedBack)
{
    const auto guideReports = [this] {
        return std::count_if(reports.begin(), reports.end(), [](const Report& report) {
            return report.code == VisualEditor::kCodeGuides && !report.graph;
        });
    };
    // Pulled out of the left ruler, dragged, let go: one report.
    surface.StartUserGuide(true, 140);
    surface.DragTo(152, 5, true);
    EXPECT_EQ(surface.DraggedGuide(), 0);
    surface.Release();
    ASSERT_EQ(surface.UserGuides(), (std::vector<GuideLine>{{true, 152}}));
    EXPECT_EQ(guideReports(), 1);

    // A drag catches on it: the left edge at 155 moves to 152 and the guide shows.
    surface.Press(210, 110);
    surface.DragTo(165, 110, true);
    EXPECT_EQ(other.Envelop().left, 152);
    EXPECT_NE(std::find(surface.Guides().begin(), surface.Guides().end(), GuideLine{true, 152}),
              surface.Guides().end());
    surface.Release();
    // Hidden guides are neither picked nor caught on.
    surface.ShowUserGuides(false);
    EXPECT_EQ(surface.UserGuideAt(152, 200), -1);
    surface.Press(160, 110);
    surface.DragTo(162, 110, true);
    EXPECT_EQ(other.Envelop().left, 154);
    surface.Release();
    surface.ShowUserGuides(true);

    // Picked where no drawable is, moved; a press and release in place reports nothing.
    const auto before = guideReports();
    ASSERT_EQ(surface.UserGuideAt(153, 200), 0);
    surface.Press(152, 200);
    surface.Release();
    EXPECT_EQ(guideReports(), before);
    surface.Press(152, 200);
    surface.DragTo(100, 200, true);
    surface.Release();
    EXPECT_EQ(surface.UserGuides(), (std::vector<GuideLine>{{true, 100}}));
    EXPECT_EQ(guideReports(), before + 1);
    EXPECT_TRUE(surface.MoveUserGuide(0, 90));
    EXPECT_FALSE(surface.MoveUserGuide(0, 90));
    EXPECT_FALSE(surface.MoveUserGuide(3, 90));

    // Dropped onto the ruler: an existing guide goes (reported), a new one never arrives.
    const auto placed = guideReports();
    surface.StartUserGuide(false, 30);
    surface.RemoveDraggedGuide();
    EXPECT_EQ(guideReports(), placed);
    surface.Press(90, 200);
    surface.RemoveDraggedGuide();
    EXPECT_TRUE(surface.UserGuides().empty());
    EXPECT_EQ(guideReports(), placed + 1);
}

TEST_F(VisualSurfaceTest, AGuideIsPickedWithinAFewViewPixelsAtAnyZoom)
{
    surface.SetUserGuides({{true, 50}, {false, 20}});
    surface.Scale(4.0);
    // Scene column 49 is drawn at view pixels 196..199, its middle 2 pixels from the guide.
    EXPECT_EQ(surface.UserGuideAt(49, 200), 0);
    EXPECT_EQ(surface.UserGuideAt(48, 200), -1);
    EXPECT_EQ(surface.UserGuideAt(300, 20), 1);
    surface.Scale(0.25);
    // At a quarter, 12 scene pixels are 3 view pixels.
    EXPECT_EQ(surface.UserGuideAt(300, 32), 1);
    EXPECT_EQ(surface.UserGuideAt(300, 40), -1);
}
