#include "EditingFixture.h"

#include "editing/ClipboardCommands.h"
#include "editing/CommandIds.h"
#include "editing/TreeDragDrop.h"
#include "editing/UndoHistory.h"

#include <sstream>

using namespace editing;

namespace {

// A copy of the tree kept up to date from the notifications alone, as an item model is:
// when it matches the tree after a command, the command told its views everything.
class MirrorView : public TreeObserver
{
public:
    struct Copy
    {
        const TreeNode* node = nullptr;
        std::string label;
        int image = 0;
        bool expanded = false, selected = false, checked = false;
        std::vector<Copy> children;
    };

    explicit MirrorView(ProjectTree& tree) : m_tree(tree) { Reset(); }

    void NodeAboutToBeInserted(TreeNode* parent, int row) override
    {
        EXPECT_EQ(row, static_cast<int>(ChildrenOf(parent).size()));
        m_pending = {parent, row};
        ++inserts;
    }
    void NodeInserted(TreeNode* node) override
    {
        EXPECT_EQ(node->parent, m_pending.first);
        EXPECT_EQ(m_tree.RowOf(node), m_pending.second);
        ChildrenOf(node->parent).push_back(CopyOf(*node));
    }
    void NodeAboutToBeRemoved(TreeNode* node) override { m_removing = node; }
    void NodeRemoved(TreeNode* parent, int row) override
    {
        auto& list = ChildrenOf(parent);
        ASSERT_LT(static_cast<std::size_t>(row), list.size());
        EXPECT_EQ(list[static_cast<std::size_t>(row)].node, m_removing);
        list.erase(list.begin() + row);
    }
    void NodeChanged(TreeNode* node, unsigned changes) override
    {
        Copy* copy = Find(m_roots, node);
        ASSERT_NE(copy, nullptr);
        if (changes & kLabel)
            copy->label = node->label;
        if (changes & kImage)
            copy->image = node->image;
        if (changes & kExpanded)
            copy->expanded = node->expanded;
        if (changes & kSelected)
            copy->selected = node->selected;
        if (changes & kCheck)
            copy->checked = node->checked;
    }
    void CaretChanged(TreeNode* caret) override { this->caret = caret; }
    void CheckBoxesChanged(bool) override
    {
        for (const TreeNode* node : m_tree.AllNodes()) {
            Find(m_roots, node)->checked = false;
        }
    }
    void Reset() override
    {
        m_roots.clear();
        for (const auto& root : m_tree.Roots()) {
            m_roots.push_back(CopyOf(*root));
        }
        ++resets;
    }

    // The mirror and the tree as indented text.
    std::string Mirror() const { return Print(m_roots); }
    std::string Actual() const
    {
        std::vector<Copy> roots;
        for (const auto& root : m_tree.Roots()) {
            roots.push_back(CopyOf(*root));
        }
        return Print(roots);
    }

    int inserts = 0;
    int resets = 0;
    TreeNode* caret = nullptr;

private:
    static Copy CopyOf(const TreeNode& node)
    {
        Copy copy{&node, node.label, node.image, node.expanded, node.selected, node.checked, {}};
        for (const auto& child : node.children) {
            copy.children.push_back(CopyOf(*child));
        }
        return copy;
    }
    static Copy* Find(std::vector<Copy>& list, const TreeNode* node)
    {
        for (Copy& copy : list) {
            if (copy.node == node) {
                return &copy;
            }
            if (Copy* found = Find(copy.children, node)) {
                return found;
            }
        }
        return nullptr;
    }
    std::vector<Copy>& ChildrenOf(const TreeNode* parent)
    {
        if (!parent) {
            return m_roots;
        }
        Copy* copy = Find(m_roots, parent);
        EXPECT_NE(copy, nullptr);
        return copy ? copy->children : m_roots;
    }
    static void Print(const std::vector<Copy>& list, int depth, std::ostringstream& out)
    {
        for (const Copy& copy : list) {
            out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << copy.label << " i"
                << copy.image << (copy.expanded ? " +" : "") << (copy.selected ? " s" : "")
                << (copy.checked ? " c" : "") << '\n';
            Print(copy.children, depth + 1, out);
        }
    }
    static std::string Print(const std::vector<Copy>& list)
    {
        std::ostringstream out;
        Print(list, 0, out);
        return out.str();
    }

    ProjectTree& m_tree;
    std::vector<Copy> m_roots;
    std::pair<TreeNode*, int> m_pending{nullptr, -1};
    TreeNode* m_removing = nullptr;
};

} // namespace

TEST_F(EditingFixture, ObserversHearEveryCommandsChangeToTheTree)
{
    CCanvasSnapShotItem* group = AddGroup(Root(scene1));
    PicSnapshotItem* region = AddRegion(group, 2);
    MirrorView view(ws.Tree());
    ws.Tree().AddObserver(&view);

    Click(group);
    EXPECT_EQ(view.caret, Node(group));
    Run(cmd::kAddStringNode);
    Click(region);
    Run(cmd::kAddFrame);
    Run(cmd::kCopy);
    Click(group);
    Run(cmd::kPaste);
    Run(cmd::kAddGroupNode);
    EXPECT_EQ(view.Mirror(), view.Actual());

    // A rename through the grid, a lock and a frame deletion change nodes in place.
    Click(region);
    ASSERT_TRUE(ws.Grid().Commit(*project, ws.Tree(), ws.Grid().FindRow("Name"), 1, "Dial"));
    Click(group);
    Run(cmd::kToggleEditing);
    ui.queueAnswer(platform::Answer::Yes);
    Run(cmd::kToggleEditing);
    ws.Tree().SetCaret(ws.Tree().FindFrameNode(region, 1));
    Run(cmd::kDelete);
    EXPECT_EQ(view.Mirror(), view.Actual());
    EXPECT_NE(view.Mirror().find("Dial"), std::string::npos);

    const int resets = view.resets;
    Click(region);
    Run(cmd::kMoveDownObject);
    EXPECT_GT(view.resets, resets);
    ws.Tree().SetSelected(Node(region), true);
    Run(cmd::kDeleteSelected);
    EXPECT_TRUE(region->IsDeleted());
    Run(cmd::kUndo);
    Run(cmd::kUndo);
    EXPECT_EQ(view.Mirror(), view.Actual());

    // Multi-selection: boxes shown, a check mark selects.
    Run(cmd::kMultiSelect);
    ws.Tree().SetChecked(Node(group), true);
    EXPECT_TRUE(Node(group)->selected);
    ws.Tree().SetSelected(Node(scene2), true);
    EXPECT_TRUE(Node(scene2)->checked);
    EXPECT_EQ(view.Mirror(), view.Actual());
    // A second use switches the boxes off again; the menu item shows which it is.
    EXPECT_TRUE(table.IsChecked(ws, cmd::kMultiSelect));
    Run(cmd::kMultiSelect);
    EXPECT_FALSE(ws.Tree().CheckBoxes());
    EXPECT_FALSE(table.IsChecked(ws, cmd::kMultiSelect));
    EXPECT_EQ(view.Mirror(), view.Actual());
    ws.Tree().RemoveObserver(&view);
}

TEST_F(EditingFixture, ASubtreeArrivesInOneNotificationAndRebuildsKeepExpansion)
{
    CCanvasSnapShotItem* group = AddGroup(Root(scene1));
    AddRegion(group, 3);
    MirrorView view(ws.Tree());
    ws.Tree().AddObserver(&view);
    ws.Tree().AddObserver(&view);

    // The dragged group comes with its region and three frames: one insertion, heard once.
    ws.Tree().SelectNode(group, true);
    TreeDragDrop drag(ws);
    drag.Begin(Node(group), true);
    ASSERT_TRUE(drag.Over(Node(scene2), true));
    ASSERT_TRUE(drag.Release());
    EXPECT_EQ(view.inserts, 1);
    EXPECT_EQ(view.Mirror(), view.Actual());

    ws.Tree().SetExpanded(Node(scene2), false);
    ws.RebuildTree();
    EXPECT_TRUE(Node(group)->expanded);
    EXPECT_TRUE(Node(scene1)->expanded);
    EXPECT_FALSE(Node(scene2)->expanded);
    EXPECT_EQ(view.Mirror(), view.Actual());
    ws.Tree().RemoveObserver(&view);
}
