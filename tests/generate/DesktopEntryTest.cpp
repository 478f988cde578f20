#include "generate/DesktopEntryWriter.h"
#include "generate/DeviceText.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <map>
#include <sys/stat.h>

using namespace generate;

namespace {

LanguageText wide(std::u16string text)
{
    LanguageText language;
    language.isWide = true;
    language.wide = std::move(text);
    return language;
}

LanguageText narrow(std::string text)
{
    LanguageText language;
    language.narrow = std::move(text);
    return language;
}

class DesktopEntryTest : public ::testing::Test
{
protected:
    DesktopEntrySettings clockSettings() const
    {
        DesktopEntrySettings settings;
        settings.create = 1;
        settings.path = m_dir.filePath("case/images/apps/Clock/Clock.desktop");
        settings.exec = "Clock.app";
        settings.name = "Clock";
        settings.nameStringId = "STR_CLOCK";
        return settings;
    }

    DesktopEntryWriter writer(bool lineBreakMode = false) const
    {
        return DesktopEntryWriter(
            {"English", "Chinese"}, lineBreakMode,
            [this](const std::string& name) -> std::optional<std::vector<LanguageText>> {
                const auto found = m_strings.find(name);
                if (found == m_strings.end()) {
                    return std::nullopt;
                }
                return found->second;
            });
    }

    std::string written(const DesktopEntrySettings& settings) const
    {
        const auto text = platform::readFile(settings.path);
        return text ? *text : std::string("<missing>");
    }

    platform::TemporaryDirectory m_dir;
    platform::ScriptedInteraction m_ui;
    platform::ScopedInteraction m_scope{m_ui};
    std::map<std::string, std::vector<LanguageText>> m_strings{
        {"STR_CLOCK", {wide(u"Clock"), wide(u"\u65F6\u949F")}}};
};

const char* const kClockLines = "\xEF\xBB\xBF[Desktop Entry]\r\n"
                                "Comment=\r\n"
                                "Path=/mnt/diska/apps/\r\n"
                                "Type=Application\r\n"
                                "Child=\r\n"
                                "Exec=Clock.app\r\n"
                                "Icon-id=0\r\n"
                                "Icon=0\r\n"
                                "Name-id=0\r\n"
                                "Name=Clock\r\n";

} // namespace

TEST(DeviceText, EncodesEachUnitAndMarksLineBreaks)
{
    EXPECT_EQ(toDeviceText(u"a[CR]b", false), "a\tb");
    EXPECT_EQ(toDeviceText(u"a[CR]b", true), "a\nb");
    EXPECT_EQ(toDeviceText(u"a\r\nb[CR", false), "ab[CR");
    EXPECT_EQ(toDeviceText(u"\u007F\u0080\u07FF\u0800\uFFFF", false),
              "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF");
    // A surrogate pair: each unit by itself.
    EXPECT_EQ(toDeviceText(u"\U0001F600", false), "\xED\xA0\xBD\xED\xB8\x80");
    EXPECT_EQ(deviceBytes(narrow("\xCA\xB1"), false), "\xCA\xB1");
}

TEST_F(DesktopEntryTest, ClockWithTwoLanguages)
{
    const DesktopEntrySettings settings = clockSettings();
    ASSERT_TRUE(writer().writeAndReport(settings));
    EXPECT_EQ(written(settings), std::string(kClockLines) +
                                     "Name[English]=Clock\r\n"
                                     "Name[Chinese]=\xE6\x97\xB6\xE9\x92\x9F\r\n");
    EXPECT_EQ(m_ui.messages(), std::vector<std::string>{"生成.desktop文件成功！"});
}

TEST_F(DesktopEntryTest, TypeLineBreaksAndUnitSizes)
{
    DesktopEntrySettings settings = clockSettings();
    settings.type = 1;
    m_strings["STR_CLOCK"] = {wide(u"a[CR]b"), wide(u"\u07FF\u0800"), wide(u"unnamed")};
    ASSERT_TRUE(writer(false).write(settings));
    std::string text = written(settings);
    EXPECT_NE(text.find("\r\nType=Directory\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nName[English]=a\tb\r\nName[Chinese]=\xDF\xBF\xE0\xA0\x80\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("unnamed"), std::string::npos) << "a language without a name";

    ASSERT_TRUE(writer(true).write(settings));
    EXPECT_NE(written(settings).find("Name[English]=a\nb\r\n"), std::string::npos);
}

TEST_F(DesktopEntryTest, LongValuesAndNarrowTextsAreWrittenWhole)
{
    DesktopEntrySettings settings = clockSettings();
    settings.comment = std::string(3000, 'c');
    settings.name = "\xCA\xB1\xD6\xD3"; // an older project's code-page text
    m_strings["STR_CLOCK"] = {narrow(std::string(2000, 'n')), narrow("\xCA\xB1")};
    ASSERT_TRUE(writer().write(settings));
    const std::string text = written(settings);
    EXPECT_NE(text.find("Comment=" + std::string(3000, 'c') + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("Name=\xE6\x97\xB6\xE9\x92\x9F\r\n"), std::string::npos);
    EXPECT_NE(text.find("Name[English]=" + std::string(2000, 'n') + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("Name[Chinese]=\xCA\xB1\r\n"), std::string::npos);
}

TEST_F(DesktopEntryTest, ReadOnlyFileIsOverwritten)
{
    const DesktopEntrySettings settings = clockSettings();
    ASSERT_TRUE(platform::prepareOutputFile(settings.path));
    ASSERT_TRUE(platform::writeFileAtomically(settings.path, "old"));
    ASSERT_EQ(::chmod(settings.path.c_str(), 0444), 0);
    ASSERT_TRUE(writer().write(settings));
    EXPECT_EQ(written(settings).rfind(kClockLines, 0), 0u);
}

TEST_F(DesktopEntryTest, MissingStringResourceWritesTheLinesUpToName)
{
    DesktopEntrySettings settings = clockSettings();
    settings.nameStringId = "STR_NONE";
    EXPECT_TRUE(writer().write(settings));
    EXPECT_EQ(written(settings), kClockLines);
    EXPECT_EQ(m_ui.messages(), std::vector<std::string>{"找不到名为\"STR_NONE\"字符串资源！"});
}

TEST_F(DesktopEntryTest, SettingsThatCannotBeWrittenFail)
{
    DesktopEntrySettings settings = clockSettings();
    settings.create = 0;
    EXPECT_FALSE(writer().writeAndReport(settings));
    EXPECT_TRUE(m_ui.messages().empty());

    settings = clockSettings();
    settings.path.clear();
    EXPECT_FALSE(writer().write(settings));
    settings = clockSettings();
    settings.nameStringId.clear();
    EXPECT_FALSE(writer().write(settings));
    settings = clockSettings();
    settings.type = 2;
    EXPECT_FALSE(writer().write(settings));
    settings = clockSettings();
    ASSERT_TRUE(platform::writeFileAtomically(m_dir.filePath("file"), "x"));
    settings.path = m_dir.filePath("file/Clock.desktop");
    EXPECT_FALSE(writer().write(settings));

    EXPECT_EQ(m_ui.messages(), (std::vector<std::string>{
                                   "请指定desktop文件的保存路径！",
                                   "请指定desktop文件的字符串资源名字！",
                                   "desktop文件的类型无效：2",
                                   "打开/创建desktop文件失败！",
                               }));
    EXPECT_FALSE(platform::pathExists(clockSettings().path));
}
