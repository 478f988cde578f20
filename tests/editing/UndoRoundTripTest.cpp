// A random session of recorded edits on the example project, undone all the way back and
// redone all the way again: the saved file must come back byte for byte both times.
#include "DemoWorkspace.h"

#include "editing/CommandIds.h"
#include "editing/TreeDragDrop.h"
#include "editing/TreeNode.h"
#include "model/APStyleProject.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using editing::TreeNode;
namespace cmd = editing::cmd;

class Session
{
public:
    Session(DemoWorkspace& demo, unsigned seed) : m_demo(demo), m_random(seed) {}

    // Runs `steps` random edits; some record undo, some are refused or do nothing.
    void Run(int steps)
    {
        for (int i = 0; i < steps; ++i) {
            Step();
        }
    }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

    // A random node of the first project that stands for a scene or an element.
    TreeNode* RandomNode()
    {
        std::vector<TreeNode*> nodes;
        for (TreeNode* node : m_demo.ws.Tree().AllNodes()) {
            if (node->data.kind != TreeNodeData::kProject &&
                node->data.kind != TreeNodeData::kFrame) {
                nodes.push_back(node);
            }
        }
        return nodes.empty()
                   ? nullptr
                   : nodes[static_cast<std::size_t>(Pick(static_cast<int>(nodes.size())))];
    }

    void Command(int id) { m_demo.table.Run(m_demo.ws, id); }

    void Step()
    {
        TreeNode* node = RandomNode();
        if (!node) {
            return;
        }
        m_demo.ws.Tree().SetCaret(node);
        switch (Pick(8)) {
        case 0:
            return Command(cmd::kAddGroup);
        case 1:
            return Command(cmd::kAddString);
        case 2:
            return Command(cmd::kDelete);
        case 3:
            Command(cmd::kCopy);
            m_demo.ws.Tree().SetCaret(RandomNode());
            return Command(cmd::kPaste);
        case 4:
            return Drag(node);
        case 5:
            return Command(cmd::kAddScene);
        default:
            return Edit();
        }
    }

    void Drag(TreeNode* node)
    {
        editing::TreeDragDrop drag(m_demo.ws);
        const bool copy = Pick(2) == 0;
        drag.Begin(node, copy);
        if (drag.Over(RandomNode(), copy)) {
            drag.Release();
        }
    }

    // Commits a value into a random editable row of what the grid shows.
    void Edit()
    {
        editing::PropertyGrid& grid = m_demo.ws.Grid();
        // Only an element's rows record undo; scene and project rows are plain settings.
        if (grid.Shown() != editing::PropertyGrid::Page::Element || grid.Rows().empty() ||
            !m_demo.ws.CurrentProject()) {
            return;
        }
        const int row = Pick(static_cast<int>(grid.Rows().size()));
        const std::string& label = grid.Rows()[static_cast<std::size_t>(row)].label;
        std::string text = std::to_string(Pick(200));
        if (label == "Name") {
            text = "N" + text;
        }
        grid.Commit(*m_demo.ws.CurrentProject(), m_demo.ws.Tree(), row, 1, text);
    }

    DemoWorkspace& m_demo;
    std::mt19937 m_random;
};

void UndoAll(DemoWorkspace& demo)
{
    while (demo.project->HistoryCursor() >= 0) {
        ASSERT_EQ(demo.table.Run(demo.ws, cmd::kUndo), editing::CommandTable::Result::Ran);
    }
}

void RedoAll(DemoWorkspace& demo)
{
    const auto records = static_cast<std::int32_t>(demo.project->History().size());
    while (demo.project->HistoryCursor() < records - 1) {
        ASSERT_EQ(demo.table.Run(demo.ws, cmd::kRedo), editing::CommandTable::Result::Ran);
    }
}

class UndoRoundTrip : public ::testing::TestWithParam<unsigned>
{
};

} // namespace

// Two runs of the same session: a save in between would write nodes that undo cannot
// put back in place (a restored object's node is appended), so each run saves once after
// the session only where the comparison needs it.
TEST_P(UndoRoundTrip, UndoAllRestoresTheFileAndRedoAllTheSessionsFile)
{
    DemoWorkspace undone;
    ASSERT_TRUE(undone.Loaded()) << undone.error;
    // Every copy of the example saves the same bytes: save once for all seeds.
    static const std::string before = undone.Save("before.ui");
    Session(undone, GetParam()).Run(12);
    UndoAll(undone);
    ASSERT_EQ(undone.Save("undone.ui"), before) << "seed " << GetParam();

    DemoWorkspace redone;
    ASSERT_TRUE(redone.Loaded()) << redone.error;
    Session(redone, GetParam()).Run(12);
    const std::string after = redone.Save("after.ui");
    UndoAll(redone);
    RedoAll(redone);
    ASSERT_EQ(redone.Save("redone.ui"), after) << "seed " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoRoundTrip, ::testing::Range(1u, 201u));
