#include "editing/EditingPanel.h"

#include "components/visual/Graph.h"
#include "components/visual/VisualEditor.h"
#include "editing/GuideStore.h"
#include "model/APStyleProject.h"

namespace editing {

void EditingPanel::AddTree(SnapShotItem& element)
{
    if (element.IsDeleted()) {
        return;
    }
    m_editor.AddObj(element.OwnGraph());
    if (const SnapItemList* children = element.Children()) {
        for (const auto& child : *children) {
            AddTree(*child);
        }
    }
}

void EditingPanel::ShowGuides(const APStyleProject* project, const Snapshot& scene)
{
    m_editor.SetGuides(project ? m_guides.For(*project, scene) : std::vector<GuideLine>{});
}

void EditingPanel::ShowScene(APStyleProject& project, Snapshot& scene, SnapShotItem* element)
{
    m_editor.ClearSelectedObj();
    m_editor.ClearAll();
    m_scene = &scene;
    m_group = nullptr;
    project.SetCurrentScene(&scene);
    SnapShotItem* holder = nullptr;
    if (element) {
        holder = element->KindCode() == SnapShotItem::kGroup ? element : element->Parent();
    }
    // The group that holds the selection is drawn last, on top of its siblings.
    SnapShotItem* top = holder;
    while (top && top->Parent()) {
        top = top->Parent();
    }
    for (const auto& item : scene.Elements()) {
        if (item.get() != top) {
            AddTree(*item);
        }
    }
    if (top) {
        AddTree(*top);
    }
    ShowGuides(&project, scene);
    if (element && !element->IsDeleted()) {
        element->OwnGraph()->SetSelected(true);
    }
    m_editor.Refresh();
}

void EditingPanel::ShowSceneWithSelection(APStyleProject& project, Snapshot& scene,
                                          SnapShotItem* element)
{
    m_editor.ClearSelectedObj();
    m_editor.ClearAll();
    m_scene = &scene;
    m_group = nullptr;
    project.SetCurrentScene(&scene);
    for (const auto& item : scene.Elements()) {
        AddTree(*item);
    }
    ShowGuides(&project, scene);
    if (element && !element->IsDeleted()) {
        element->OwnGraph()->SetSelected(true);
    }
    m_editor.Refresh();
}

void EditingPanel::SelectInGroup(SnapShotItem& group, Snapshot& scene, SnapShotItem* element)
{
    if (group.KindCode() != SnapShotItem::kGroup) {
        return;
    }
    m_editor.ClearSelectedObj();
    m_editor.ClearAll();
    m_scene = &scene;
    m_group = &group;
    AddTree(group);
    ShowGuides(APStyleProject::Current(), scene);
    if (element && !element->IsDeleted()) {
        element->OwnGraph()->SetSelected(true);
    }
    m_editor.Refresh();
}

void EditingPanel::ClearSelection()
{
    m_editor.ClearSelectedObj();
}

void EditingPanel::Redraw()
{
    m_editor.Refresh();
}

double EditingPanel::Zoom() const
{
    return m_editor.Scale();
}

void EditingPanel::SetZoom(double zoom)
{
    m_editor.Scale(zoom);
}

} // namespace editing
