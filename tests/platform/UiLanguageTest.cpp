#include "platform/UiLanguage.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using platform::UiLanguage;

namespace {

platform::EnvironmentLookup environment(std::map<std::string, std::string> variables)
{
    return [variables = std::move(variables)](const char* name) -> const char* {
        const auto found = variables.find(name);
        return found == variables.end() ? nullptr : found->second.c_str();
    };
}

} // namespace

TEST(UiLanguageTest, FirstSetVariableDecidesInGettextOrder)
{
    using platform::languageFromEnvironment;
    EXPECT_EQ(languageFromEnvironment(environment({})), UiLanguage::English);
    EXPECT_EQ(languageFromEnvironment(environment({{"LANG", "zh_CN.UTF-8"}})), UiLanguage::Chinese);
    EXPECT_EQ(languageFromEnvironment(environment({{"LANG", "C.UTF-8"}})), UiLanguage::English);
    EXPECT_EQ(languageFromEnvironment(environment({{"LANG", "POSIX"}})), UiLanguage::English);
    EXPECT_EQ(languageFromEnvironment(environment({{"LANG", "zh_CN.UTF-8"}, {"LC_ALL", "C"}})),
              UiLanguage::English);
    EXPECT_EQ(languageFromEnvironment(environment({{"LC_ALL", "en_US"}, {"LC_MESSAGES", "zh_TW"}})),
              UiLanguage::English);
    EXPECT_EQ(languageFromEnvironment(environment({{"LC_MESSAGES", "zh_TW"}, {"LANG", "en_US"}})),
              UiLanguage::Chinese);
    EXPECT_EQ(languageFromEnvironment(environment({{"LANGUAGE", "zh_CN:en"}, {"LC_ALL", "en_US"}})),
              UiLanguage::Chinese);
}

TEST(UiLanguageTest, EmptyValuesArePassedOver)
{
    EXPECT_EQ(platform::languageFromEnvironment(
                  environment({{"LANGUAGE", ""}, {"LC_ALL", ""}, {"LANG", "zh_SG.UTF-8"}})),
              UiLanguage::Chinese);
    EXPECT_EQ(platform::languageFromEnvironment(environment({{"LANGUAGE", ":zh"}, {"LANG", "zh"}})),
              UiLanguage::Chinese);
}

TEST(UiLanguageTest, ChoiceOverSettingOverEnvironment)
{
    const auto chinese = environment({{"LANG", "zh_CN.UTF-8"}});
    EXPECT_EQ(platform::chooseUiLanguage("en", "zh", chinese), UiLanguage::English);
    EXPECT_EQ(platform::chooseUiLanguage("", "en_GB", chinese), UiLanguage::English);
    EXPECT_EQ(platform::chooseUiLanguage("", "", chinese), UiLanguage::Chinese);
    EXPECT_EQ(platform::chooseUiLanguage("klingon", "fr", chinese), UiLanguage::Chinese);
    EXPECT_EQ(platform::chooseUiLanguage("ZH-cn", "en", environment({})), UiLanguage::Chinese);
}
