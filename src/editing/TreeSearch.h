#pragma once

#include "editing/TreeNodeData.h"

#include <string>

namespace editing {

class ProjectTree;
struct TreeNode;

// The search dialog's logic (command 32854): each Find goes on from the node found
// last; opening the dialog again starts from the beginning.
class TreeSearch
{
public:
    explicit TreeSearch(ProjectTree& tree) : m_tree(tree) {}

    // Forgets the node found last, as a freshly opened dialog does.
    void Reset() { m_last = nullptr; }

    // Finds the next node whose label contains `text` (case-sensitive): from the next
    // sibling of the node found last (the first project's first child when none), along
    // the sibling chain, each node's subtree before its next sibling, without climbing
    // back to the ancestors' siblings. The found node's ancestors are expanded and it
    // becomes the caret (so the main frame shows it) and the drop-highlighted node.
    // Returns it (owned by the tree); on no match shows `Cannot find "text"` with the
    // caption "Error", forgets the last find and returns null.
    TreeNode* Find(const std::string& text);

    // The node found last, or null.
    TreeNode* Last() const { return m_last; }

private:
    static TreeNode* SearchChain(TreeNode* start, const std::string& text);
    // The node found last when it is still in the tree: the same node, or after a
    // rebuild the node standing for the same object. Null otherwise.
    TreeNode* Remembered() const;

    ProjectTree& m_tree;
    TreeNode* m_last = nullptr;
    TreeNodeData m_lastData;
};

} // namespace editing
