#include "editing/TreeNode.h"

namespace editing {

int TreeNode::IndexOf(const TreeNode* child) const
{
    if (!child) {
        return -1;
    }
    const int hint = child->rowHint;
    if (hint >= 0 && static_cast<std::size_t>(hint) < children.size() &&
        children[static_cast<std::size_t>(hint)].get() == child) {
        return hint;
    }
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (children[i].get() == child) {
            child->rowHint = static_cast<int>(i);
            return static_cast<int>(i);
        }
    }
    return -1;
}

TreeNode* TreeNode::NextSibling() const
{
    if (!parent) {
        return nullptr;
    }
    const int index = parent->IndexOf(this);
    if (index < 0 || static_cast<std::size_t>(index) + 1 >= parent->children.size()) {
        return nullptr;
    }
    return parent->children[static_cast<std::size_t>(index) + 1].get();
}

} // namespace editing
