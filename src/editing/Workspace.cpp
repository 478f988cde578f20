#include "editing/Workspace.h"

#include "components/visual/Graph.h"
#include "components/visual/VisualEditor.h"
#include "editing/RootGroup.h"
#include "model/APStyleProject.h"
#include "model/PicSnapshotItem.h"

#include <algorithm>

namespace editing {

Workspace::Workspace(VisualEditor& editor)
    : m_panel(editor), m_previousSink(platform::mainWindowSink())
{
    m_tree.SetSelectionObserver([this](TreeNode* node) { OnSelectionChanged(node); });
    platform::setMainWindowSink(this);
}

Workspace::~Workspace()
{
    platform::setMainWindowSink(m_previousSink);
    if (APStyleProject::Current() && IsOpen(APStyleProject::Current())) {
        APStyleProject::SetCurrent(nullptr);
    }
}

APStyleProject& Workspace::OpenProject(std::unique_ptr<APStyleProject> project)
{
    m_projects.push_back(std::move(project));
    APStyleProject& opened = *m_projects.back();
    SetCurrentProject(&opened);
    m_tree.InsertProject(opened);
    ShowSettings(&opened);
    return opened;
}

void Workspace::CloseProject(APStyleProject* project)
{
    auto it = std::find_if(m_projects.begin(), m_projects.end(),
                           [project](const auto& open) { return open.get() == project; });
    if (it == m_projects.end()) {
        return;
    }
    if (m_clipboard.source == project) {
        m_clipboard = ProjectClipboard{};
    }
    m_tree.DeleteNode(static_cast<const void*>(project));
    m_panel.Editor().ClearAll();
    m_grid.Clear();
    m_selection.Clear();
    m_projects.erase(it);
    SetCurrentProject(m_projects.empty() ? nullptr : m_projects.front().get());
}

std::vector<APStyleProject*> Workspace::Projects() const
{
    std::vector<APStyleProject*> list;
    for (const auto& project : m_projects) {
        list.push_back(project.get());
    }
    return list;
}

bool Workspace::IsOpen(const APStyleProject* project) const
{
    return std::any_of(m_projects.begin(), m_projects.end(),
                       [project](const auto& open) { return open.get() == project; });
}

void Workspace::SetCurrentProject(APStyleProject* project)
{
    m_selection.SetProject(project);
    APStyleProject::SetCurrent(project);
    // The resource panel shows the current project's lists, also after the last one closed.
    if (project != m_resourceProject) {
        m_resourceProject = project;
        if (m_resourceListener) {
            m_resourceListener();
        }
    }
}

void Workspace::ShowElement(SnapShotItem* element)
{
    m_selection.ShowElement(element);
    m_grid.ShowElement(element);
}

void Workspace::ShowScene(Snapshot* scene)
{
    m_selection.ShowScene(scene);
    m_grid.ShowScene(scene);
}

void Workspace::ShowSettings(APStyleProject* project)
{
    m_selection.ShowSettings(project);
    m_grid.ShowProject(project);
}

void Workspace::SwitchResourceList(int list)
{
    if (list != m_resourceList) {
        m_resourceList = list;
        RefreshResourcePanel();
    }
}

void Workspace::OnSelectionChanged(TreeNode* node)
{
    APStyleProject* project = ProjectTree::ProjectOfNode(node);
    if (!project) {
        return;
    }
    if (project != CurrentProject()) {
        RefreshResourcePanel();
    }
    SetCurrentProject(project);
    const TreeNodeData data = node->data;
    if (TreeNode* sceneNode = ProjectTree::SceneNodeOf(node)) {
        SnapShotItem* selected = data.kind == TreeNodeData::kScene ? nullptr : data.element;
        m_panel.ShowScene(*project, *sceneNode->data.scene, selected);
    }
    switch (data.kind) {
    case TreeNodeData::kScene:
        ShowScene(data.scene);
        project->SetCurrentScene(data.scene);
        break;
    case TreeNodeData::kElement:
        SelectElementNode(*node, data, *project);
        break;
    case TreeNodeData::kFrame:
        project->SetCurrentScene(data.scene);
        SelectFrameNode(data);
        break;
    case TreeNodeData::kGroup:
        project->SetCurrentScene(data.scene);
        SelectGroupNode(data);
        break;
    case TreeNodeData::kProject:
        ShowSettings(project);
        break;
    default:
        break;
    }
}

void Workspace::SelectElementNode(TreeNode&, const TreeNodeData& data, APStyleProject& project)
{
    SnapShotItem& element = *data.element;
    m_panel.ClearSelection();
    project.SetCurrentScene(data.scene);
    element.OwnGraph()->SetSelected(element.IsEditable() != 0);
    if (SnapShotItem* parent = element.Parent()) {
        parent->OwnGraph()->SetSelected(parent->IsEditable() != 0);
    }
    element.RefreshRows();
    ShowElement(&element);
    SwitchResourceList(element.KindCode() == SnapShotItem::kString ? kStringList : kPictureList);
    m_panel.Redraw();
}

void Workspace::SelectFrameNode(const TreeNodeData& data)
{
    auto* region = dynamic_cast<PicSnapshotItem*>(data.element);
    if (!region) {
        return;
    }
    m_panel.ClearSelection();
    region->OwnGraph()->SetSelected(region->IsEditable() != 0);
    if (region->KindCode() == SnapShotItem::kPicture &&
        region->CurrentFrameIndex() != data.frameIndex) {
        region->SetCurrentFrameIndex(data.frameIndex);
        region->LoadResource();
    }
    SwitchResourceList(kPictureList);
    region->RefreshRows();
    ShowElement(region);
    m_panel.Redraw();
}

void Workspace::SelectGroupNode(const TreeNodeData& data)
{
    SnapShotItem& group = *data.element;
    m_panel.ClearSelection();
    SnapShotItem* parent = group.Parent();
    group.OwnGraph()->SetSelected(parent == nullptr || parent->IsEditable() != 0);
    group.RefreshRows();
    ShowElement(&group);
    m_panel.Redraw();
}

void Workspace::RebuildTree()
{
    m_tree.Rebuild(Projects());
}

bool Workspace::SelectObject(const void* object, bool expand)
{
    // A root group has no node of its own: its scene node stands for it.
    for (APStyleProject* project : Projects()) {
        for (const auto& scene : project->Scenes()) {
            if (RootGroupOf(*scene) == object) {
                object = scene.get();
            }
        }
    }
    return m_tree.SelectNode(object, expand);
}

void Workspace::notify(const platform::MainWindowNotification& notification)
{
    switch (notification.message) {
    case platform::kMsgElementChanged: {
        auto* element = reinterpret_cast<SnapShotItem*>(notification.wParam);
        ShowElement(element);
        auto* region = dynamic_cast<PicSnapshotItem*>(element);
        TreeNode* node = nullptr;
        if (region && !region->IsSingle() && !region->Frames().empty()) {
            node = m_tree.FindFrameNode(region, region->CurrentFrameIndex());
        }
        node ? (m_tree.EnsureVisible(node), m_tree.SetCaret(node))
             : (void)SelectObject(element);
        break;
    }
    case platform::kMsgRedrawSurface:
    case platform::kMsgRefreshSurface:
        m_panel.Redraw();
        if (CurrentProject()) {
            CurrentProject()->SetModified(1);
        }
        break;
    case platform::kMsgPropertyFollow:
        if (notification.wParam == PicSnapshotItem::kPropArgbOutput) {
            FollowArgbOutput(notification.lParam);
        }
        break;
    case platform::kMsgRebuildTree: {
        RebuildTree();
        const void* object = reinterpret_cast<const void*>(notification.wParam);
        if (!object || !SelectObject(object)) {
            if (m_selection.Element() && !m_selection.Element()->IsDeleted()) {
                SelectObject(m_selection.Element());
            } else if (m_selection.Scene() && !m_selection.Scene()->IsDeleted()) {
                SelectObject(m_selection.Scene());
            }
        }
        break;
    }
    default:
        break;
    }
    if (m_previousSink) {
        m_previousSink->notify(notification);
    }
}

void Workspace::FollowArgbOutput(std::intptr_t value)
{
    // Every picture selected in the tree takes the value (a frame node stands for
    // its region), written directly so that no further message is sent.
    for (TreeNode* node : m_tree.VisibleNodes()) {
        if (!node->selected) {
            continue;
        }
        auto* picture = dynamic_cast<PicSnapshotItem*>(node->data.element);
        if (!picture || picture->KindCode() != SnapShotItem::kPicture) {
            continue;
        }
        PicItemInfo info = picture->PicInfo();
        info.argbOutput = static_cast<std::uint8_t>(value);
        picture->SetPicInfo(info);
        if (PicFrame* frame = picture->CurrentFrame()) {
            frame->argbOutput = static_cast<std::uint8_t>(value);
        }
        picture->RefreshRows();
    }
}

} // namespace editing
