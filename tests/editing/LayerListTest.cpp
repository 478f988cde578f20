// The layer manager's list follows what the property grid shows.
#include "EditingFixture.h"

#include "editing/LayerList.h"

#include <vector>

using namespace editing;

namespace {

std::vector<std::string> Names(const LayerList& layers)
{
    std::vector<std::string> names;
    for (const LayerList::Row& row : layers.Rows()) {
        names.push_back(row.label + ":" + row.pictureName + (row.checked ? "+" : ""));
    }
    return names;
}

struct CountingLayerObserver : LayerList::Observer
{
    void LayersReset() override { ++resets; }
    void LayerChanged(int row) override { changed.push_back(row); }
    int resets = 0;
    std::vector<int> changed;
};

} // namespace

TEST_F(EditingFixture, LayerListShowsTheFramesOfTheShownPictureOnly)
{
    using Names_ = std::vector<std::string>;
    PicSnapshotItem* region = AddRegion(Root(scene1), 3);
    StringSnapShotItem* text = AddString(Root(scene1));
    LayerList layers(ws);
    CountingLayerObserver observer;
    layers.SetObserver(&observer);
    Click(region);
    EXPECT_EQ(layers.Picture(), region);
    EXPECT_EQ(Names(layers), (Names_{"0:F0", "1:F1", "2:F2"}));
    EXPECT_EQ(observer.resets, 1);
    // Nothing checked: the preview shows the current frame.
    EXPECT_EQ(layers.PreviewRows(), std::vector<int>{0});

    sink.clear();
    layers.CheckAll();
    EXPECT_EQ(Names(layers), (Names_{"0:F0+", "1:F1+", "2:F2+"}));
    EXPECT_EQ(sink.count(editing::ChangeKind::SurfaceRedraw), 1);
    layers.SetChecked(1, false);
    layers.InvertChecks();
    EXPECT_EQ(Names(layers), (Names_{"0:F0", "1:F1+", "2:F2"}));
    EXPECT_EQ(layers.PreviewRows(), std::vector<int>{1});
    EXPECT_EQ(observer.resets, 1);

    // Showing the same picture again (another frame node, a refresh) keeps the checks.
    ws.Tree().SetCaret(ws.Tree().FindFrameNode(region, 2));
    EXPECT_EQ(layers.CurrentRow(), 2);
    EXPECT_EQ(Names(layers), (Names_{"0:F0", "1:F1+", "2:F2"}));

    Click(text);
    EXPECT_TRUE(layers.Rows().empty());
    Click(Root(scene1)->Children()->front().get());
    EXPECT_EQ(layers.Picture(), region);
    Click(scene1);
    EXPECT_EQ(layers.Picture(), nullptr);
    layers.SetObserver(nullptr);
}
