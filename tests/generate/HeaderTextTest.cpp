#include "CCompiler.h"

#include "generate/HeaderFrame.h"
#include "generate/IdentifierBase.h"
#include "generate/IdentifierHeader.h"
#include "generate/MacroName.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace generate;

TEST(HeaderFrame, GuardIsTheFileNameAsAnIdentifier)
{
    EXPECT_EQ(headerGuardName("D:\\sdk\\inc\\main_pic.h"), "__MAIN_PIC_H__");
    EXPECT_EQ(headerGuardName("C:\\x\\a.b.h"), "__A_B_H__");
    EXPECT_EQ(headerGuardName("/sdk/inc/clock_sty.h"), "__CLOCK_STY_H__");
    // Without a directory the name itself is used, so two such headers do not share a guard.
    EXPECT_EQ(headerGuardName("main_str.h"), "__MAIN_STR_H__");
    EXPECT_EQ(headerGuardName("/sdk/my-app v2.h"), "__MY_APP_V2_H__");
}

TEST(HeaderFrame, OpenerAndCloserFrameTheHeader)
{
    const std::string opener = headerOpener("/sdk/inc/main_pic.h");
    const std::size_t firstLineEnd = opener.find('\n');
    const std::string comment = opener.substr(0, firstLineEnd);
    EXPECT_EQ(comment.rfind("/*", 0), 0u);
    EXPECT_EQ(comment.substr(comment.size() - 2), "*/");
    EXPECT_NE(comment.find("SkinSmith"), std::string::npos);
    EXPECT_EQ(opener.substr(firstLineEnd + 1),
              "#ifndef __MAIN_PIC_H__\n#define __MAIN_PIC_H__\n\n");
    EXPECT_EQ(headerCloser("/sdk/inc/main_pic.h"), "\n#endif /* #ifndef __MAIN_PIC_H__ */\n");
}

TEST(MacroName, PictureNamesComeFromTheFileStem)
{
    EXPECT_EQ(pictureMacroName("d:\\res\\9patch.png"), "_PATCH");
    EXPECT_EQ(pictureMacroName("/res/icon.big.png"), "ICON_BIG");
    EXPECT_EQ(pictureMacroName("/res/noext"), "NOEXT");
    EXPECT_EQ(pictureMacroName("/res/.png"), "");
    EXPECT_EQ(pictureMacroName("/res/my pic-1.bmp"), "MY_PIC_1");
    EXPECT_EQ(pictureMacroName("/res/abcdefghijklmnopqrstuvwxyz0123456789.png"),
              "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345");
    // The cut never splits a UTF-8 character: 31 letters, then a three-byte one.
    EXPECT_EQ(pictureMacroName(std::string(31, 'a') + "\xE5\x9B\xBE.png"), std::string(31, 'A'));
}

TEST(MacroName, OtherNamesAreUpperCasedIdentifiers)
{
    EXPECT_EQ(nameMacroName("ok_btn"), "OK_BTN");
    EXPECT_EQ(nameMacroName("1st"), "_1ST");
    EXPECT_EQ(nameMacroName("a-b c"), "A_B_C");
    EXPECT_EQ(nameMacroName(""), "");
}

TEST(IdentifierHeader, NumbersStartAtTheBaseAndStayDense)
{
    EXPECT_EQ(identifierBase(0), 10000);
    EXPECT_EQ(identifierBase(1), 0);
    EXPECT_EQ(identifierBase(-3), 0);

    const std::string text = pictureIdentifierHeaderText(
        "/inc/app_pic.h", {"/p/bg.png", "/p/.png", "/p/9x.bmp"}, identifierBase(0));
    const std::string body = text.substr(headerOpener("/inc/app_pic.h").size());
    EXPECT_EQ(body, "#define  BG    10001\n"
                    "#define  PIC_10002    10002\n"
                    "#define  _X    10003\n"
                    "\n#endif /* #ifndef __APP_PIC_H__ */\n");

    const std::string strings = stringIdentifierHeaderText("/inc/app_str.h", {"ok", "2nd"}, 0);
    EXPECT_NE(strings.find("\n#define  OK    1\n#define  _2ND    2\n"), std::string::npos);
}

TEST(IdentifierHeader, WrittenWithCrLfOverAReadOnlyFileAndCompiles)
{
    platform::TemporaryDirectory dir;
    const std::string path = dir.filePath("sdk/inc/app_pic.h");
    ASSERT_TRUE(writeIdentifierHeader(path, "old\n"));
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);

    const std::string text = pictureIdentifierHeaderText(
        path, {"/p/bg.png", "/p/9patch.png", "/p/ok button.png"}, identifierBase(1));
    ASSERT_TRUE(writeIdentifierHeader(path, text));
    const auto written = platform::readFile(path);
    ASSERT_TRUE(written);
    EXPECT_NE(written->find("#define  _PATCH    2\r\n"), std::string::npos);
    EXPECT_EQ(written->find("\n\n"), std::string::npos) << "every line ends in CR LF";

    if (!cCompilerAvailable()) {
        GTEST_SKIP() << "no C compiler";
    }
    EXPECT_EQ(compileHeaderErrors(path, {"BG", "_PATCH", "OK_BUTTON"}), "");
}

TEST(IdentifierHeader, UnwritablePathIsReported)
{
    platform::TemporaryDirectory dir;
    const std::string blocker = dir.filePath("file");
    ASSERT_TRUE(platform::writeFileAtomically(blocker, "x"));
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);

    const std::string path = blocker + "/inc/app_str.h";
    EXPECT_FALSE(writeIdentifierHeader(path, "text"));
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"无法打开文件：" + path});
}
