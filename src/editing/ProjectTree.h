#pragma once

#include "editing/TreeNode.h"

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
// valid until the node is deleted or the tree rebuilt.
class ProjectTree
{
public:
    // Called when the caret moves to another node (the widget's selection-changed).
    using SelectionObserver = std::function<void(TreeNode* node)>;

    void SetSelectionObserver(SelectionObserver observer) { m_observer = std::move(observer); }

    const std::vector<std::unique_ptr<TreeNode>>& Roots() const { return m_roots; }
    TreeNode* Caret() const { return m_caret; }
    // Makes `node` the caret (null clears it); tells the observer when it changed.
    void SetCaret(TreeNode* node);
    TreeNode* DropHighlight() const { return m_dropHighlight; }
    void SetDropHighlight(TreeNode* node) { m_dropHighlight = node; }
    bool CheckBoxes() const { return m_checkBoxes; }
    // Shows check boxes, all without a check mark, or hides them.
    void SetCheckBoxes(bool on);

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
    // Deletes every node and inserts the projects again, in order.
    void Rebuild(const std::vector<APStyleProject*>& projects);

    // The nodes a user can see (all ancestors expanded), in display order.
    std::vector<TreeNode*> VisibleNodes() const;
    // All nodes in display order.
    std::vector<TreeNode*> AllNodes() const;
    // The node reached from a project node by labels joined with '/' ("/" alone:
    // the first project's node); null when none matches.
    TreeNode* FindByPath(const std::string& path) const;
    // Expands every ancestor of `node`, so that it is visible.
    static void EnsureVisible(TreeNode* node);

private:
    TreeNode* AddNode(TreeNode* parent, const std::string& label, int image,
                      const TreeNodeData& data);
    // Adds the node of a live element with its subtree below `parent`; null when deleted.
    TreeNode* AddElementNode(TreeNode& parent, SnapShotItem& element, Snapshot& scene);
    TreeNode* AddFrameNode(TreeNode& parent, PicSnapshotItem& region, int index);
    void InsertChildren(TreeNode& node, SnapShotItem& element, Snapshot& scene);
    void Forget(TreeNode* node);

    std::vector<std::unique_ptr<TreeNode>> m_roots;
    TreeNode* m_caret = nullptr;
    TreeNode* m_dropHighlight = nullptr;
    bool m_checkBoxes = false;
    SelectionObserver m_observer;
};

} // namespace editing
