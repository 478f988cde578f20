#include "editing/ProjectTree.h"

#include "editing/RootGroup.h"
#include "editing/TreeImages.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"

#include <cstdio>

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

void ProjectTree::SetCaret(TreeNode* node)
{
    if (node == m_caret) {
        return;
    }
    m_caret = node;
    if (node && m_observer) {
        m_observer(node);
    }
}

void ProjectTree::SetCheckBoxes(bool on)
{
    m_checkBoxes = on;
    for (TreeNode* node : AllNodes()) {
        node->checked = false;
    }
}

TreeNode* ProjectTree::AddNode(TreeNode* parent, const std::string& label, int image,
                               const TreeNodeData& data)
{
    auto node = std::make_unique<TreeNode>();
    node->label = label;
    node->image = image;
    node->selectedImage = image == kImageProject ? image : image + 1;
    node->data = data;
    node->parent = parent;
    auto& list = parent ? parent->children : m_roots;
    list.push_back(std::move(node));
    return list.back().get();
}

TreeNode* ProjectTree::InsertProject(APStyleProject& project)
{
    if (TreeNode* existing = FindNode(&project)) {
        return existing;
    }
    TreeNodeData data;
    data.kind = TreeNodeData::kProject;
    data.project = &project;
    TreeNode* node = AddNode(nullptr, project.Name(), kImageProject, data);
    for (const auto& scene : project.Scenes()) {
        InsertScene(*scene, project);
    }
    return node;
}

TreeNode* ProjectTree::InsertScene(Snapshot& scene, APStyleProject& project)
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
    TreeNode* node = AddNode(FindNode(&project), scene.Name(), kImageScene, data);
    // The root group has no node: its children hang below the scene node.
    const SnapShotItem* root = RootGroupOf(scene);
    if (const SnapItemList* children = root ? root->Children() : nullptr) {
        for (const auto& child : *children) {
            AddElementNode(*node, *child, scene);
        }
    }
    return node;
}

TreeNode* ProjectTree::InsertElement(SnapShotItem& element, const void* parentObject,
                                     Snapshot& scene)
{
    TreeNode* parent = FindNode(parentObject);
    return parent ? AddElementNode(*parent, element, scene) : nullptr;
}

TreeNode* ProjectTree::AddElementNode(TreeNode& parent, SnapShotItem& element, Snapshot& scene)
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
    TreeNode* node = AddNode(&parent, element.Name(), image, data);
    InsertChildren(*node, element, scene);
    return node;
}

TreeNode* ProjectTree::AddFrameNode(TreeNode& parent, PicSnapshotItem& region, int index)
{
    TreeNodeData data;
    data.kind = TreeNodeData::kFrame;
    data.scene = parent.data.scene;
    data.element = &region;
    data.frameIndex = index;
    return AddNode(&parent, Numbered("Frame%02lld", index), kImageFrame, data);
}

void ProjectTree::InsertChildren(TreeNode& node, SnapShotItem& element, Snapshot& scene)
{
    // The parent node is known here: looking it up again for every child would walk the
    // whole tree once per child.
    if (const SnapItemList* children = element.Children()) {
        for (const auto& child : *children) {
            AddElementNode(node, *child, scene);
        }
        return;
    }
    auto* picture = dynamic_cast<PicSnapshotItem*>(&element);
    if (picture && !picture->IsSingle()) {
        for (std::size_t i = 0; i < picture->Frames().size(); ++i) {
            AddFrameNode(node, *picture, static_cast<int>(i));
        }
    }
}

TreeNode* ProjectTree::InsertFrame(int index, PicSnapshotItem& region)
{
    TreeNode* parent = FindNode(&region);
    return parent ? AddFrameNode(*parent, region, index) : nullptr;
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

void ProjectTree::Forget(TreeNode* node)
{
    if (Contains(node, m_caret)) {
        m_caret = nullptr;
    }
    if (Contains(node, m_dropHighlight)) {
        m_dropHighlight = nullptr;
    }
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
    Forget(node);
    auto& list = node->parent ? node->parent->children : m_roots;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->get() == node) {
            list.erase(it);
            return;
        }
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
        node->expanded = true;
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
    node->image = image;
    node->selectedImage = image == kImageProject ? image : image + 1;
    if (selector != kSelectorGroup || !changed) {
        return;
    }
    // The lock reaches the whole tree below a group, and so does its picture.
    std::vector<TreeNode*> below;
    Walk(node->children, false, below);
    for (TreeNode* child : below) {
        if (child->data.kind == TreeNodeData::kGroup) {
            child->image = image;
            child->selectedImage = image + 1;
        }
    }
}

void ProjectTree::SetProjectLabel(APStyleProject& project, const std::string& name)
{
    if (TreeNode* node = FindNode(&project)) {
        node->label = name;
    }
}

void ProjectTree::Rebuild(const std::vector<APStyleProject*>& projects)
{
    m_caret = nullptr;
    m_dropHighlight = nullptr;
    m_roots.clear();
    for (APStyleProject* project : projects) {
        InsertProject(*project);
    }
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
    for (TreeNode* up = node ? node->parent : nullptr; up; up = up->parent) {
        up->expanded = true;
    }
}

} // namespace editing
