#include "editing/ProjectTree.h"

#include "editing/RootGroup.h"
#include "editing/TreeImages.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace editing {

namespace {

std::string Numbered(const char* format, long long number)
{
    char text[48];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

void Walk(const std::vector<std::unique_ptr<TreeNode>>& nodes, bool visibleOnly,
          std::vector<TreeNode*>& out)
{
    for (const auto& node : nodes) {
        out.push_back(node.get());
        if (!visibleOnly || node->expanded) {
            Walk(node->children, visibleOnly, out);
        }
    }
}

bool Contains(const TreeNode* ancestor, const TreeNode* node)
{
    for (; node; node = node->parent) {
        if (node == ancestor) {
            return true;
        }
    }
    return false;
}

} // namespace

template <typename Call>
void ProjectTree::Tell(Call call)
{
    // A view may remove itself while it hears: walk a copy.
    const std::vector<TreeObserver*> views = m_views;
    for (TreeObserver* view : views) {
        call(*view);
    }
}

void ProjectTree::AddObserver(TreeObserver* observer)
{
    if (observer && std::find(m_views.begin(), m_views.end(), observer) == m_views.end()) {
        m_views.push_back(observer);
    }
}

void ProjectTree::RemoveObserver(TreeObserver* observer)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), observer), m_views.end());
}

void ProjectTree::SetCaret(TreeNode* node)
{
    if (node == m_caret) {
        return;
    }
    m_caret = node;
    Tell([node](TreeObserver& view) { view.CaretChanged(node); });
    if (node && m_observer) {
        m_observer(node);
    }
}

void ProjectTree::SetDropHighlight(TreeNode* node)
{
    if (node == m_dropHighlight) {
        return;
    }
    TreeNode* before = m_dropHighlight;
    m_dropHighlight = node;
    Tell([before, node](TreeObserver& view) { view.DropHighlightChanged(before, node); });
}

void ProjectTree::SetCheckBoxes(bool on)
{
    m_checkBoxes = on;
    for (TreeNode* node : AllNodes()) {
        node->checked = false;
    }
    Tell([on](TreeObserver& view) { view.CheckBoxesChanged(on); });
}

void ProjectTree::SetLabel(TreeNode* node, const std::string& label)
{
    if (node && node->label != label) {
        node->label = label;
        Tell([node](TreeObserver& view) { view.NodeChanged(node, TreeObserver::kLabel); });
    }
}

void ProjectTree::SetSelected(TreeNode* node, bool selected)
{
    if (!node) {
        return;
    }
    unsigned changes = 0;
    if (node->selected != selected) {
        node->selected = selected;
        changes |= TreeObserver::kSelected;
    }
    // With check boxes shown the check mark and the selected state are one and the same.
    if (m_checkBoxes && node->checked != selected) {
        node->checked = selected;
        changes |= TreeObserver::kCheck;
    }
    if (changes) {
        Tell([node, changes](TreeObserver& view) { view.NodeChanged(node, changes); });
    }
}

void ProjectTree::SetChecked(TreeNode* node, bool checked)
{
    if (!node) {
        return;
    }
    unsigned changes = 0;
    if (node->checked != checked) {
        node->checked = checked;
        changes |= TreeObserver::kCheck;
    }
    if (node->selected != checked) {
        node->selected = checked;
        changes |= TreeObserver::kSelected;
    }
    if (changes) {
        Tell([node, changes](TreeObserver& view) { view.NodeChanged(node, changes); });
    }
}

void ProjectTree::SetExpanded(TreeNode* node, bool expanded)
{
    if (node && node->expanded != expanded) {
        node->expanded = expanded;
        Tell([node](TreeObserver& view) { view.NodeChanged(node, TreeObserver::kExpanded); });
    }
}

int ProjectTree::RowOf(const TreeNode* node) const
{
    if (!node) {
        return -1;
    }
    if (node->parent) {
        return node->parent->IndexOf(node);
    }
    for (std::size_t i = 0; i < m_roots.size(); ++i) {
        if (m_roots[i].get() == node) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

ProjectTree::NodePtr ProjectTree::MakeNode(const std::string& label, int image,
                                           const TreeNodeData& data)
{
    auto node = std::make_unique<TreeNode>();
    node->label = label;
    node->image = image;
    node->selectedImage = image == kImageProject ? image : image + 1;
    node->data = data;
    return node;
}

TreeNode* ProjectTree::Append(TreeNode* parent, NodePtr node,
                              std::vector<std::unique_ptr<TreeNode>>& roots)
{
    auto& list = parent ? parent->children : roots;
    node->parent = parent;
    node->rowHint = static_cast<int>(list.size());
    list.push_back(std::move(node));
    return list.back().get();
}

TreeNode* ProjectTree::Attach(TreeNode* parent, NodePtr node)
{
    if (!node) {
        return nullptr;
    }
    const int row = static_cast<int>(parent ? parent->children.size() : m_roots.size());
    Tell([parent, row](TreeObserver& view) { view.NodeAboutToBeInserted(parent, row); });
    TreeNode* added = Append(parent, std::move(node), m_roots);
    Tell([added](TreeObserver& view) { view.NodeInserted(added); });
    return added;
}

TreeNode* ProjectTree::InsertProject(APStyleProject& project)
{
    if (TreeNode* existing = FindNode(&project)) {
        return existing;
    }
    TreeNodeData data;
    data.kind = TreeNodeData::kProject;
    data.project = &project;
    NodePtr node = MakeNode(project.Name(), kImageProject, data);
    for (const auto& scene : project.Scenes()) {
        if (NodePtr sceneNode = MakeSceneNode(*scene)) {
            Append(node.get(), std::move(sceneNode), m_roots);
        }
    }
    return Attach(nullptr, std::move(node));
}

ProjectTree::NodePtr ProjectTree::MakeSceneNode(Snapshot& scene)
{
    if (scene.IsDeleted()) {
        return nullptr;
    }
    if (scene.Name().empty()) {
        scene.SetName(Numbered("Scene%02lld", scene.GetId()));
    }
    TreeNodeData data;
    data.kind = TreeNodeData::kScene;
    data.scene = &scene;
    NodePtr node = MakeNode(scene.Name(), kImageScene, data);
    // The root group has no node: its children hang below the scene node.
    const SnapShotItem* root = RootGroupOf(scene);
    if (const SnapItemList* children = root ? root->Children() : nullptr) {
        for (const auto& child : *children) {
            if (NodePtr childNode = MakeElementNode(*child, scene)) {
                Append(node.get(), std::move(childNode), m_roots);
            }
        }
    }
    return node;
}

TreeNode* ProjectTree::InsertScene(Snapshot& scene, APStyleProject& project)
{
    NodePtr node = MakeSceneNode(scene);
    return node ? Attach(FindNode(&project), std::move(node)) : nullptr;
}

TreeNode* ProjectTree::InsertElement(SnapShotItem& element, const void* parentObject,
                                     Snapshot& scene)
{
    TreeNode* parent = FindNode(parentObject);
    return parent ? Attach(parent, MakeElementNode(element, scene)) : nullptr;
}

ProjectTree::NodePtr ProjectTree::MakeElementNode(SnapShotItem& element, Snapshot& scene)
{
    if (element.IsDeleted()) {
        return nullptr;
    }
    TreeNodeData data;
    data.kind =
        element.KindCode() == SnapShotItem::kGroup ? TreeNodeData::kGroup : TreeNodeData::kElement;
    data.scene = &scene;
    data.element = &element;
    const int image = ImageOfSelector(SelectorOf(element), element.IsEditable() != 0);
    NodePtr node = MakeNode(element.Name(), image, data);
    MakeChildren(*node, element, scene);
    return node;
}

ProjectTree::NodePtr ProjectTree::MakeFrameNode(Snapshot* scene, PicSnapshotItem& region, int index)
{
    TreeNodeData data;
    data.kind = TreeNodeData::kFrame;
    data.scene = scene;
    data.element = &region;
    data.frameIndex = index;
    return MakeNode(Numbered("Frame%02lld", index), kImageFrame, data);
}

void ProjectTree::MakeChildren(TreeNode& node, SnapShotItem& element, Snapshot& scene)
{
    if (const SnapItemList* children = element.Children()) {
        for (const auto& child : *children) {
            if (NodePtr childNode = MakeElementNode(*child, scene)) {
                Append(&node, std::move(childNode), m_roots);
            }
        }
        return;
    }
    auto* picture = dynamic_cast<PicSnapshotItem*>(&element);
    if (picture && !picture->IsSingle()) {
        for (std::size_t i = 0; i < picture->Frames().size(); ++i) {
            Append(&node, MakeFrameNode(&scene, *picture, static_cast<int>(i)), m_roots);
        }
    }
}

TreeNode* ProjectTree::InsertFrame(int index, PicSnapshotItem& region)
{
    TreeNode* parent = FindNode(&region);
    return parent ? Attach(parent, MakeFrameNode(parent->data.scene, region, index)) : nullptr;
}

TreeNode* ProjectTree::FindNode(const void* object) const
{
    if (!object) {
        return nullptr;
    }
    for (TreeNode* node : AllNodes()) {
        if (node->data.Object() == object) {
            return node;
        }
    }
    return nullptr;
}

TreeNode* ProjectTree::FindFrameNode(const SnapShotItem* region, int index) const
{
    for (TreeNode* node : AllNodes()) {
        if (node->data.kind == TreeNodeData::kFrame && node->data.element == region &&
            node->data.frameIndex == index) {
            return node;
        }
    }
    return nullptr;
}

int ProjectTree::Forget(TreeNode* node)
{
    int cleared = 0;
    if (Contains(node, m_caret)) {
        m_caret = nullptr;
        cleared |= 1;
    }
    if (Contains(node, m_dropHighlight)) {
        m_dropHighlight = nullptr;
        cleared |= 2;
    }
    return cleared;
}

bool ProjectTree::DeleteNode(const void* object)
{
    TreeNode* node = FindNode(object);
    if (!node) {
        return false;
    }
    DeleteNode(node);
    return true;
}

void ProjectTree::DeleteNode(TreeNode* node)
{
    if (!node) {
        return;
    }
    auto& list = node->parent ? node->parent->children : m_roots;
    const int row = RowOf(node);
    if (row < 0) {
        return;
    }
    TreeNode* parent = node->parent;
    Tell([node](TreeObserver& view) { view.NodeAboutToBeRemoved(node); });
    TreeNode* highlight = m_dropHighlight;
    const int cleared = Forget(node);
    list.erase(list.begin() + row);
    Tell([parent, row](TreeObserver& view) { view.NodeRemoved(parent, row); });
    if (cleared & 1) {
        Tell([](TreeObserver& view) { view.CaretChanged(nullptr); });
    }
    if (cleared & 2) {
        Tell([highlight](TreeObserver& view) { view.DropHighlightChanged(highlight, nullptr); });
    }
}

bool ProjectTree::SelectNode(const void* object, bool expand)
{
    TreeNode* node = FindNode(object);
    if (!node) {
        return false;
    }
    EnsureVisible(node);
    if (expand) {
        SetExpanded(node, true);
    }
    SetCaret(node);
    return true;
}

APStyleProject* ProjectTree::ProjectOfNode(const TreeNode* node)
{
    for (; node; node = node->parent) {
        if (node->data.kind == TreeNodeData::kProject) {
            return node->data.project;
        }
    }
    return nullptr;
}

TreeNode* ProjectTree::SceneNodeOf(TreeNode* node)
{
    for (; node; node = node->parent) {
        if (node->data.kind == TreeNodeData::kScene) {
            return node;
        }
    }
    return nullptr;
}

void ProjectTree::SetImage(const void* object, int selector, bool allowed)
{
    TreeNode* node = FindNode(object);
    const int image = ImageOfSelector(selector, allowed);
    if (!node || image < 0) {
        return;
    }
    const bool changed = node->image != image;
    std::vector<TreeNode*> touched;
    node->image = image;
    node->selectedImage = image == kImageProject ? image : image + 1;
    if (changed) {
        touched.push_back(node);
    }
    if (selector == kSelectorGroup && changed) {
        // The lock reaches the whole tree below a group, and so does its picture.
        std::vector<TreeNode*> below;
        Walk(node->children, false, below);
        for (TreeNode* child : below) {
            if (child->data.kind == TreeNodeData::kGroup && child->image != image) {
                child->image = image;
                child->selectedImage = image + 1;
                touched.push_back(child);
            }
        }
    }
    for (TreeNode* each : touched) {
        Tell([each](TreeObserver& view) { view.NodeChanged(each, TreeObserver::kImage); });
    }
}

void ProjectTree::SetProjectLabel(APStyleProject& project, const std::string& name)
{
    SetLabel(FindNode(&project), name);
}

void ProjectTree::Rebuild(const std::vector<APStyleProject*>& projects)
{
    // Rebuilding follows every move and every undo: what the user had opened stays open.
    std::set<const void*> expanded;
    for (TreeNode* node : AllNodes()) {
        if (node->expanded && node->data.kind != TreeNodeData::kFrame) {
            expanded.insert(node->data.Object());
        }
    }
    Tell([](TreeObserver& view) { view.AboutToReset(); });
    m_caret = nullptr;
    m_dropHighlight = nullptr;
    m_roots.clear();
    for (APStyleProject* project : projects) {
        if (FindNode(project)) {
            continue;
        }
        TreeNodeData data;
        data.kind = TreeNodeData::kProject;
        data.project = project;
        NodePtr node = MakeNode(project->Name(), kImageProject, data);
        for (const auto& scene : project->Scenes()) {
            if (NodePtr sceneNode = MakeSceneNode(*scene)) {
                Append(node.get(), std::move(sceneNode), m_roots);
            }
        }
        Append(nullptr, std::move(node), m_roots);
    }
    for (TreeNode* node : AllNodes()) {
        if (node->data.kind != TreeNodeData::kFrame && expanded.count(node->data.Object())) {
            node->expanded = true;
        }
    }
    Tell([](TreeObserver& view) { view.Reset(); });
}

std::vector<TreeNode*> ProjectTree::VisibleNodes() const
{
    std::vector<TreeNode*> out;
    Walk(m_roots, true, out);
    return out;
}

std::vector<TreeNode*> ProjectTree::AllNodes() const
{
    std::vector<TreeNode*> out;
    Walk(m_roots, false, out);
    return out;
}

TreeNode* ProjectTree::FindByPath(const std::string& path) const
{
    if (m_roots.empty()) {
        return nullptr;
    }
    if (path == "/" || path.empty()) {
        return m_roots.front().get();
    }
    const std::vector<std::unique_ptr<TreeNode>>* level = &m_roots;
    TreeNode* found = nullptr;
    std::size_t start = path.front() == '/' ? 1 : 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string label = path.substr(start, end - start);
        found = nullptr;
        for (const auto& node : *level) {
            if (node->label == label) {
                found = node.get();
                break;
            }
        }
        if (!found) {
            return nullptr;
        }
        level = &found->children;
        start = end + 1;
    }
    return found;
}

void ProjectTree::EnsureVisible(TreeNode* node)
{
    // Outermost first, so that a view expands each level below an open one.
    std::vector<TreeNode*> path;
    for (TreeNode* up = node ? node->parent : nullptr; up; up = up->parent) {
        path.push_back(up);
    }
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        SetExpanded(*it, true);
    }
}

} // namespace editing
