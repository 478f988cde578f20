// The project's missing-strings check, fed by the string table import.

#include "strings/StringTableImport.h"

#include "platform/ProgramDirectory.h"
#include "platform/ScriptedInteraction.h"

#include "ScratchFiles.h"

namespace {

class MissingStrings : public ScratchFiles
{
protected:
    void SetUp() override
    {
        ScratchFiles::SetUp();
        platform::overrideProgramDirectory(SKINSMITH_BIN_DIR);
        m_project.SetCaseDir(m_dir.string());
    }
    void TearDown() override
    {
        platform::overrideProgramDirectory({});
        ScratchFiles::TearDown();
    }

    platform::ScriptedInteraction m_ui;
    platform::ScopedInteraction m_scope{m_ui};
    APStyleProject m_project;
};

// A spreadsheet listed after a text file must not discard the text file's strings, and
// the languages named by the files reach the project in file order.
TEST_F(MissingStrings, EveryFileGivesItsTextsAndLanguageNames)
{
    write("menu.txt", "name=[RESLAN]\nstring=en\nstring=cn\nstring=fr\n"
                      "name=STR_MENU\nstring=Menu\nstring=菜单\n");
    std::filesystem::copy_file(std::string(SKINSMITH_TEST_DATA_DIR) + "/xls/string_table.xls",
                               m_dir / "table.xls");
    m_project.TextFiles() = {".\\menu.txt", ".\\table.xls", ".\\gone.txt"};
    for (const char* id : {"STR_MENU", "IDS_OK", "STR_NONE", "IDS_OK1"}) {
        m_project.Strings().Append(m_project.Strings().Size() + 1, id);
    }

    StringTableImport::MarkMissingStrings(m_project);

    const auto& records = m_project.Strings().Records();
    EXPECT_EQ(records[0].texts[1], "菜单");
    EXPECT_EQ(records[1].wideTexts[1], u"确定");
    EXPECT_EQ(records[3].wideTexts[0], u"third");
    EXPECT_EQ(m_project.Strings().Missing(), (std::vector<std::uint32_t>{3}));
    const auto& names = m_project.Strings().LanguageNames();
    EXPECT_EQ((std::vector<std::string>{names[0], names[1], names[2], names[3]}),
              (std::vector<std::string>{"en", "zh", "ar", ""}));
    EXPECT_EQ(m_project.SpreadsheetFlag(), 1);
    EXPECT_EQ(m_project.TextFiles().size(), 3u);
    ASSERT_EQ(m_ui.messages().size(), 1u);
    EXPECT_EQ(m_ui.messages()[0], "某些字符串无法找到，这些字符串在列表中已显示红色！");
}

} // namespace
