#pragma once

#include "editing/TreeNode.h"
#include "editing/TreeObserver.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class APStyleProject;
class PicSnapshotItem;
class Snapshot;
class SnapShotItem;

namespace editing {

// The project tree without a widget: every open project with its scenes, elements
// and frames, the caret, the per-node selected state, the drop highlight and the
// check boxes. Nodes and their records are owned by the tree; node pointers stay
// valid until the node is deleted or the tree rebuilt. Every change goes through the
// tree's operations, which tell the observers (the widgets) what changed.
class ProjectTree
{
public:
    // Called when the caret moves to another node (the widget's selection-changed).
    using SelectionObserver = std::function<void(TreeNode* node)>;

    void SetSelectionObserver(SelectionObserver observer) { m_observer = std::move(observer); }
    // Adds a view that hears about every change; not owned, it must remove itself before
    // it goes. Adding one twice has no effect.
    void AddObserver(TreeObserver* observer);
    void RemoveObserver(TreeObserver* observer);

    const std::vector<std::unique_ptr<TreeNode>>& Roots() const { return m_roots; }
    TreeNode* Caret() const { return m_caret; }
    // Makes `node` the caret (null clears it); tells the observer when it changed.
    void SetCaret(TreeNode* node);
    TreeNode* DropHighlight() const { return m_dropHighlight; }
    void SetDropHighlight(TreeNode* node);
    bool CheckBoxes() const { return m_checkBoxes; }
    // Shows check boxes, all without a check mark, or hides them.
    void SetCheckBoxes(bool on);

    // The node field setters; each tells the observers when the value changed.
    void SetLabel(TreeNode* node, const std::string& label);
    void SetSelected(TreeNode* node, bool selected);
    void SetExpanded(TreeNode* node, bool expanded);
    // A check mark puts the node in the selected state too (and taking it away takes the
    // node out): the check boxes are how a user picks the nodes of the multi-selection.
    void SetChecked(TreeNode* node, bool checked);
    // The index of `node` among its siblings (the root nodes for a project), or -1.
    int RowOf(const TreeNode* node) const;

    // Returns the project's root node, inserting it with its scenes when missing.
    TreeNode* InsertProject(APStyleProject& project);
    // Inserts the scene's node with its subtree below the project's node (the root
    // level when it has none). Returns the node, or null for a deleted scene.
    TreeNode* InsertScene(Snapshot& scene, APStyleProject& project);
    // Inserts the element's node with its subtree below the node of `parentObject`
    // (a scene or a group). Returns it; null when the element is deleted or the
    // parent has no node.
    TreeNode* InsertElement(SnapShotItem& element, const void* parentObject, Snapshot& scene);
    // Inserts frame node `index` below the region's node; null without that node.
    TreeNode* InsertFrame(int index, PicSnapshotItem& region);

    // The first node, depth first in display order, whose object is `object`.
    TreeNode* FindNode(const void* object) const;
    // The node of frame `index` of `region`, or null.
    TreeNode* FindFrameNode(const SnapShotItem* region, int index) const;
    // Deletes the node of `object` with its subtree; false when it has none.
    bool DeleteNode(const void* object);
    void DeleteNode(TreeNode* node);
    // Makes the object's node the caret (and expands it); false when it has none.
    bool SelectNode(const void* object, bool expand);
    // The project of the nearest project node at or above `node`, or null.
    static APStyleProject* ProjectOfNode(const TreeNode* node);
    // The scene node at or above `node`, or null.
    static TreeNode* SceneNodeOf(TreeNode* node);
    // Sets the images of the object's node by selector; a group passes the change
    // on to the groups below it.
    void SetImage(const void* object, int selector, bool allowed);
    void SetProjectLabel(APStyleProject& project, const std::string& name);
    // Deletes every node and inserts the projects again, in order. Nodes standing for
    // objects whose nodes were expanded come back expanded.
    void Rebuild(const std::vector<APStyleProject*>& projects);

    // The nodes a user can see (all ancestors expanded), in display order.
    std::vector<TreeNode*> VisibleNodes() const;
    // All nodes in display order.
    std::vector<TreeNode*> AllNodes() const;
    // The node reached from a project node by labels joined with '/' ("/" alone:
    // the first project's node); null when none matches.
    TreeNode* FindByPath(const std::string& path) const;
    // Expands every ancestor of `node`, so that it is visible.
    void EnsureVisible(TreeNode* node);

private:
    using NodePtr = std::unique_ptr<TreeNode>;

    // The builders make a detached subtree, which Attach then hangs into the tree with one
    // notification.
    static NodePtr MakeNode(const std::string& label, int image, const TreeNodeData& data);
    NodePtr MakeSceneNode(Snapshot& scene);
    // The node of a live element with its subtree; null when the element is deleted.
    NodePtr MakeElementNode(SnapShotItem& element, Snapshot& scene);
    static NodePtr MakeFrameNode(Snapshot* scene, PicSnapshotItem& region, int index);
    void MakeChildren(TreeNode& node, SnapShotItem& element, Snapshot& scene);
    static TreeNode* Append(TreeNode* parent, NodePtr node,
                            std::vector<std::unique_ptr<TreeNode>>& roots);
    TreeNode* Attach(TreeNode* parent, NodePtr node);
    // Clears the caret and the drop highlight when they are inside `node`'s subtree;
    // returns which of the two were cleared (1 caret, 2 highlight).
    int Forget(TreeNode* node);
    template <typename Call>
    void Tell(Call call);

    std::vector<std::unique_ptr<TreeNode>> m_roots;
    TreeNode* m_caret = nullptr;
    TreeNode* m_dropHighlight = nullptr;
    bool m_checkBoxes = false;
    SelectionObserver m_observer;
    std::vector<TreeObserver*> m_views;
};

} // namespace editing
