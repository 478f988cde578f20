#include "EditingFixture.h"

#include "editing/AddCommands.h"
#include "editing/DeleteCommands.h"
#include "editing/CommandIds.h"
#include "editing/MiscCommands.h"
#include "editing/TreeDragDrop.h"
#include "editing/UndoHistory.h"

#include <set>

using namespace editing;

TEST_F(EditingFixture, RootGroupIsNeverDeletedEvenBesideOtherTopLevelElements)
{
    auto extra = std::make_unique<CCanvasSnapShotItem>();
    scene1->AppendElement(std::move(extra));
    ws.RebuildTree();
    // The root group has no node: reach it as a group node of its own making.
    TreeNode* sceneNode = Node(scene1);
    TreeNodeData data;
    data.kind = TreeNodeData::kGroup;
    data.scene = scene1;
    data.element = Root(scene1);
    sceneNode->children.push_back(std::make_unique<TreeNode>());
    sceneNode->children.back()->data = data;
    sceneNode->children.back()->parent = sceneNode;
    ws.Tree().SetCaret(sceneNode->children.back().get());
    del::Caret(ws);
    EXPECT_FALSE(Root(scene1)->IsDeleted());
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"不能删除最顶层的窗口!"});
    EXPECT_TRUE(project->History().empty());
}

TEST_F(EditingFixture, TheLastLiveSceneIsNotDeletedAndQuietRefusalsAreSilent)
{
    Click(scene2);
    Run(cmd::kDelete);
    EXPECT_TRUE(scene2->IsDeleted());
    EXPECT_EQ(ws.Selection().Scene(), scene1);
    Click(scene1);
    EXPECT_FALSE(table.IsEnabled(ws, cmd::kDelete));
    del::Caret(ws);
    EXPECT_FALSE(scene1->IsDeleted());
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"不能删除工程唯一的场景!"});
    ws.SetQuietFlag(1);
    del::Caret(ws);
    EXPECT_EQ(ui.messages().size(), 1u);
}

// Delete selected on the last live scene: the Delete key's run refuses silently, the menu's
// speaks, also right after the Delete key. The tree widget puts the caret in the selected
// state, as a click does.
TEST_F(EditingFixture, OnlyTheDeleteKeysRunOfDeleteSelectedRefusesSilently)
{
    Click(scene2);
    Run(cmd::kDelete);
    const auto selectScene1 = [this] {
        Click(scene1);
        ws.Tree().SetSelected(Node(scene1), true);
    };
    const std::vector<std::string> refusal{"不能删除工程唯一的场景!"};

    selectScene1();
    EXPECT_EQ(table.RunQuietly(ws, cmd::kDeleteSelected), CommandTable::Result::Ran);
    EXPECT_FALSE(scene1->IsDeleted());
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(ws.QuietFlag(), 0);
    selectScene1();
    Run(cmd::kDeleteSelected);
    EXPECT_FALSE(scene1->IsDeleted());
    EXPECT_EQ(ui.messages(), refusal);

    // A flag set for one run is gone after it, whether the command ran or not.
    ui.clear();
    selectScene1();
    ws.SetQuietFlag(1);
    Run(cmd::kDeleteSelected);
    EXPECT_TRUE(ui.messages().empty());
    selectScene1();
    Run(cmd::kDeleteSelected);
    EXPECT_EQ(ui.messages(), refusal);
    ws.SetQuietFlag(1);
    EXPECT_EQ(table.Run(ws, cmd::kPaste), CommandTable::Result::Disabled);
    EXPECT_EQ(ws.QuietFlag(), 0);
}

TEST_F(EditingFixture, DeletingTheFirstSceneShowsALiveOne)
{
    Click(scene1);
    Run(cmd::kDelete);
    EXPECT_EQ(ws.Selection().Scene(), scene2);
    EXPECT_EQ(ws.Tree().Caret(), Node(scene2));
}

TEST_F(EditingFixture, FrameDeletionSelectsThePreviousFrameOrTheRegion)
{
    PicSnapshotItem* region = AddRegion(Root(scene1), 3);
    ws.Tree().SetCaret(ws.Tree().FindFrameNode(region, 2));
    Run(cmd::kDelete);
    ASSERT_EQ(region->Frames().size(), 2u);
    EXPECT_EQ(ws.Tree().Caret(), ws.Tree().FindFrameNode(region, 1));
    EXPECT_EQ(ws.Tree().FindFrameNode(region, 2), nullptr);
    ws.Tree().SetCaret(ws.Tree().FindFrameNode(region, 0));
    Run(cmd::kDelete);
    EXPECT_EQ(ws.Tree().Caret(), Node(region));
    ASSERT_EQ(region->Frames().size(), 1u);
    EXPECT_EQ(region->Frames()[0].name, "F1");
    const int frameCount = region->PicInfo().frameCount;
    EXPECT_EQ(frameCount, 1);
    // The last frame goes with its region.
    ws.Tree().SetCaret(ws.Tree().FindFrameNode(region, 0));
    Run(cmd::kDelete);
    EXPECT_TRUE(region->IsDeleted());
    Undo(*project);
    Undo(*project);
    EXPECT_FALSE(region->IsDeleted());
    EXPECT_EQ(region->Frames().size(), 2u);
}

TEST_F(EditingFixture, DeletingAnElementShowsTheSiblingBeforeIt)
{
    CCanvasSnapShotItem* group = AddGroup(Root(scene1));
    StringSnapShotItem* a = AddString(group);
    StringSnapShotItem* b = AddString(group);
    StringSnapShotItem* c = AddString(group);
    Click(b);
    Run(cmd::kDelete);
    Click(c);
    Run(cmd::kDelete);
    EXPECT_EQ(ws.Selection().Element(), a);
    Click(a);
    Run(cmd::kDelete);
    EXPECT_EQ(ws.Selection().Element(), group);
}

TEST_F(EditingFixture, LockedGroupRefusesDeleteAndAdd)
{
    CCanvasSnapShotItem* group = AddGroup(Root(scene1));
    StringSnapShotItem* text = AddString(group);
    group->SetEditable(0, 1);
    Click(text);
    EXPECT_FALSE(table.IsEnabled(ws, cmd::kDelete));
    del::Caret(ws);
    EXPECT_FALSE(text->IsDeleted());
    Click(group);
    EXPECT_FALSE(table.IsEnabled(ws, cmd::kAddGroup));
    EXPECT_EQ(add::IntoContainer(ws, 1), nullptr);
}

TEST_F(EditingFixture, PasteNamesClashingCopies)
{
    CCanvasSnapShotItem* group = AddGroup(Root(scene1));
    StringSnapShotItem* text = AddString(group);
    Click(text);
    Run(cmd::kCopy);
    Click(group);
    Run(cmd::kPaste);
    ASSERT_EQ(group->ChildList().size(), 2u);
    SnapShotItem* copy = group->ChildList().back().get();
    EXPECT_EQ(copy->Name(), "Copyof" + text->Name() + "_id" + std::to_string(copy->GetId()));
    EXPECT_NE(copy->GetId(), text->GetId());
    // Into its original's own group, the copy lands (10, 10) off so that both can be seen.
    EXPECT_EQ(int{copy->AttrBlock()->x}, text->AttrBlock()->x + 10);
    EXPECT_EQ(int{copy->AttrBlock()->y}, text->AttrBlock()->y + 10);
    EXPECT_EQ(copy->Rows()[copy->FindRow(2)].Number(), text->AttrBlock()->x + 10);
    EXPECT_EQ(static_cast<Graph*>(static_cast<StringSnapShotItem*>(copy))->Envelop(),
              static_cast<Graph*>(text)->Envelop().Offset(10, 10));
    ASSERT_NE(Node(copy), nullptr);
    Undo(*project);
    EXPECT_TRUE(copy->IsDeleted());
    // Into another group it keeps its place.
    CCanvasSnapShotItem* other = AddGroup(Root(scene1));
    Click(other);
    Run(cmd::kPaste);
    ASSERT_EQ(other->ChildList().size(), 1u);
    EXPECT_EQ(int{other->ChildList().back()->AttrBlock()->x}, int{text->AttrBlock()->x});

    Click(scene1);
    Run(cmd::kCopy);
    ws.ShowSettings(project);
    Run(cmd::kPaste);
    Snapshot* pasted = project->Scenes().back().get();
    EXPECT_EQ(pasted->Name(), "CopyOf" + scene1->Name() + "_id" + std::to_string(pasted->GetId()));
    EXPECT_NE(Node(pasted), nullptr);
}

TEST_F(EditingFixture, DropRules)
{
    CCanvasSnapShotItem* outer = AddGroup(Root(scene1));
    CCanvasSnapShotItem* inner = AddGroup(outer);
    StringSnapShotItem* text = AddString(inner);
    TreeDragDrop drag(ws);
    drag.Begin(Node(outer), false);
    EXPECT_FALSE(drag.Over(Node(inner), false));
    EXPECT_FALSE(drag.Release());
    EXPECT_EQ(ws.Tree().Caret(), Node(outer));
    EXPECT_FALSE(TreeDragDrop::Allowed(Node(text), Node(scene2)->parent));
    EXPECT_FALSE(TreeDragDrop::Allowed(Node(scene1), Node(outer)));

    // Dropping on the own parent copies even without Ctrl.
    drag.Begin(Node(text), false);
    EXPECT_TRUE(drag.Over(Node(inner), false));
    EXPECT_EQ(ws.CopyFlag(), 1);
    EXPECT_TRUE(drag.Release());
    EXPECT_FALSE(text->IsDeleted());
    EXPECT_EQ(inner->LiveChildCount(), 2);
    EXPECT_EQ(ws.Tree().Caret(), Node(inner));
}

TEST_F(EditingFixture, ReorderIdsNumbersLiveObjectsInTreeOrder)
{
    PicSnapshotItem* region = AddRegion(Root(scene1), 2);
    Snapshot* dropped = add::Scene(ws, true);
    Click(dropped);
    Run(cmd::kDelete);
    CCanvasSnapShotItem* group = AddGroup(Root(scene2));
    StringSnapShotItem* gone = AddString(group);
    StringSnapShotItem* kept = AddString(group);
    Click(gone);
    Run(cmd::kDelete);
    const std::uint32_t goneId = gone->GetId();
    const std::uint32_t droppedId = dropped->GetId();
    Run(cmd::kReorderIds);
    // Depth first from 0; the project, frames, root groups and deleted objects take no
    // number.
    EXPECT_EQ(scene1->GetId(), 0u);
    EXPECT_EQ(region->GetId(), 1u);
    EXPECT_EQ(scene2->GetId(), 2u);
    EXPECT_EQ(group->GetId(), 3u);
    EXPECT_EQ(kept->GetId(), 4u);
    EXPECT_EQ(gone->GetId(), goneId);
    EXPECT_EQ(dropped->GetId(), droppedId);
    // The root groups take the numbers after the walk's, so that no identifier is shared,
    // now or when an element is added later.
    EXPECT_EQ(Root(scene1)->GetId(), 5u);
    EXPECT_EQ(Root(scene2)->GetId(), 6u);
    EXPECT_EQ(project->IdCounter(), 7);
    EXPECT_EQ(AddString(group)->GetId(), 7u + 1u);
    EXPECT_EQ(ui.messages().back(), "重新排列完成！保存之后，你必须重新编译应用程序");
}

TEST_F(EditingFixture, MovesStopAtTheEnds)
{
    Click(scene2);
    Run(cmd::kMoveDown);
    EXPECT_EQ(project->Scenes().back().get(), scene2);
    Run(cmd::kMoveUp);
    EXPECT_EQ(project->Scenes().front().get(), scene2);
    EXPECT_EQ(ws.Tree().Caret(), Node(scene2));
    Run(cmd::kMoveUp);
    EXPECT_EQ(project->Scenes().front().get(), scene2);
}

TEST_F(EditingFixture, ForbiddingEditingChangesTheIconsBelow)
{
    CCanvasSnapShotItem* outer = AddGroup(Root(scene1));
    CCanvasSnapShotItem* inner = AddGroup(outer);
    Click(outer);
    Run(cmd::kToggleEditing);
    EXPECT_EQ(outer->IsEditable(), 0);
    EXPECT_EQ(inner->IsEditable(), 0);
    EXPECT_EQ(Node(outer)->image, 11);
    EXPECT_EQ(Node(inner)->image, 11);
    ui.queueAnswer(platform::Answer::No);
    Run(cmd::kToggleEditing);
    EXPECT_EQ(outer->IsEditable(), 0);
    ui.queueAnswer(platform::Answer::Yes);
    Run(cmd::kToggleEditing);
    EXPECT_EQ(inner->IsEditable(), 1);
    EXPECT_EQ(Node(inner)->image, 3);
}

TEST_F(EditingFixture, WithoutAProjectOnlyTheProjectFreeCommandsAreEnabled)
{
    ws.CloseProject(project);
    std::set<int> enabled;
    for (const Command& command : table.Commands()) {
        if (command.enabled(ws)) {
            enabled.insert(command.id);
        }
    }
    const std::set<int> expected = {cmd::kNewProject,
                                    cmd::kOpenProject,
                                    cmd::kBatchBuild,
                                    cmd::kSearch,
                                    cmd::kMultiSelect,
                                    cmd::kTreePanel,
                                    cmd::kPropertyPanel,
                                    cmd::kResourcePanel,
                                    cmd::kLayerPanel,
                                    cmd::kBuildLogPanel,
                                    cmd::kHelp,
                                    cmd::kAbout,
                                    cmd::kExit,
                                    cmd::kAutoSave,
                                    cmd::kToolbar,
                                    cmd::kStatusBar,
                                    cmd::kRulers,
                                    cmd::kGuides,
                                    cmd::kTextCheckPanel,
                                    cmd::kUiLanguageChinese,
                                    cmd::kUiLanguageEnglish};
    EXPECT_EQ(enabled, expected);
}
