#include "strings/PseudoLanguages.h"

#include <gtest/gtest.h>

TEST(PseudoLanguagesTest, AccentedTextsAreLongerBracketedAndKeepWhatMustStay)
{
    // Eight letters, 40 percent longer: four characters more.
    EXPECT_EQ(PseudoLanguages::Accented("Settings", 40), "[Ŝéţţîñĝš ~~~]");
    EXPECT_EQ(PseudoLanguages::Accented("OK", 40), "[ÖĶ~]");
    EXPECT_EQ(PseudoLanguages::Accented("OK", 0), "[ÖĶ]");
    // Placeholders and line marks stay; each line grows by itself.
    EXPECT_EQ(PseudoLanguages::Accented("%d of %s", 50), "[%d öƒ %s ~~]");
    EXPECT_EQ(PseudoLanguages::Accented("Hold OK[CR]to set", 25), "[Ĥöļð ÖĶ ~[CR]ţö šéţ ~]");
    EXPECT_EQ(PseudoLanguages::Accented("a\nb", 100), "[á~\nƀ~]");
    // Other scripts and signs pass through; missing texts stay missing.
    EXPECT_EQ(PseudoLanguages::Accented("设置 23°C", 0), "[设置 23°Ç]");
    EXPECT_EQ(PseudoLanguages::Accented("", 40), "");
    EXPECT_EQ(PseudoLanguages::Accented("N/A", 40), "N/A");
}

TEST(PseudoLanguagesTest, MirroredLinesAreDrawnRightToLeft)
{
    EXPECT_EQ(PseudoLanguages::Mirrored("Menu"), "\u202EMenu\u202C");
    EXPECT_EQ(PseudoLanguages::Mirrored("a[CR]b"), "\u202Ea\u202C[CR]\u202Eb\u202C");
    EXPECT_EQ(PseudoLanguages::Mirrored("N/A"), "N/A");
}

TEST(PseudoLanguagesTest, ColumnsGoBeforeTheCheckColumn)
{
    PseudoLanguages::Table table = {{"ResID", "English", "简体中文", "Check"},
                                    {"[RESLAN]", "English", "简体中文", ""},
                                    {"MENU", "Menu", "菜单", "width 40 px, font 12 px"},
                                    {"EMPTY"}};
    PseudoLanguages::AddTo(table, 40);
    EXPECT_EQ(table[0], (std::vector<std::string>{"ResID", "English", "简体中文", "qps-ploc",
                                                  "qps-plocm", "Check"}));
    EXPECT_EQ(table[1][3], "qps-ploc");
    EXPECT_EQ(table[2], (std::vector<std::string>{"MENU", "Menu", "菜单", "[Ṁéñû ~]",
                                                  "\u202EMenu\u202C", "width 40 px, font 12 px"}));
    EXPECT_EQ(table[3].size(), 5u);
    EXPECT_EQ(table[3][3], "");
}
