#include "editing/TreeSearch.h"

#include "editing/ProjectTree.h"
#include "platform/UserInteraction.h"

#include <algorithm>

namespace editing {

TreeNode* TreeSearch::SearchChain(TreeNode* start, const std::string& text)
{
    for (TreeNode* node = start; node; node = node->NextSibling()) {
        if (node->label.find(text) != std::string::npos) {
            return node;
        }
        if (!node->children.empty()) {
            if (TreeNode* found = SearchChain(node->children.front().get(), text)) {
                return found;
            }
        }
    }
    return nullptr;
}

TreeNode* TreeSearch::Find(const std::string& text)
{
    // The remembered node may have gone with a rebuild of the tree.
    const auto all = m_tree.AllNodes();
    if (std::find(all.begin(), all.end(), m_last) == all.end()) {
        m_last = nullptr;
    }
    TreeNode* start = nullptr;
    if (m_last) {
        start = m_last->NextSibling();
    } else if (!m_tree.Roots().empty() && !m_tree.Roots().front()->children.empty()) {
        start = m_tree.Roots().front()->children.front().get();
    }
    TreeNode* found = SearchChain(start, text);
    if (!found) {
        platform::interaction().showMessage("Cannot find \"" + text + "\"", "Error");
        m_last = nullptr;
        return nullptr;
    }
    ProjectTree::EnsureVisible(found);
    m_tree.SetCaret(found);
    m_tree.SetDropHighlight(found);
    m_last = found;
    return found;
}

} // namespace editing
