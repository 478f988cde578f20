#include "platform/ActiveLanguage.h"
#include "platform/FileSystem.h"
#include "platform/LanguageOption.h"
#include "platform/MessageCatalogue.h"
#include "platform/ProgramDirectory.h"
#include "platform/TemporaryDirectory.h"
#include "platform/UiText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace platform;

namespace {

const char kMalformed[] = "ui文件格式不正确";
const char kMalformedInEnglish[] = "The UI file is malformed";

// The tests run under Chinese; each test that activates another language restores it.
class UiText : public ::testing::Test
{
protected:
    void TearDown() override { activateUiLanguage(UiLanguage::Chinese); }
};

} // namespace

TEST_F(UiText, EnglishComesFromTheCatalogueChineseIsTheSourceText)
{
    activateUiLanguage(UiLanguage::English);
    EXPECT_STREQ(uiText(kMalformed), kMalformedInEnglish);
    EXPECT_STREQ(getenv("LANGUAGE"), "en");
    // A text the catalogue lacks is shown as it is.
    EXPECT_STREQ(uiText("没有这个译文"), "没有这个译文");
    EXPECT_STREQ(toolText("no project file given"), "no project file given");

    activateUiLanguage(UiLanguage::Chinese);
    EXPECT_STREQ(uiText(kMalformed), kMalformed);
    EXPECT_STREQ(getenv("LANGUAGE"), "zh_CN");
    // No Chinese catalogue of the programs' messages yet: they stay English.
    EXPECT_STREQ(toolText("no project file given"), "no project file given");
}

TEST_F(UiText, EnglishWhateverTheProcessLocale)
{
    // gettext passes over LANGUAGE in the C locale; the lookup must not depend on it, nor on
    // who sets the locale after activation (the window's toolkit does).
    for (const char* name : {"C", "POSIX", "C.UTF-8", ""}) {
        activateUiLanguage(UiLanguage::English);
        ASSERT_NE(std::setlocale(LC_ALL, name), nullptr) << name;
        EXPECT_STREQ(uiText(kMalformed), kMalformedInEnglish) << name;
    }
    std::setlocale(LC_ALL, "C");
}

TEST_F(UiText, FormatsTranslatedTexts)
{
    activateUiLanguage(UiLanguage::English);
    EXPECT_EQ(formatText(uiText("case目录 %s 不存在，请重新选择"), "/x"),
              "The case folder /x does not exist. Choose it again.");
    activateUiLanguage(UiLanguage::Chinese);
    EXPECT_EQ(formatText(uiText("case目录 %s 不存在，请重新选择"), "/x"),
              "case目录 /x 不存在，请重新选择");
    const std::string longText(5000, 'x');
    EXPECT_EQ(formatText("%s|%d", longText.c_str(), 7), longText + "|7");
    EXPECT_EQ(formatText("%s", ""), "");
}

TEST_F(UiText, LanguageOptionIsTakenOutOfTheArguments)
{
    std::string error;
    std::vector<std::string> args{"build", "--lang", "en", "a.ui"};
    EXPECT_TRUE(activateLanguageOption(args, error));
    EXPECT_EQ(args, (std::vector<std::string>{"build", "a.ui"}));
    EXPECT_EQ(activeUiLanguage(), UiLanguage::English);

    args = {"a.ui", "--lang=zh_CN"};
    EXPECT_TRUE(activateLanguageOption(args, error));
    EXPECT_EQ(args, (std::vector<std::string>{"a.ui"}));
    EXPECT_EQ(activeUiLanguage(), UiLanguage::Chinese);

    // Without the option the environment decides (Chinese for the tests).
    args = {"--lang", "en", "x"};
    ASSERT_TRUE(activateLanguageOption(args, error));
    EXPECT_TRUE(activateLanguageOption(args, error));
    EXPECT_EQ(activeUiLanguage(), languageFromEnvironment());

    args = {"info", "--lang"};
    EXPECT_FALSE(activateLanguageOption(args, error));
    EXPECT_EQ(error, "--lang needs a language: zh or en");
    EXPECT_EQ(args, (std::vector<std::string>{"info"}));

    args = {"--lang=fr", "info"};
    EXPECT_FALSE(activateLanguageOption(args, error));
    EXPECT_EQ(error, "unknown language 'fr' (zh or en)");
    EXPECT_EQ(activeUiLanguage(), languageFromEnvironment());
}

TEST_F(UiText, CataloguesFoundBesideTheBuildOrInstalledPrograms)
{
    const std::string built = catalogueDirectory();
    const std::string catalogue = "/en/LC_MESSAGES/skinsmith.mo";
    ASSERT_TRUE(pathExists(built + catalogue)) << built;

    // An installed copy: programs in <prefix>/lib/skinsmith, catalogues in <prefix>/share/locale,
    // wherever the prefix is.
    TemporaryDirectory root;
    ASSERT_TRUE(root.isValid());
    const std::string programs = root.filePath("a/b/c/d/lib/skinsmith/");
    const std::string installed = programs + SKINSMITH_LOCALE_FROM_PROGRAMS;
    std::filesystem::create_directories(programs);
    std::filesystem::create_directories(installed + "/en/LC_MESSAGES");
    std::filesystem::copy_file(built + catalogue, installed + catalogue);
    overrideProgramDirectory(programs);
    EXPECT_EQ(catalogueDirectory(), installed);
    activateUiLanguage(UiLanguage::English);
    EXPECT_STREQ(uiText(kMalformed), kMalformedInEnglish);

    std::filesystem::remove(installed + catalogue);
    EXPECT_EQ(catalogueDirectory(), SKINSMITH_INSTALLED_LOCALE_DIR);
    overrideProgramDirectory("");
    EXPECT_EQ(catalogueDirectory(), built);
}
