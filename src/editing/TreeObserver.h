#pragma once

namespace editing {

struct TreeNode;

// What a view of the project tree hears about its changes. Every hook has an empty default;
// a null parent means the root level. Insertions and removals come in pairs around the change,
// so that an item model can announce them to its views: a node is inserted together with its
// whole subtree (one notification per subtree), and a removal takes the subtree with it.
class TreeObserver
{
public:
    // The node fields a change touched (a bitmask).
    enum Change : unsigned
    {
        kLabel = 1u << 0,
        kImage = 1u << 1,
        kCheck = 1u << 2,
        kSelected = 1u << 3,
        kExpanded = 1u << 4
    };

    virtual ~TreeObserver() = default;

    // A node is about to be appended to `parent` as child `row`.
    virtual void NodeAboutToBeInserted(TreeNode* /*parent*/, int /*row*/) {}
    // `node`, with its subtree, is now in the tree.
    virtual void NodeInserted(TreeNode* /*node*/) {}
    // `node`, with its subtree, is about to go; it is still valid here.
    virtual void NodeAboutToBeRemoved(TreeNode* /*node*/) {}
    // Child `row` of `parent` has gone.
    virtual void NodeRemoved(TreeNode* /*parent*/, int /*row*/) {}
    // Fields of `node` changed; `changes` holds Change bits.
    virtual void NodeChanged(TreeNode* /*node*/, unsigned /*changes*/) {}
    // The caret moved to `caret` (null: there is none).
    virtual void CaretChanged(TreeNode* /*caret*/) {}
    // The drop highlight moved from `before` to `now` (either may be null).
    virtual void DropHighlightChanged(TreeNode* /*before*/, TreeNode* /*now*/) {}
    // Check boxes were shown or hidden; every check mark was cleared.
    virtual void CheckBoxesChanged(bool /*shown*/) {}
    // Every node is about to go; Reset follows once the tree is filled again.
    virtual void AboutToReset() {}
    virtual void Reset() {}
};

} // namespace editing
