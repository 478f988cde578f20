#include "components/visual/Graph.h"
#include "components/visual/RecordingGraphPainter.h"

#include <gtest/gtest.h>

#include <limits>

using Kind = RecordingGraphPainter::Kind;

TEST(Graph, FlagsStartAsANewDrawableNeedsAndFollowTheirSetters)
{
    Graph graph;
    EXPECT_FALSE(graph.IsSelected());
    EXPECT_TRUE(graph.IsVisible());
    EXPECT_FALSE(graph.IsDelected());
    EXPECT_TRUE(graph.IsEditable());
    EXPECT_TRUE(graph.IsResizeable());
    EXPECT_FALSE(graph.IsFixed());
    EXPECT_FALSE(graph.IsUseBkColor());
    EXPECT_EQ(graph.GraphType(), Graph::kGraphShape);
    EXPECT_EQ(graph.GetSubGraph(), nullptr);
    EXPECT_EQ(graph.GetParentGraph(), nullptr);

    graph.SetSelected(true);
    graph.SetVisible(false);
    graph.SetDeleted(true);
    graph.SetEditable(false);
    graph.SetResizeable(false);
    graph.SetFixed(true);
    graph.BkColor(0x00C8C8C8);
    graph.SetUseBkColor(true);
    EXPECT_TRUE(graph.IsSelected());
    EXPECT_FALSE(graph.IsVisible());
    EXPECT_TRUE(graph.IsDelected());
    EXPECT_FALSE(graph.IsEditable());
    EXPECT_FALSE(graph.IsResizeable());
    EXPECT_TRUE(graph.IsFixed());
    EXPECT_EQ(graph.BkColor(), 0x00C8C8C8u);
    EXPECT_TRUE(graph.IsUseBkColor());
}

TEST(Graph, TransformMovesEnvelopeAndAnExplicitVisualPart)
{
    Graph graph;
    graph.Envelop({10, 20, 110, 70});
    graph.Transform(5, -3);
    EXPECT_EQ(graph.Envelop(), (GraphRect{15, 17, 115, 67}));
    // Fully visible: the visual part follows the envelope.
    EXPECT_EQ(graph.VisualEnvelop(), graph.Envelop());

    graph.VisualEnvelop({15, 17, 60, 40});
    graph.Transform(-15, 3);
    EXPECT_EQ(graph.Envelop(), (GraphRect{0, 20, 100, 70}));
    EXPECT_EQ(graph.VisualEnvelop(), (GraphRect{0, 20, 45, 43}));

    graph.SetFullVisual();
    EXPECT_EQ(graph.VisualEnvelop(), graph.Envelop());
}

TEST(Graph, HitTestCoversTheEnvelopeOfLiveVisibleDrawablesOnly)
{
    Graph graph;
    graph.Envelop({10, 10, 20, 20});
    EXPECT_TRUE(graph.Hitest(10, 10));
    EXPECT_TRUE(graph.Hitest(19, 19));
    EXPECT_FALSE(graph.Hitest(20, 15)); // right and bottom lie outside
    EXPECT_FALSE(graph.Hitest(15, 20));
    EXPECT_FALSE(graph.Hitest(9, 15));

    graph.SetVisible(false);
    EXPECT_FALSE(graph.Hitest(15, 15));
    graph.SetVisible(true);
    graph.SetDeleted(true);
    EXPECT_FALSE(graph.Hitest(15, 15));
}

TEST(Graph, SetPointMovesTheHandlesEdgesAndRefusesUnknownHandles)
{
    Graph graph;
    graph.Envelop({10, 10, 50, 30});
    EXPECT_TRUE(graph.SetPoint(Graph::kHandleBottomRight, 70, 45));
    EXPECT_EQ(graph.Envelop(), (GraphRect{10, 10, 70, 45}));
    EXPECT_TRUE(graph.SetPoint(Graph::kHandleTop, 999, 0));
    EXPECT_EQ(graph.Envelop(), (GraphRect{10, 0, 70, 45}));
    // Dragging the left edge past the right one flips the rectangle.
    EXPECT_TRUE(graph.SetPoint(Graph::kHandleLeft, 80, 0));
    EXPECT_EQ(graph.Envelop(), (GraphRect{70, 0, 80, 45}));

    EXPECT_FALSE(graph.SetPoint(Graph::kHandleCount, 0, 0));
    EXPECT_FALSE(graph.SetPoint(-1, 0, 0));
    EXPECT_EQ(graph.Envelop(), (GraphRect{70, 0, 80, 45}));
}

TEST(Graph, HandleAtFindsTheGripsInViewPixels)
{
    Graph graph;
    graph.Envelop({0, 0, 100, 50});
    EXPECT_EQ(graph.HandleAt(0, 0), Graph::kHandleTopLeft);
    EXPECT_EQ(graph.HandleAt(50, 1), Graph::kHandleTop);
    EXPECT_EQ(graph.HandleAt(99, 26), Graph::kHandleRight);
    EXPECT_EQ(graph.HandleAt(50, 25), -1);
    graph.Scale(4.0);
    // At 4x a scene pixel is four view pixels: 2 scene pixels off is beyond the reach.
    EXPECT_EQ(graph.HandleAt(2, 0), -1);
    EXPECT_EQ(graph.HandleAt(1, 0), Graph::kHandleTopLeft);
}

TEST(Graph, ScaleIgnoresNonsenseAndDrivesGetRect)
{
    Graph graph;
    graph.Envelop({10, 20, 30, 40});
    graph.Scale(0.0);
    graph.Scale(-2.0);
    graph.Scale(std::numeric_limits<double>::quiet_NaN());
    graph.Scale(std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(graph.GetScale(), 1.0);
    graph.Scale(1.5);
    EXPECT_EQ(graph.GetRect(), (GraphRect{15, 30, 45, 60}));
    EXPECT_EQ(graph.Envelop(), (GraphRect{10, 20, 30, 40}));
}

TEST(Graph, CloneCopiesStateButNotTheSelection)
{
    Graph graph;
    graph.Envelop({1, 2, 3, 4});
    graph.VisualEnvelop({1, 2, 2, 3});
    graph.SetFixed(true);
    graph.SetSelected(true);

    const std::unique_ptr<Graph> copy = graph.Clone();
    EXPECT_EQ(copy->VisualEnvelop(), graph.VisualEnvelop());
    EXPECT_TRUE(copy->IsFixed());
    EXPECT_FALSE(copy->IsSelected());

    Graph target;
    target.SetSelected(true);
    target.Copy(graph);
    EXPECT_TRUE(target.IsSelected());
    EXPECT_EQ(target.Envelop(), graph.Envelop());
}

TEST(Graph, DrawFillsTheBackgroundOnlyWhenInUseAndClipsToTheVisualPart)
{
    Graph graph;
    graph.Envelop({10, 10, 50, 30});
    graph.BkColor(0xFF112233);
    RecordingGraphPainter painter;
    graph.Draw(painter);
    EXPECT_EQ(painter.count(Kind::FillRect), 0);

    graph.SetUseBkColor(true);
    graph.VisualEnvelop({0, 0, 20, 20});
    graph.Draw(painter);
    ASSERT_EQ(painter.count(Kind::FillRect), 1);
    const auto fill = painter.callsOf(Kind::FillRect).front();
    EXPECT_EQ(fill.rect, (GraphRect{10, 10, 50, 30}));
    EXPECT_EQ(fill.colour, 0x112233u); // the top byte is no opacity
    EXPECT_EQ(painter.callsOf(Kind::SetClip).back().rect, (GraphRect{10, 10, 20, 20}));
    EXPECT_EQ(painter.count(Kind::ClearClip), painter.count(Kind::SetClip));

    painter.clear();
    graph.VisualEnvelop({100, 100, 120, 120}); // nothing of it shows
    graph.Draw(painter);
    graph.SetFullVisual();
    graph.SetVisible(false);
    graph.Draw(painter);
    graph.SetVisible(true);
    graph.SetDeleted(true);
    graph.Draw(painter);
    EXPECT_TRUE(painter.calls().empty());
}

TEST(Graph, FocusShowsHandlesOnlyWhenTheUserMayResize)
{
    Graph graph;
    graph.Envelop({0, 0, 40, 20});
    RecordingGraphPainter painter;
    graph.DrawFoucs(painter);
    EXPECT_EQ(painter.count(Kind::DrawFrame), 1);
    EXPECT_EQ(painter.count(Kind::FillRect), Graph::kHandleCount);

    for (int locked = 0; locked < 3; ++locked) {
        Graph other;
        other.Envelop({0, 0, 40, 20});
        other.SetEditable(locked != 0);
        other.SetResizeable(locked != 1);
        other.SetFixed(locked == 2);
        painter.clear();
        other.DrawFoucs(painter);
        EXPECT_EQ(painter.count(Kind::FillRect), 0) << locked;
        EXPECT_EQ(painter.count(Kind::DrawFrame), 1) << locked;
    }
}

TEST(Graph, DragOutlineIsOffsetInScenePixelsThenScaled)
{
    Graph graph;
    graph.Envelop({10, 10, 30, 20});
    graph.Scale(2.0);
    RecordingGraphPainter painter;
    graph.DrawDrag(painter, 5, 5);
    EXPECT_EQ(painter.callsOf(Kind::DrawFrame).front().rect, (GraphRect{30, 30, 70, 50}));
}

TEST(GraphRect, IntersectionAndScalingAreSafe)
{
    const GraphRect a{0, 0, 10, 10};
    EXPECT_EQ(a.Intersect({5, 5, 20, 20}), (GraphRect{5, 5, 10, 10}));
    EXPECT_TRUE(a.Intersect({10, 0, 20, 10}).IsEmpty());
    EXPECT_EQ(GraphRect({1, 1, 3, 3}).Scaled(0.5), (GraphRect{1, 1, 2, 2}));
    const GraphRect huge = GraphRect{0, 0, 1 << 30, 1}.Scaled(1e12);
    EXPECT_EQ(huge.right, std::numeric_limits<int>::max());
}
