// A random session of edits on the example project, undone all the way back and redone all
// the way again: the saved file must come back byte for byte both times, and saving in the
// middle of it all must not change any of the results.
#include "DemoWorkspace.h"

#include "editing/CommandIds.h"
#include "editing/TreeDragDrop.h"
#include "editing/TreeNode.h"
#include "model/APStyleProject.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

using editing::PropertyGrid;
using editing::TreeNode;
namespace cmd = editing::cmd;

// Scene names and rotations and the project's settings are not recorded for undo: the
// session notes each accepted change of them so that it can be made again on a fresh copy.
using Replay = std::function<void(DemoWorkspace&)>;

class Session
{
public:
    // `saveEvery`: 0 never saves in the middle; n saves before about one step in n.
    Session(DemoWorkspace& demo, unsigned seed, int saveEvery)
        : m_demo(demo), m_random(seed), m_saves(seed * 7919u + 1u), m_saveEvery(saveEvery)
    {
    }

    // Runs `steps` random edits; some record undo, some are refused or do nothing.
    void Run(int steps)
    {
        for (int i = 0; i < steps; ++i) {
            MaybeSave();
            Step();
        }
    }

    // Saves with the session's own odds. Only the document update of a save acts on the
    // project, so the bytes are not written to disk.
    void MaybeSave()
    {
        if (m_saveEvery > 0 && std::uniform_int_distribution<int>(1, m_saveEvery)(m_saves) == 1) {
            m_demo.Print();
        }
    }

    const std::vector<Replay>& Unrecorded() const { return m_unrecorded; }

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
        switch (Pick(10)) {
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
        case 6:
            m_demo.ws.Tree().SetCaret(m_demo.ws.Tree().Roots().front().get());
            return Edit();
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

    // A value for a row: an item of its drop-down, a name, or a number.
    std::string ValueFor(int row)
    {
        const PropertyGrid& grid = m_demo.ws.Grid();
        const std::vector<std::string> items = grid.DropDownItems(row, 1);
        if (!items.empty()) {
            return items[static_cast<std::size_t>(Pick(static_cast<int>(items.size())))];
        }
        const std::string number = std::to_string(Pick(200));
        const std::string& label = grid.Rows()[static_cast<std::size_t>(row)].label;
        return label == "Name" || label == "name" || label == "exec" ? "N" + number : number;
    }

    // Commits a value into a random editable row of what the grid shows: an element's,
    // a scene's or the project's page.
    void Edit()
    {
        PropertyGrid& grid = m_demo.ws.Grid();
        APStyleProject* project = m_demo.ws.CurrentProject();
        if (grid.Shown() == PropertyGrid::Page::None || grid.Rows().empty() || !project) {
            return;
        }
        const int row = Pick(static_cast<int>(grid.Rows().size()));
        const std::string label = grid.Rows()[static_cast<std::size_t>(row)].label;
        const std::string text = ValueFor(row);
        const PropertyGrid::Page page = grid.Shown();
        Snapshot* scene = grid.Scene();
        if (!grid.Commit(*project, m_demo.ws.Tree(), row, 1, text)) {
            return;
        }
        if (page == PropertyGrid::Page::Project) {
            m_unrecorded.push_back([label, text](DemoWorkspace& fresh) {
                fresh.ws.ShowSettings(fresh.project);
                PropertyGrid& freshGrid = fresh.ws.Grid();
                freshGrid.Commit(*fresh.project, fresh.ws.Tree(), freshGrid.FindRow(label), 1,
                                 text);
            });
        } else if (page == PropertyGrid::Page::Scene && (label == "Name" || label == "Rotation")) {
            const std::uint32_t id = scene->GetId();
            const std::string name = scene->Name();
            const std::uint8_t direction = scene->Record().direction;
            m_unrecorded.push_back([id, name, direction](DemoWorkspace& fresh) {
                for (const auto& freshScene : fresh.project->Scenes()) {
                    if (freshScene->GetId() == id) {
                        freshScene->SetName(name);
                        freshScene->Record().direction = direction;
                    }
                }
            });
        }
    }

    DemoWorkspace& m_demo;
    std::mt19937 m_random;
    std::mt19937 m_saves;
    int m_saveEvery;
    std::vector<Replay> m_unrecorded;
};

void UndoAll(DemoWorkspace& demo, Session& session)
{
    while (demo.project->HistoryCursor() >= 0) {
        session.MaybeSave();
        ASSERT_EQ(demo.table.Run(demo.ws, cmd::kUndo), editing::CommandTable::Result::Ran);
    }
}

void RedoAll(DemoWorkspace& demo, Session& session)
{
    const auto records = static_cast<std::int32_t>(demo.project->History().size());
    while (demo.project->HistoryCursor() < records - 1) {
        session.MaybeSave();
        ASSERT_EQ(demo.table.Run(demo.ws, cmd::kRedo), editing::CommandTable::Result::Ran);
    }
}

// The file the session's edits would have left had none but the unrecorded ones been made.
std::string UnrecordedOnly(const std::vector<Replay>& unrecorded, bool replacedArtwork)
{
    // Every copy of the example saves the same bytes: save once for all seeds.
    static const std::string original[2] = {DemoWorkspace(false).Print(),
                                            DemoWorkspace(true).Print()};
    if (unrecorded.empty()) {
        return original[replacedArtwork ? 1 : 0];
    }
    DemoWorkspace fresh(replacedArtwork);
    for (const Replay& replay : unrecorded) {
        replay(fresh);
    }
    return fresh.Print();
}

struct Outcome
{
    std::string session;
    std::string undone;
    std::string redone;
    std::string expectedUndone;
};

Outcome RunSession(unsigned seed, int saveEvery, bool replacedArtwork = false)
{
    DemoWorkspace demo(replacedArtwork);
    EXPECT_TRUE(demo.Loaded()) << demo.error;
    Outcome outcome;
    if (!demo.Loaded()) {
        return outcome;
    }
    Session session(demo, seed, saveEvery);
    session.Run(14);
    outcome.session = demo.Print();
    UndoAll(demo, session);
    outcome.undone = demo.Print();
    RedoAll(demo, session);
    outcome.redone = demo.Print();
    outcome.expectedUndone = UnrecordedOnly(session.Unrecorded(), replacedArtwork);
    return outcome;
}

class UndoRoundTrip : public ::testing::TestWithParam<unsigned>
{
};

} // namespace

TEST_P(UndoRoundTrip, UndoAllRestoresTheFileAndRedoAllTheSessionsFile)
{
    const Outcome plain = RunSession(GetParam(), 0);
    ASSERT_EQ(plain.undone, plain.expectedUndone) << "seed " << GetParam();
    ASSERT_EQ(plain.redone, plain.session) << "seed " << GetParam();

    // The same session, saved now and then on the way: the same three files.
    const Outcome saved = RunSession(GetParam(), 3);
    ASSERT_EQ(saved.session, plain.session) << "seed " << GetParam();
    ASSERT_EQ(saved.undone, plain.undone) << "seed " << GetParam();
    ASSERT_EQ(saved.redone, plain.redone) << "seed " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoRoundTrip, ::testing::Range(1u, 121u));

// Artwork replaced since the project was saved: no picture file has its stored size, so any
// size a command takes from a file outside its own record shows in the files.
class UndoRoundTripReplacedArtwork : public ::testing::TestWithParam<unsigned>
{
};

TEST_P(UndoRoundTripReplacedArtwork, UndoAllRestoresTheFileAndRedoAllTheSessionsFile)
{
    const Outcome outcome = RunSession(GetParam(), 0, true);
    ASSERT_EQ(outcome.undone, outcome.expectedUndone) << "seed " << GetParam();
    ASSERT_EQ(outcome.redone, outcome.session) << "seed " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoRoundTripReplacedArtwork, ::testing::Range(1u, 41u));
