#include "components/visual/ImageGraph.h"
#include "components/visual/VisualSurface.h"

#include <gtest/gtest.h>

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
