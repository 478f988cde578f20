#pragma once

#include <string>

namespace editing {

class ProjectTree;
struct TreeNode;

// The search dialog's model: each Find goes on from the node found last.
class TreeSearch
{
public:
    explicit TreeSearch(ProjectTree& tree) : m_tree(tree) {}

    // Finds the next node whose label contains `text` (case-sensitive), makes it
    // the caret and the drop-highlighted node and returns it; on no match shows
    // `Cannot find "text"`, forgets the last find and returns null.
    TreeNode* Find(const std::string& text);

private:
    TreeNode* SearchChain(TreeNode* start, const std::string& text);

    ProjectTree& m_tree;
    TreeNode* m_last = nullptr;
};

} // namespace editing
