#include "support/GridLayerWorkspace.h"

GridLayerWorkspace::GridLayerWorkspace()
{
    auto created = std::make_unique<APStyleProject>();
    created->InitNew();
    project = &ws.OpenProject(std::move(created));
    project->SetCaseDir(dir.path());
    scene = editing::add::Scene(ws, true);
    root = static_cast<CCanvasSnapShotItem*>(scene->Elements().front().get());
    project->History().clear();
    project->SetHistoryCursor(-1);
}

PicSnapshotItem* GridLayerWorkspace::addRegion(int frames)
{
    auto* region = static_cast<PicSnapshotItem*>(root->AddChild(SnapShotItem::kPicture, 0));
    while (static_cast<int>(region->Frames().size()) < frames) {
        region->AppendFrame(PicFrame{});
    }
    for (std::size_t i = 0; i < region->Frames().size(); ++i) {
        region->Frames()[i].name = "F" + std::to_string(i);
    }
    region->RefreshRows();
    ws.RebuildTree();
    return region;
}

StringSnapShotItem* GridLayerWorkspace::addString()
{
    auto* text = static_cast<StringSnapShotItem*>(root->AddChild(SnapShotItem::kString, 0));
    root->RefreshRows();
    ws.RebuildTree();
    return text;
}
