#pragma once

#include "editing/TreeNodeData.h"

#include <memory>
#include <string>
#include <vector>

namespace editing {

// One node of the project tree: what the tree widget shows, and its record.
struct TreeNode
{
    std::string label;
    int image = 0;
    int selectedImage = 0;
    TreeNodeData data;
    TreeNode* parent = nullptr;
    std::vector<std::unique_ptr<TreeNode>> children;
    bool selected = false; // the multi-selection state, beside the caret
    bool expanded = false;
    bool checked = false;
    // Where the node was last found among its siblings: lets IndexOf answer at once for
    // long child lists, which item views ask for all the time. Only a hint.
    mutable int rowHint = -1;

    // The index of `child` among the children, or -1.
    int IndexOf(const TreeNode* child) const;
    TreeNode* NextSibling() const;
};

} // namespace editing
