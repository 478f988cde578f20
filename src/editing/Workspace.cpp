#include "editing/Workspace.h"

#include "components/visual/Graph.h"
#include "components/visual/VisualEditor.h"
#include "editing/RootGroup.h"
#include "model/APStyleProject.h"
#include "model/PicSnapshotItem.h"

#include <algorithm>

namespace editing {

Workspace::Workspace(VisualEditor& editor)
    : m_panel(editor, m_guides), m_previousFeed(InstallFeed(&m_feed)),
      m_previousSink(platform::mainWindowSink())
{
    m_tree.SetSelectionObserver([this](TreeNode* node) { OnSelectionChanged(node); });
    platform::setMainWindowSink(this);
    m_feed.Subscribe(this, ChangeFeed::Tier::Model);
}

Workspace::~Workspace()
{
    platform::setMainWindowSink(m_previousSink);
    InstallFeed(m_previousFeed);
    if (APStyleProject::Current() && IsOpen(APStyleProject::Current())) {
        APStyleProject::SetCurrent(nullptr);
    }
}

APStyleProject& Workspace::OpenProject(std::unique_ptr<APStyleProject> project)
{
    m_projects.push_back(std::move(project));
    APStyleProject& opened = *m_projects.back();
    if (std::string note = m_guides.Load(opened); !note.empty()) {
        m_feed.Post(Change::Note(std::move(note)));
    }
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
    m_guides.Forget(*project);
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
        m_feed.Post(Change{ChangeKind::Resources});
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
    const ChangeBatch batch(m_feed);
    ShowNode(*project, node);
    PostSelection();
}

void Workspace::ShowNode(APStyleProject& shown, TreeNode* node)
{
    APStyleProject* project = &shown;
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

void Workspace::Select(SnapShotItem* element)
{
    if (!element) {
        return;
    }
    const ChangeBatch batch(m_feed);
    ShowElement(element);
    auto* region = dynamic_cast<PicSnapshotItem*>(element);
    TreeNode* node = nullptr;
    if (region && !region->IsSingle() && !region->Frames().empty()) {
        node = m_tree.FindFrameNode(region, region->CurrentFrameIndex());
    }
    if (node) {
        m_tree.EnsureVisible(node);
        m_tree.SetCaret(node);
    } else {
        SelectObject(element);
    }
    // As a click in the tree: the node alone is selected, so that Delete removes it.
    if (TreeNode* caret = m_tree.Caret(); caret && !m_tree.CheckBoxes()) {
        for (TreeNode* other : m_tree.AllNodes()) {
            if (other->selected != (other == caret)) {
                m_tree.SetSelected(other, other == caret);
            }
        }
    }
    PostSelection();
}

void Workspace::PostSelection()
{
    // While the views are told of a batch, they already hear of the selection it made.
    if (!m_feed.Delivering()) {
        m_feed.Post(Change::Selection());
    }
}

void Workspace::notify(const platform::MainWindowNotification& notification)
{
    Change change;
    change.kind = static_cast<ChangeKind>(notification.message);
    switch (change.kind) {
    case ChangeKind::SurfaceRedraw:
    case ChangeKind::SurfaceRefresh:
    case ChangeKind::TreeRebuild:
        break;
    case ChangeKind::PropertyFollow:
        change.property = static_cast<int>(notification.first);
        change.value = notification.second;
        break;
    case ChangeKind::GenerationStep:
        change.value = notification.first;
        change.text = notification.text;
        break;
    case ChangeKind::SurfaceResize:
        change.width = static_cast<int>(notification.first);
        change.height = static_cast<int>(notification.second);
        break;
    default:
        return;
    }
    m_feed.Post(std::move(change));
}

void Workspace::GuidesEdited()
{
    APStyleProject* project = CurrentProject();
    Snapshot* scene = m_panel.ShownScene();
    if (!project || !scene) {
        return;
    }
    if (std::string note = m_guides.Set(*project, *scene, m_panel.Editor().Guides());
        !note.empty()) {
        m_feed.Post(Change::Note(std::move(note)));
    }
}

void Workspace::OnChanges(const ChangeSet& changes)
{
    if (changes.Modifies() && CurrentProject()) {
        CurrentProject()->SetModified(1);
    }
    SyncTree(changes);
    if (const Change* follow = changes.Last(ChangeKind::PropertyFollow);
        follow && follow->property == PicSnapshotItem::kPropArgbOutput) {
        FollowArgbOutput(follow->value);
    }
    if (changes.Has(ChangeKind::ElementChanged) || changes.Modifies() ||
        changes.Has(ChangeKind::TreeRebuild)) {
        m_grid.Refresh();
    }
    if (changes.Repaints()) {
        m_panel.Redraw();
    }
}

void Workspace::SyncTree(const ChangeSet& changes)
{
    if (const Change* rebuild = changes.Last(ChangeKind::TreeRebuild)) {
        RebuildTree();
        SelectRebuilt(*rebuild);
        return;
    }
    const Change* changed = changes.Last(ChangeKind::ElementChanged);
    if (!changed || !changed->element || changed->element->IsDeleted()) {
        return;
    }
    SnapShotItem* element = changed->element;
    if (TreeNode* node = m_tree.FindNode(element); node && node->label != element->Name()) {
        m_tree.SetLabel(node, element->Name());
    }
    if (element == m_selection.Element()) {
        return;
    }
    // An element of a selection of several keeps that selection when it changes.
    if (TreeNode* node = m_tree.FindNode(element); node && node->selected) {
        return;
    }
    // A root group is edited through its scene's page: its scene stays selected.
    if (!element->Parent()) {
        if (!m_selection.Scene() || RootGroupOf(*m_selection.Scene()) != element) {
            SelectObject(element);
        }
        return;
    }
    Select(element);
}

void Workspace::SelectRebuilt(const Change& rebuild)
{
    // A rebuild that names nothing (a build that stopped at a scene) selects the current
    // project's current scene.
    const void* object = rebuild.element ? static_cast<const void*>(rebuild.element)
                         : rebuild.scene ? static_cast<const void*>(rebuild.scene)
                                         : static_cast<const void*>(rebuild.project);
    if (!object && CurrentProject()) {
        object = CurrentProject()->CurrentScene();
    }
    if (object && SelectObject(object)) {
        return;
    }
    if (m_selection.Element() && !m_selection.Element()->IsDeleted()) {
        SelectObject(m_selection.Element());
    } else if (m_selection.Scene() && !m_selection.Scene()->IsDeleted()) {
        SelectObject(m_selection.Scene());
    }
}

void Workspace::FollowArgbOutput(std::int64_t value)
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
