#include "components/visual/HeadlessVisualEditor.h"
#include "components/visual/ImageGraph.h"
#include "components/visual/RecordingGraphPainter.h"
#include "components/visual/StringGraph.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

class SurfaceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(surface.CreateEditor(nullptr, {0, 0, 320, 240}, [this](Graph* graph, int code) {
            reports.emplace_back(graph, code);
        }));
        back.Envelop({0, 0, 100, 100});
        front.Envelop({50, 50, 150, 80});
        surface.AddObj(&back);
        surface.AddObj(&front);
    }

    HeadlessVisualEditor surface;
    ImageGraph back;
    StringGraph front;
    std::vector<std::pair<Graph*, int>> reports;
};

} // namespace

TEST_F(SurfaceTest, KeepsDrawablesInTheOrderAddedAndHitsTheTopmost)
{
    surface.AddObj(&back); // already there: keeps its place
    surface.AddObj(nullptr);
    EXPECT_EQ(surface.Objects(), (std::vector<Graph*>{&back, &front}));
    EXPECT_EQ(surface.ObjectAt(60, 60), &front);
    EXPECT_EQ(surface.ObjectAt(10, 10), &back);
    EXPECT_EQ(surface.ObjectAt(200, 200), nullptr);
    front.SetVisible(false);
    EXPECT_EQ(surface.ObjectAt(60, 60), &back);

    surface.ClearAll();
    EXPECT_TRUE(surface.Objects().empty());
    EXPECT_EQ(surface.ObjectAt(10, 10), nullptr);
}

TEST_F(SurfaceTest, UserChangesReachTheCallbackWithCodeTwo)
{
    EXPECT_TRUE(surface.SimulateUserChange(&front));
    EXPECT_TRUE(surface.SimulateMove(&back, 4, 6));
    EXPECT_EQ(back.Envelop(), (GraphRect{4, 6, 104, 106}));
    EXPECT_TRUE(surface.SimulateResize(&front, Graph::kHandleRight, 170, 0));
    EXPECT_EQ(front.Envelop(), (GraphRect{50, 50, 170, 80}));
    const std::vector<std::pair<Graph*, int>> expected = {
        {&front, VisualEditor::kCodeChanged},
        {&back, VisualEditor::kCodeChanged},
        {&front, VisualEditor::kCodeChanged},
    };
    EXPECT_EQ(reports, expected);

    StringGraph offSurface;
    EXPECT_FALSE(surface.SimulateUserChange(&offSurface));
    EXPECT_EQ(reports.size(), 3u);
}

TEST_F(SurfaceTest, LockedOrFixedDrawablesDoNotMove)
{
    back.SetFixed(true);
    EXPECT_FALSE(surface.SimulateMove(&back, 5, 5));
    front.SetEditable(false);
    EXPECT_FALSE(surface.SimulateMove(&front, 5, 5));
    EXPECT_FALSE(surface.SimulateSelect(&front));
    front.SetEditable(true);
    front.SetResizeable(false);
    EXPECT_FALSE(surface.SimulateResize(&front, Graph::kHandleRight, 300, 0));
    EXPECT_TRUE(surface.SimulateMove(&front, 1, 0));
    EXPECT_EQ(back.Envelop(), (GraphRect{0, 0, 100, 100}));
    EXPECT_EQ(front.Envelop(), (GraphRect{51, 50, 151, 80}));
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(SurfaceTest, SelectionIsSingleAndClearedOnRequest)
{
    ASSERT_TRUE(surface.SimulateSelect(&back));
    ASSERT_TRUE(surface.SimulateSelect(&front));
    EXPECT_EQ(surface.SelectedObjects(), std::vector<Graph*>{&front});
    EXPECT_EQ(reports.back(), std::make_pair(static_cast<Graph*>(&front),
                                             static_cast<int>(VisualEditor::kCodeSelected)));
    // The editor may select more than one itself (an element and its parent group).
    back.SetSelected(true);
    EXPECT_EQ(surface.SelectedObjects(), (std::vector<Graph*>{&back, &front}));
    surface.ClearSelectedObj();
    EXPECT_TRUE(surface.SelectedObjects().empty());
}

TEST_F(SurfaceTest, ScaleReachesEveryDrawableIncludingLaterOnes)
{
    surface.Scale(2.0);
    surface.Scale(-1.0);
    EXPECT_DOUBLE_EQ(surface.Scale(), 2.0);
    EXPECT_DOUBLE_EQ(back.GetScale(), 2.0);
    ImageGraph later;
    surface.AddObj(&later);
    EXPECT_DOUBLE_EQ(later.GetScale(), 2.0);
}

TEST_F(SurfaceTest, PaintsScreenThenDrawablesInOrderThenFocus)
{
    surface.SetScreenBkColor(0xEEEEEE);
    surface.OnSize(0, 316, 236);
    front.SetText("top");
    front.SetSelected(true);
    RecordingGraphPainter painter;
    surface.Paint(painter);

    using Kind = RecordingGraphPainter::Kind;
    const auto& calls = painter.calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().kind, Kind::FillRect);
    EXPECT_EQ(calls.front().rect, (GraphRect{0, 0, 316, 236}));
    EXPECT_EQ(calls.front().colour, 0xEEEEEEu);
    std::vector<Kind> order;
    for (const auto& call : calls) {
        if (call.kind == Kind::DrawFrame || call.kind == Kind::DrawText) {
            order.push_back(call.kind);
        }
    }
    // Placeholder frame of the empty picture, the text above it, the focus frame last.
    EXPECT_EQ(order, (std::vector<Kind>{Kind::DrawFrame, Kind::DrawText, Kind::DrawFrame}));
}

TEST_F(SurfaceTest, CallbackMayRebuildTheSurface)
{
    HeadlessVisualEditor& editor = surface;
    editor.CreateEditor(nullptr, {0, 0, 320, 240}, [&editor, this](Graph* graph, int code) {
        reports.emplace_back(graph, code);
        editor.ClearAll();
        editor.AddObj(graph);
        editor.CreateEditor(nullptr, {0, 0, 320, 240}, nullptr);
    });
    EXPECT_TRUE(editor.SimulateMove(&back, 1, 1));
    EXPECT_EQ(editor.Objects(), std::vector<Graph*>{&back});
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_TRUE(editor.SimulateUserChange(&back)); // no callback any more: nothing to call
    EXPECT_EQ(reports.size(), 1u);
}
