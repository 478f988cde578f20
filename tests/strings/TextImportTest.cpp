// The text route of the string table import and the "[CR]" conversion.

#include "strings/StringTableImport.h"

#include "model/StringRegistry.h"
#include "strings/CrConversion.h"

#include "ScratchFiles.h"
#include "StringIdentifiers.h"

#include <vector>

namespace {

class TextImport : public ScratchFiles
{
protected:
    StringRegistry m_list;
    StringTableImport m_import;
};

TEST_F(TextImport, ReadsLanguagesAndStringBlocks)
{
    const std::string path = write("en.txt", "# language names\r\n"
                                             "name=[RESLAN]\r\n"
                                             "string=English\r\n"
                                             "string=中文\r\n"
                                             "\r\n"
                                             "\tname=STR_OK\r\n"
                                             "  string=OK\r\n"
                                             "\tstring=确定\r\n"
                                             "\r\n"
                                             "noise line\r\n"
                                             "name=STR_EMPTY\r\n"
                                             "\r\n"
                                             "name=STR_LAST\n"
                                             "string=\n"
                                             "string=last");
    EXPECT_EQ(m_import.ImportText(m_list, path, 5), 8u);

    EXPECT_EQ(m_list.LanguageNames()[0], "English");
    EXPECT_EQ(m_list.LanguageNames()[1], "中文");
    EXPECT_EQ(m_list.LanguageNames()[2], "");
    ASSERT_EQ(identifiers(m_list), (Names{"STR_OK", "STR_EMPT", "STR_LAST"}));
    const StringRecord& ok = m_list.Records()[0];
    EXPECT_EQ(ok.number, 5u);
    EXPECT_EQ(ok.textCount, 2u);
    EXPECT_EQ(ok.texts[0], "OK");
    EXPECT_EQ(ok.texts[1], "确定");
    EXPECT_EQ(m_list.Records()[1].textCount, 0u);
    EXPECT_EQ(m_list.Records()[2].textCount, 2u);
    EXPECT_EQ(m_list.Records()[2].texts[0], "");
    EXPECT_EQ(m_list.Records()[2].texts[1], "last");
    EXPECT_EQ(m_list.FirstNumber(), 5u);
    EXPECT_EQ(m_list.LastNumber(), 7u);
    EXPECT_EQ(m_list.Find("STR_LAST"), 2);
}

// Every name line that follows the last text of the string before it starts a block
// of its own; none is swallowed as the end of the previous block.
TEST_F(TextImport, NameRightAfterTheLastTextStartsTheNextString)
{
    const std::string path = write("dense.txt", "name=[RESLAN]\n"
                                                "string=en\n"
                                                "name=A\n"
                                                "string=a\n"
                                                "name=B\n"
                                                "string=b\n"
                                                "string=bb\n"
                                                "name=C\n"
                                                "name=D\n"
                                                "string=d\n");
    m_import.ImportText(m_list, path, 1);
    EXPECT_EQ(m_list.LanguageNames()[0], "en");
    ASSERT_EQ(identifiers(m_list), (Names{"A", "B", "C", "D"}));
    EXPECT_EQ(m_list.Records()[1].texts[1], "bb");
    EXPECT_EQ(m_list.Records()[2].textCount, 0u);
    EXPECT_EQ(m_list.Records()[3].texts[0], "d");
}

TEST_F(TextImport, CutsNamesToEightAndSkipsDuplicatesWithTheirTexts)
{
    m_list.Append(3, "STR_OLD");
    m_list.SetFirstNumber(3);
    m_list.SetLastNumber(3);
    const std::string path = write("dup.txt", "name=STR_OLD\n"
                                              "string=not taken\n"
                                              "string=username=x\n"
                                              "name=ABCDEFGHIJK\n"
                                              "string=long\n"
                                              "name=ABCDEFGH\n"
                                              "string=again\n"
                                              "name=ABCDEFGHXYZ\n"
                                              "string=cut to the same name\n");
    // The next id continues after the list's last id when that is larger.
    EXPECT_EQ(m_import.ImportText(m_list, path, 2), 5u);
    ASSERT_EQ(identifiers(m_list), (Names{"STR_OLD", "ABCDEFGH"}));
    EXPECT_EQ(m_list.Records()[0].textCount, 0u);
    EXPECT_EQ(m_list.Records()[1].number, 4u);
    EXPECT_EQ(m_list.Records()[1].texts[0], "long");
    EXPECT_EQ(m_list.FirstNumber(), 3u);
    EXPECT_EQ(m_list.LastNumber(), 4u);

    // Importing the file again adds nothing.
    EXPECT_EQ(m_import.ImportText(m_list, path, 1), 5u);
    EXPECT_EQ(m_list.Size(), 2u);
}

TEST_F(TextImport, KeepsAtMostFortyTexts)
{
    std::string text = "name=MANY\n";
    for (int i = 0; i < 45; ++i) {
        text += "string=" + std::to_string(i) + "\n";
    }
    text += "name=NEXT\n";
    m_import.ImportText(m_list, write("many.txt", text), 1);
    ASSERT_EQ(identifiers(m_list), (Names{"MANY", "NEXT"}));
    EXPECT_EQ(m_list.Records()[0].textCount, 40u);
    EXPECT_EQ(m_list.Records()[0].texts[39], "39");
}

TEST_F(TextImport, FileThatCannotBeOpenedAddsNothing)
{
    m_list.Append(7, "KEEP");
    m_list.SetLastNumber(7);
    EXPECT_EQ(m_import.ImportText(m_list, pathOf("missing.txt"), 1), 7u);
    EXPECT_EQ(identifiers(m_list), Names{"KEEP"});
}

TEST_F(TextImport, AddStringFileKeepsTheFileOnceAndMapsNamesToIt)
{
    APStyleProject project;
    project.SetCaseDir(m_dir.string());
    project.SetProjectDir((m_dir / "ui").string());
    StringTableImport import(&project);
    StringRegistry& list = project.Strings();
    const std::string a = write("A.TXT", "name=ONE\nstring=1\n");
    const std::string b = write("b.txt", "name=TWO\nstring=2\nname=ONE\n");

    EXPECT_EQ(import.AddStringFile(list, a, 1), 2u);
    EXPECT_EQ(import.AddStringFile(list, b, 2), 3u);
    EXPECT_EQ(import.AddStringFile(list, a, 3), 3u);
    // Stored like the project file's entries: relative to the case directory, lower case.
    EXPECT_EQ(project.TextFiles(), (Names{".\\a.txt", ".\\b.txt"}));
    EXPECT_EQ(list.SecondMap().Lookup("ONE"), 0);
    EXPECT_EQ(list.SecondMap().Lookup("TWO"), 1);
    EXPECT_EQ(identifiers(list), (Names{"ONE", "TWO"}));
}

TEST(ReplaceCR, LineFeedOrTabInPlace)
{
    std::u16string text = u"a[CR]b";
    EXPECT_EQ(strings::ReplaceCR(text, true), 1);
    EXPECT_EQ(text, u"a\nb");

    text = u"[CR]x[CR][CR]";
    EXPECT_EQ(strings::ReplaceCR(text, false), 3);
    EXPECT_EQ(text, u"\tx\t\t");

    // Too short to be converted, and half marks stay as they are.
    text = u"[CR]";
    EXPECT_EQ(strings::ReplaceCR(text, true), 0);
    EXPECT_EQ(text, u"[CR]");
    text = u"[C[CR]R]";
    EXPECT_EQ(strings::ReplaceCR(text, true), 1);
    EXPECT_EQ(text, u"[C\nR]");
}

TEST(ReplaceCR, FollowsTheProjectFlagUnlessForced)
{
    APStyleProject project;
    const StringTableImport import(&project);
    std::u16string text = u"a[CR]b";
    import.ReplaceCR(text, false);
    EXPECT_EQ(text, u"a\tb");

    project.SetSpreadsheetFlag(1);
    text = u"a[CR]b";
    import.ReplaceCR(text, false);
    EXPECT_EQ(text, u"a\nb");
}

} // namespace
