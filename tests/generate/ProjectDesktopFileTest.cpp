// The desktop entry file written from a project's settings, string resources and languages.
#include "StyleProjectFixture.h"

#include "generate/ProjectDesktopFile.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

using namespace generate;

namespace {

class ProjectDesktopFileTest : public StyleProjectFixture
{
protected:
    ProjectDesktopFileTest()
    {
        project.SetName("Clock");
        project.Desktop() = DesktopSettings::Defaults(project.CaseDir(), "Clock");
        project.Desktop().create = 1;
        project.Desktop().nameStringId = "APPNAME";
        auto& languages = project.Strings().LanguageNames();
        languages[0] = "English";
        languages[1] = "简体中文";
        languages[3] = "unreachable"; // after the first unnamed language
    }

    std::string desktopPath() const { return project.Desktop().path; }
};

TEST_F(ProjectDesktopFileTest, WritesTheNameInEveryLanguageOfTheStringResource)
{
    addStringResource("APPNAME", {u"Clock[CR]\u07FF", u"\u65F6\u949F"});
    // A text-table string holds narrow texts: written as they stand.
    StringRecord& narrow = project.Strings().Append(2, "NARROW");
    narrow.textCount = 2;
    narrow.texts[0] = "Clock";
    narrow.texts[1] = "时钟";

    ASSERT_TRUE(ProjectDesktopFile::writeAndReport(project));
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"生成.desktop文件成功！"});
    const std::string head = "\xEF\xBB\xBF[Desktop Entry]\r\nComment=\r\nPath=/mnt/diska/apps/\r\n"
                             "Type=Application\r\nChild=\r\nExec=Clock.app\r\nIcon-id=0\r\n"
                             "Icon=0\r\nName-id=0\r\nName=Clock\r\n";
    EXPECT_EQ(readText(desktopPath()),
              head + "Name[English]=Clock\t\xDF\xBF\r\nName[简体中文]=时钟\r\n");

    // Strings imported from a spreadsheet that asks for line feeds.
    project.SetSpreadsheetFlag(1);
    ASSERT_TRUE(ProjectDesktopFile::write(project));
    EXPECT_EQ(readText(desktopPath()),
              head + "Name[English]=Clock\n\xDF\xBF\r\nName[简体中文]=时钟\r\n");

    project.Desktop().nameStringId = "NARROW";
    ASSERT_TRUE(ProjectDesktopFile::write(project));
    EXPECT_EQ(readText(desktopPath()), head + "Name[English]=Clock\r\nName[简体中文]=时钟\r\n");
}

TEST_F(ProjectDesktopFileTest, SwitchOffWritesNothingAndSaysNothing)
{
    addStringResource("APPNAME", {u"Clock"});
    project.Desktop().create = 0;
    EXPECT_FALSE(ProjectDesktopFile::writeAndReport(project));
    EXPECT_FALSE(platform::pathExists(desktopPath()));
    EXPECT_TRUE(ui.messages().empty());
}

} // namespace
