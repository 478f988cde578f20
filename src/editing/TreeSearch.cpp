#include "editing/TreeSearch.h"

#include "editing/ProjectTree.h"
#include "platform/UserInteraction.h"

namespace editing {

namespace {

bool SameObject(const TreeNodeData& a, const TreeNodeData& b)
{
    return a.kind == b.kind && a.project == b.project && a.scene == b.scene &&
           a.element == b.element && a.frameIndex == b.frameIndex;
}

} // namespace

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

TreeNode* TreeSearch::Remembered() const
{
    if (!m_last) {
        return nullptr;
    }
    // The remembered node may have gone with a deletion or a rebuild of the tree, and a
    // new node may since occupy its address: match the record, not only the address.
    TreeNode* sameObject = nullptr;
    for (TreeNode* node : m_tree.AllNodes()) {
        if (node == m_last && SameObject(node->data, m_lastData)) {
            return node;
        }
        if (!sameObject && SameObject(node->data, m_lastData)) {
            sameObject = node;
        }
    }
    return sameObject;
}

TreeNode* TreeSearch::Find(const std::string& text)
{
    TreeNode* last = Remembered();
    TreeNode* start = nullptr;
    if (last) {
        start = last->NextSibling();
    } else if (!m_tree.Roots().empty() && !m_tree.Roots().front()->children.empty()) {
        start = m_tree.Roots().front()->children.front().get();
    }
    TreeNode* found = SearchChain(start, text);
    if (!found) {
        m_last = nullptr;
        platform::interaction().showMessage("Cannot find \"" + text + "\"", "Error");
        return nullptr;
    }
    m_last = found;
    m_lastData = found->data;
    m_tree.EnsureVisible(found);
    m_tree.SetDropHighlight(found);
    m_tree.SetCaret(found);
    return found;
}

} // namespace editing
