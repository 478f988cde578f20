#pragma once

namespace editing {

class Workspace;
struct TreeNode;

// Dragging a node of the project tree onto another: the drop rules, the copy flag
// and the copy or move with its undo record.
class TreeDragDrop
{
public:
    explicit TreeDragDrop(Workspace& ws) : m_ws(ws) {}

    // The drag starts at `node`, which becomes the caret; Ctrl held copies.
    void Begin(TreeNode* node, bool ctrl);
    // The cursor is over `target` (null: outside any node); returns whether a drop
    // there is allowed. Sets the copy flag from Ctrl and the drop rules.
    bool Over(TreeNode* target, bool ctrl);
    // Releases over the last target. Returns true when something was dropped.
    bool Release();

    bool Dragging() const { return m_dragged != nullptr; }
    // Whether dropping `dragged` on `target` passes the drop rules.
    static bool Allowed(const TreeNode* dragged, const TreeNode* target);

private:
    void DropScene();
    void DropElement();

    Workspace& m_ws;
    TreeNode* m_dragged = nullptr;
    TreeNode* m_target = nullptr;
};

} // namespace editing
