// Add resource directory: a scene per sub-folder and, from the folder's spreadsheet, a
// scene of strings bound to the imported string list.
#include "EditingFixture.h"

#include "editing/CommandIds.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"
#include "platform/TemporaryDirectory.h"

#include <filesystem>

using namespace editing;

namespace {

class ResourceDirectory : public EditingFixture
{
protected:
    ResourceDirectory()
    {
        // The spreadsheet converter is looked for beside the running program.
        platform::overrideProgramDirectory(SKINSMITH_BIN_DIR);
        platform::createDirectories(folder.filePath("menu"));
        std::filesystem::copy_file(std::string(SKINSMITH_TEST_DATA_DIR) + "/xls/string_table.xls",
                                   folder.filePath("texts.XLS"));
    }
    ~ResourceDirectory() override { platform::overrideProgramDirectory({}); }

    Snapshot* SceneNamed(const std::string& name)
    {
        for (const auto& scene : project->Scenes()) {
            if (scene->Name() == name) {
                return scene.get();
            }
        }
        return nullptr;
    }

    platform::TemporaryDirectory folder{"resource-dir"};
};

std::vector<std::string> Labels(const TreeNode* node)
{
    std::vector<std::string> labels;
    for (const auto& child : node->children) {
        labels.push_back(child->label);
    }
    return labels;
}

} // namespace

TEST_F(ResourceDirectory, SpreadsheetGivesAStringSceneBoundToTheImportedStrings)
{
    Click(project);
    ui.queuePath(folder.path());
    Run(cmd::kAddResourceDir);

    Snapshot* menu = SceneNamed("SCENE_MENU");
    Snapshot* strings = SceneNamed("SCENE_STR");
    ASSERT_TRUE(menu && strings);
    EXPECT_EQ(project->Scenes().back().get(), strings);
    ASSERT_EQ(project->Strings().Size(), 5u);
    EXPECT_EQ(project->SpreadsheetFlag(), 1);

    const auto& texts = Root(strings)->ChildList();
    ASSERT_EQ(texts.size(), project->Strings().Size());
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const StringRecord& record = project->Strings().Records()[i];
        auto* text = dynamic_cast<StringSnapShotItem*>(texts[i].get());
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->Name(), record.identifier);
        const std::int16_t stringId = text->StringInfo().stringId; // packed: copy it out
        EXPECT_EQ(stringId, static_cast<std::int16_t>(record.number));
        EXPECT_EQ(text->TextStore().wideTexts, record.wideTexts);
        EXPECT_EQ(text->GetAttrText(text->FindRow(StringSnapShotItem::kPropIndex), 1),
                  std::to_string(record.number));
        expected.push_back(record.identifier);
    }
    EXPECT_EQ(dynamic_cast<StringSnapShotItem*>(texts[0].get())->TextStore().wideTexts[1], u"确定");
    EXPECT_EQ(expected, (std::vector<std::string>{"IDS_OK", "IDS_LINES", "IDS_OK0", "IDS_OK1",
                                                  "IDS_A_VERY_LONG_STRING_IDENTIFIE"}));
    EXPECT_EQ(Labels(Node(strings)), expected);
    EXPECT_GT(ws.ResourceRefreshCount(), 0);
    EXPECT_TRUE(ui.messages().empty());

    // Only the scenes are recorded: undo hides the string scene, then the folder's scene.
    ASSERT_EQ(project->History().size(), 2u);
    Run(cmd::kUndo);
    EXPECT_TRUE(strings->IsDeleted());
    EXPECT_EQ(Node(strings), nullptr);
    EXPECT_FALSE(menu->IsDeleted());
    Run(cmd::kUndo);
    EXPECT_TRUE(menu->IsDeleted());
    Run(cmd::kRedo);
    Run(cmd::kRedo);
    EXPECT_FALSE(strings->IsDeleted());
    ASSERT_NE(Node(strings), nullptr);
    EXPECT_EQ(Labels(Node(strings)), expected);
}

TEST_F(ResourceDirectory, FailedConversionLeavesAnEmptyStringSceneAndTheListAsItWas)
{
    std::filesystem::remove(folder.filePath("texts.XLS"));
    ASSERT_TRUE(platform::writeFileAtomically(folder.filePath("broken.xls"), "not a workbook"));
    project->Strings().Append(7, "KEEP");
    Click(project);
    ui.queuePath(folder.path());
    Run(cmd::kAddResourceDir);

    Snapshot* strings = SceneNamed("SCENE_STR");
    ASSERT_NE(strings, nullptr);
    EXPECT_TRUE(Root(strings)->ChildList().empty());
    ASSERT_EQ(project->Strings().Size(), 1u);
    EXPECT_EQ(project->Strings().Records()[0].identifier, "KEEP");
    ASSERT_FALSE(ui.messages().empty());
}
