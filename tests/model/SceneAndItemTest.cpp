#include "TestItems.h"
#include "model/APStyleProject.h"
#include "model/Snapshot.h"
#include "platform/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Snapshot, DeletedFlagIsBitOne)
{
    Snapshot scene;
    EXPECT_EQ(scene.IsDeleted(), 0);
    scene.SetDeleted(1);
    EXPECT_EQ(scene.IsDeleted(), 2);
    EXPECT_EQ(scene.Flags(), 2u);
    scene.SetDeleted(0);
    EXPECT_EQ(scene.IsDeleted(), 0);
}

TEST(Snapshot, DescriptorTableHasTheTwelveSceneRows)
{
    Snapshot scene;
    ASSERT_EQ(scene.DescCount(), 12);
    const SnapItemAttrDesc* rows = scene.DescTable();
    EXPECT_EQ(rows[0].id, 0);
    EXPECT_EQ(rows[0].kind, kAttrName);
    EXPECT_STREQ(rows[0].description, "场景名字");
    EXPECT_STREQ(rows[6].label, "Background Color");
    EXPECT_EQ(rows[8].kind, kAttrReadOnly);
    EXPECT_EQ(rows[11].id, 20);
    EXPECT_STREQ(rows[11].label, "Key0");
}

TEST(Snapshot, CloneTakesANewIdentifierAndClonesElements)
{
    APStyleProject project;
    APStyleProject::SetCurrent(&project);
    Snapshot* scene = project.AddScene();
    scene->SetReservedWord(7);
    scene->Record().direction = 1;
    auto group = std::make_unique<TestGroup>("ResGroup01");
    group->SetId(static_cast<std::uint32_t>(project.NextId()));
    scene->AppendElement(std::move(group));
    scene->GridRows().push_back({"x", "1", "", 2, 1});

    auto copy = scene->Clone(0);
    EXPECT_EQ(copy->GetId(), 2u);
    EXPECT_EQ(copy->Name(), "Scene00");
    EXPECT_EQ(copy->ReservedWord(), 7u);
    EXPECT_EQ(copy->Record().direction, 1);
    EXPECT_EQ(copy->Record().keys[15], 16);
    EXPECT_TRUE(copy->GridRows().empty());
    ASSERT_EQ(copy->Elements().size(), 1u);
    EXPECT_NE(copy->Elements()[0].get(), scene->Elements()[0].get());
    EXPECT_EQ(copy->Elements()[0]->Name(), "ResGroup01");
    APStyleProject::SetCurrent(nullptr);
}

TEST(SnapShotItem, DeletedAndHiddenFlags)
{
    TestItem item("Picture01");
    SnapShotItem& base = item;
    EXPECT_EQ(base.IsDeleted(), 0);
    base.SetDeleted(1);
    EXPECT_EQ(base.IsDeleted(), 1);
    EXPECT_EQ(base.Flags(), SnapShotItem::kFlagDeleted);
    base.SetVisible(0);
    EXPECT_EQ(base.IsVisible(), 0);
    EXPECT_EQ(base.Flags(), SnapShotItem::kFlagDeleted | SnapShotItem::kFlagHidden);
    base.SetDeleted(0);
    base.SetVisible(1);
    EXPECT_EQ(base.IsDeleted(), 0);
    EXPECT_EQ(base.IsVisible(), 1);
}

TEST(SnapShotItem, ParentAndParentDrawable)
{
    TestGroup group("Group");
    TestItem* child = group.Add("Child");
    EXPECT_EQ(child->Parent(), &group);
    EXPECT_EQ(child->ParentGraph(), static_cast<Graph*>(&group));
    child->SetParent(nullptr);
    EXPECT_EQ(child->ParentGraph(), nullptr);
}

TEST(SnapShotItem, EditableGoesThroughTheOwnDrawable)
{
    TestItem item;
    SnapShotItem& base = item;
    base.SetEditable(0, 1);
    EXPECT_EQ(base.IsEditable(), 0);
    EXPECT_FALSE(static_cast<Graph&>(item).IsEditable());
    base.SetEditable(1, 1);
    EXPECT_EQ(base.IsEditable(), 1);
}

TEST(SnapShotItem, RowDescriptionOnlyForValidRowsInColumnZero)
{
    TestItem item;
    EXPECT_EQ(item.RowDescription(1, 0), "x坐标");
    EXPECT_EQ(item.RowDescription(1, 1), "");
    EXPECT_EQ(item.RowDescription(TestItem::kTableCount, 0), "");
    EXPECT_EQ(item.RowDescription(-1, 0), "");
}

TEST(SnapShotItem, RowTextsByEditorKind)
{
    TestItem item("P");
    item.Row(1).words[0] = -4;
    item.Row(2).words[1] = 9;
    item.Row(3).words[0] = static_cast<std::int32_t>(0xFF00A0B0u);
    item.Row(5).text = ".\\a.png";
    item.Row(6).words[0] = 8;
    item.Row(7).SetAlign(2, 4);
    EXPECT_EQ(item.GetAttrText(1, 1), "-4");
    EXPECT_EQ(item.GetAttrText(2, 1), "9");
    EXPECT_EQ(item.GetAttrText(3, 1), "0xFF00A0B0");
    EXPECT_EQ(item.GetAttrText(3, 2), "Click Select");
    EXPECT_EQ(item.GetAttrText(5, 2), "Click Browse");
    EXPECT_EQ(item.GetAttrText(6, 1), "Yes");
    EXPECT_EQ(item.GetAttrText(7, 1), "Horizontal Center");
    EXPECT_EQ(item.GetAttrText(7, 2), "Vertical Bottom");
    EXPECT_EQ(item.GetAttrText(8, 1), "Default");
    EXPECT_EQ(item.GetAttrText(0, 3), "");
    EXPECT_EQ(item.GetAttrText(99, 1), "");
}

TEST(SnapShotItem, TypedTextIsParsedIntoTheRow)
{
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    TestItem item("P");
    SnapShotItem& base = item;

    EXPECT_EQ(base.SetAttrText(1, 1, "7"), 1);
    EXPECT_EQ(item.Row(1).Number(), 7); // the odd value is kept, with advice
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0], "建议x坐标偶数对齐!");

    EXPECT_EQ(base.SetAttrText(2, 1, "12px"), 1);
    EXPECT_EQ(item.Row(2).words[1], 12);
    EXPECT_EQ(base.SetAttrText(3, 1, "ff0000"), 1);
    EXPECT_EQ(base.GetAttrText(3, 1), "0x00FF0000");
    EXPECT_EQ(base.SetAttrText(6, 1, "No"), 1);
    EXPECT_EQ(base.GetAttrText(6, 1), "No");
    EXPECT_EQ(base.SetAttrText(7, 2, "Vertical Center"), 1);
    EXPECT_EQ(base.SetAttrText(7, 1, "nonsense"), 1);
    EXPECT_EQ(item.Row(7).HorizontalAlign(), 0);
    EXPECT_EQ(item.Row(7).VerticalAlign(), 12);
    EXPECT_EQ(base.SetAttrText(8, 1, "6666"), 1);
    EXPECT_EQ(base.GetAttrText(8, 1), "6666");
    EXPECT_EQ(base.SetAttrText(8, 1, "anything"), 1);
    EXPECT_EQ(base.GetAttrText(8, 1), "Default");

    // Ignored: read-only rows, unknown mode labels, bad rows and columns.
    EXPECT_EQ(base.SetAttrText(9, 1, "5"), 0);
    EXPECT_EQ(base.SetAttrText(10, 1, "Opaque"), 0);
    EXPECT_EQ(base.SetAttrText(1, 2, "4"), 0);
    EXPECT_EQ(base.SetAttrText(42, 1, "4"), 0);
    EXPECT_EQ(item.Row(1).Number(), 7);
    EXPECT_EQ(ui.messages().size(), 1u);
}

TEST(SnapShotItem, CurrentFrameRowOnlyForPictureKind)
{
    TestItem picture("P", SnapShotItem::kPicture);
    TestItem text("S", SnapShotItem::kString);
    EXPECT_EQ(picture.SetAttrText(4, 1, "2"), 1);
    EXPECT_EQ(picture.GetAttrText(4, 1), "2");
    EXPECT_EQ(text.SetAttrText(4, 1, "2"), 0);
    EXPECT_EQ(text.GetAttrText(4, 1), "");
}

TEST(SnapShotItem, NameRulesAgainstLiveSiblings)
{
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    TestGroup group("G");
    TestItem* a = group.Add("Alpha");
    TestItem* b = group.Add("Beta");
    group.Add("N86IP3V"); // same NameHash as "N8STP4E"

    EXPECT_EQ(a->SetAttrText(0, 1, "ALPHA"), 1); // own name, other case
    EXPECT_EQ(a->Name(), "ALPHA");
    EXPECT_EQ(a->GetAttrText(0, 1), "ALPHA");

    EXPECT_EQ(a->SetAttrText(0, 1, "beta"), 0);
    EXPECT_EQ(a->Name(), "ALPHA");
    EXPECT_EQ(a->SetAttrText(0, 1, "n8stp4e"), 0);
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[0], "该资源组下已经有名字为\"beta\"的资源，请使用其他名字!");
    EXPECT_EQ(ui.messages()[1],
              "该资源组下存在相同Hash值资源\"n8stp4e\"、\"N86IP3V\"，请使用其他名字!");

    // A deleted sibling no longer holds its name.
    static_cast<SnapShotItem*>(b)->SetDeleted(1);
    EXPECT_EQ(a->SetAttrText(0, 1, "Beta"), 1);
    EXPECT_EQ(a->Name(), "Beta");
}
