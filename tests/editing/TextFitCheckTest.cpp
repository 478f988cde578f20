#include "EditingFixture.h"

#include "components/visual/StringGraph.h"
#include "editing/CommandIds.h"
#include "editing/PseudoPreview.h"
#include "platform/CodePage.h"
#include "textcheck/LineMeasurer.h"
#include "textcheck/TextFitCheck.h"

#include <algorithm>

using textcheck::LineMeasurer;
using textcheck::MeasuringFonts;
using textcheck::TextFitCheck;
using textcheck::TextFitReport;

TEST(LineMeasurerTest, ShapesAsTheDeviceDraws)
{
    MeasuringFonts fonts;
    ASSERT_TRUE(fonts.Problem().empty());
    LineMeasurer measurer(fonts);
    const auto width = [&](const std::string& text, int height = 16) {
        return measurer.Measure(text, height).width;
    };
    EXPECT_EQ(width(""), 0);
    EXPECT_LT(width("iiii"), width("WWWW"));
    // A combining accent takes no room of its own.
    EXPECT_EQ(width("e\xCC\x81"), width("e"));
    // Twice the height, about twice the width.
    EXPECT_NEAR(width("Settings", 32), 2 * width("Settings"), 2);
    // Arabic letters join: the word is not the sum of its letters drawn alone.
    const std::string word = "\xD8\xB3\xD9\x84\xD8\xA7\xD9\x85"; // سلام
    int alone = 0;
    for (const char* letter : {"\xD8\xB3", "\xD9\x84", "\xD8\xA7", "\xD9\x85"}) {
        alone += width(letter);
    }
    EXPECT_NE(width(word), alone);
    EXPECT_EQ(measurer.Measure(word, 16).scripts, (std::vector<hb_script_t>{HB_SCRIPT_ARABIC}));
    // A degree sign beside Arabic comes from the Latin font, not reported missing.
    EXPECT_TRUE(measurer
                    .Measure("\xD9\x85\xC2\xB0"
                             "23",
                             16)
                    .missing.empty());
    // A character no font draws is named.
    const textcheck::LineMeasure& emoji = measurer.Measure("ok \xF0\x9F\x98\x80", 16);
    ASSERT_EQ(emoji.missing.size(), 1u);
    EXPECT_EQ(emoji.missing.front().first, U'\U0001F600');
    EXPECT_EQ(textcheck::SplitLines("a[CR]b\nc"), (std::vector<std::string>{"a", "b", "c"}));
}

namespace {

// Strings in three languages, shown by string elements of the first scene.
class TextFitCheckTest : public EditingFixture
{
protected:
    TextFitCheckTest()
    {
        auto& names = project->Strings().LanguageNames();
        names[0] = "English";
        names[1] = "Deutsch";
        names[2] = "العربية";
    }

    void AddText(const std::string& name, const std::vector<std::string>& texts)
    {
        StringRecord& record = project->Strings().Append(
            static_cast<std::uint32_t>(project->Strings().Size() + 1), name);
        for (std::size_t slot = 0; slot < texts.size(); ++slot) {
            record.texts[slot] = texts[slot];
        }
    }
    StringSnapShotItem* Show(const std::string& name, int width, int height, bool scrolls = false)
    {
        StringSnapShotItem* element = AddString(Root(scene1));
        element->SetName(name + "Box");
        StringItemInfo info = element->StringInfo();
        info.stringId = static_cast<std::int16_t>(project->Strings().Find(name));
        info.width = static_cast<std::uint16_t>(width);
        info.height = static_cast<std::uint16_t>(height);
        info.fontHeight = 16;
        info.textScroll = scrolls ? 1 : 0;
        element->SetStringInfo(info);
        element->TextStore().identifier = name;
        return element;
    }
    int Width(const std::string& text) { return measurer.Measure(text, 16).width; }
    static std::vector<std::string> Elements(const TextFitReport& report)
    {
        std::vector<std::string> found;
        for (const TextFitReport::Overflow& overflow : report.overflows) {
            found.push_back(overflow.element + " " + overflow.language);
        }
        return found;
    }

    MeasuringFonts fonts;
    LineMeasurer measurer{fonts};
};

} // namespace

TEST_F(TextFitCheckTest, FindsExactlyTheTextsThatDoNotFit)
{
    const std::string german = "Einstellungen speichern";
    const std::string arabic = "\xD8\xAD\xD9\x81\xD8\xB8 \xD8\xA7\xD9\x84\xD8\xA5\xD8\xB9\xD8\xAF"
                               "\xD8\xA7\xD8\xAF\xD8\xA7\xD8\xAA"; // حفظ الإعدادات
    AddText("SAVE", {"Save settings", german, arabic});
    AddText("TEMP", {"23\xC2\xB0"
                     "C",
                     "23\xC2\xB0"
                     "C",
                     "\xD9\xA2\xD9\xA3\xC2\xB0"});
    AddText("TIPS", {"Hold OK[CR]to save", "OK halten[CR]zum Speichern", "N/A"});
    AddText("MENU", {"Settings", "Settings", "Settings"});
    const int widest = std::max({Width("Save settings"), Width(german), Width(arabic)});
    // Just fits every language; one pixel short for the widest; scrolling: width is free.
    Show("SAVE", widest, 16);
    Show("SAVE", widest - 1, 16);
    Show("SAVE", 10, 16, true);
    // Two lines need 32 pixels, scrolling or not.
    Show("TIPS", 400, 31, true);
    Show("TEMP", 100, 16);
    StringSnapShotItem* unbound = AddString(Root(scene1));
    unbound->SetName("Orphan");

    TextFitCheck check;
    const TextFitReport report = check.Run(textcheck::TextFitInput::From(*project));
    ASSERT_TRUE(check.Problem().empty()) << check.Problem();
    const std::string window = scene1->Name() + "/";
    std::vector<std::string> expected;
    for (const char* name : {"English", "Deutsch", "العربية"}) {
        const std::string language = name;
        const std::string text = language == std::string("English")   ? "Save settings"
                                 : language == std::string("Deutsch") ? german
                                                                      : arabic;
        if (Width(text) == widest) {
            expected.push_back(window + "SAVEBox " + language);
        }
    }
    expected.push_back(window + "TIPSBox English");
    expected.push_back(window + "TIPSBox Deutsch");
    EXPECT_EQ(Elements(report), expected);
    const TextFitReport::Overflow& over = report.overflows.front();
    EXPECT_EQ(over.neededWidth - over.width, 1);
    EXPECT_NE(over.key, nullptr);
    EXPECT_EQ(report.overflows.back().neededHeight, 32);

    EXPECT_EQ(report.unbound, (std::vector<std::string>{window + "Orphan"}));
    // "N/A" is missing; a word the same in every language is untranslated; "23°C" is not.
    std::vector<std::string> missing;
    for (const TextFitReport::MissingText& text : report.missingTexts) {
        missing.push_back(text.string + " " + text.language + " " + text.reason);
    }
    EXPECT_EQ(missing, (std::vector<std::string>{"TIPS العربية N/A", "MENU Deutsch untranslated",
                                                 "MENU العربية untranslated"}));
    EXPECT_TRUE(report.missingGlyphs.empty());
    EXPECT_EQ(report.fonts.size(), 2u); // Latin and Arabic
    EXPECT_FALSE(report.Clean());
    EXPECT_NE(report.Json().find("\"overWidth\": 1"), std::string::npos);
}

TEST_F(TextFitCheckTest, ChecksOnlyTheLanguagesAskedForAndRefusesUnknownOnes)
{
    AddText("SAVE", {"Save", "Einstellungen speichern und beenden"});
    Show("SAVE", Width("Save"), 16);
    using textcheck::TextFitInput;
    TextFitCheck check;
    const TextFitReport report = check.Run(TextFitInput::From(*project, {"English"}));
    EXPECT_TRUE(report.Clean()) << report.Text();
    // The same check again, its measures remembered, after the text changed.
    EXPECT_EQ(check.Run(TextFitInput::From(*project, {"English", "Deutsch"})).overflows.size(), 1u);
    project->Strings().Records().front().texts[1] = "Sichern";
    EXPECT_EQ(check.Run(TextFitInput::From(*project, {"English", "Deutsch"})).overflows.size(),
              Width("Sichern") > Width("Save") ? 1u : 0u);
    EXPECT_TRUE(check.Run(TextFitInput::From(*project, {"Klingon"})).Clean());
    EXPECT_NE(check.Problem().find("Klingon"), std::string::npos);
    TextFitCheck badFont("/no/such/font.ttf");
    badFont.Run(TextFitInput::From(*project));
    EXPECT_FALSE(badFont.Problem().empty());
}

TEST_F(TextFitCheckTest, PseudoPreviewShowsAndChecksMadeUpTextsWithoutChangingTheProject)
{
    using editing::PseudoPreview;
    AddText("SAVE", {"Save", "Sichern"});
    StringSnapShotItem* box = Show("SAVE", Width("Save") + 2, 16);
    box->TextStore().texts[0] = "Save";
    box->TextStore().texts[1] = "Sichern";
    box->TextStore().textCount = 2;
    project->SetModified(0);
    const auto shown = [&] { return static_cast<const StringGraph*>(box->OwnGraph())->Text(); };

    Run(editing::cmd::kPseudoAccented);
    EXPECT_EQ(shown(), platform::utf8ToUtf16(editing::PseudoText(PseudoPreview::Accented, "Save")));
    EXPECT_TRUE(table.IsChecked(ws, editing::cmd::kPseudoAccented));
    EXPECT_FALSE(table.IsChecked(ws, editing::cmd::kPseudoMirrored));
    // The box fits the real text but not the longer pseudo text, and only that is checked.
    TextFitCheck check;
    const TextFitReport pseudo = check.Run(
        textcheck::TextFitInput::FromMadeUp(*project, "qps-ploc", [](const std::string& text) {
            return editing::PseudoText(PseudoPreview::Accented, text);
        }));
    EXPECT_EQ(Elements(pseudo), (std::vector<std::string>{scene1->Name() + "/SAVEBox qps-ploc"}));
    EXPECT_EQ(pseudo.overflows.front().slot, textcheck::TextFitInput::kNoSlot);

    Run(editing::cmd::kPseudoMirrored);
    EXPECT_EQ(shown(), platform::utf8ToUtf16(editing::PseudoText(PseudoPreview::Mirrored, "Save")));
    Run(editing::cmd::kPseudoMirrored);
    EXPECT_EQ(shown(), u"Save");
    EXPECT_FALSE(table.IsChecked(ws, editing::cmd::kPseudoMirrored));
    EXPECT_EQ(project->Modified(), 0);
}
