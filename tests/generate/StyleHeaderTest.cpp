#include "CCompiler.h"

#include "generate/HeaderFrame.h"
#include "generate/StyleHeader.h"
#include "model/NameHash.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace generate;

namespace {

std::string define(const std::string& name)
{
    char value[16];
    std::snprintf(value, sizeof value, "0x%x", static_cast<unsigned>(NameHash(name)));
    return "#define  " + name + "    " + value + "\r\n";
}

std::string body(const std::string& path)
{
    const auto text = platform::readFile(path);
    return text ? *text : std::string("<unreadable>");
}

} // namespace

TEST(StyleHeader, DefineLinesAreRecognised)
{
    const auto spaced = parseDefineLine("  #define  MAIN    0x4d  \r");
    ASSERT_TRUE(spaced);
    EXPECT_EQ(spaced->name, "MAIN");
    EXPECT_EQ(spaced->value, "0x4d");
    const auto tabbed = parseDefineLine("#define\tNAME\t0x1 /* old */");
    ASSERT_TRUE(tabbed);
    EXPECT_EQ(tabbed->name, "NAME");

    EXPECT_FALSE(parseDefineLine("#define __APP_STY_H__"));
    EXPECT_FALSE(parseDefineLine("#ifndef __APP_STY_H__"));
    EXPECT_FALSE(parseDefineLine("#defineX 1"));
    EXPECT_FALSE(parseDefineLine("// #define X 1"));
}

TEST(StyleHeader, OneLinePerNameIgnoringCaseWithHashesInLowerCaseHex)
{
    const std::string text = styleHeaderText("/inc/app_sty.h", {"Main", "a", "MAIN", "main", ""});
    const std::string lines = text.substr(headerOpener("/inc/app_sty.h").size());
    char mainHash[16];
    std::snprintf(mainHash, sizeof mainHash, "0x%x", static_cast<unsigned>(NameHash("MAIN")));
    EXPECT_EQ(lines, std::string("#define  MAIN    ") + mainHash +
                         "\n#define  A    0x41\n\n#endif /* #ifndef __APP_STY_H__ */\n");
}

TEST(StyleHeader, NamesOfThePreviousHeaderAreKeptWithRecomputedHashes)
{
    platform::TemporaryDirectory dir;
    const std::string path = dir.filePath("inc/app_sty.h");
    ASSERT_TRUE(platform::createDirectories(dir.filePath("inc")));
    ASSERT_TRUE(platform::writeFileAtomically(path, "#ifndef __APP_STY_H__\r\n"
                                                    "#define __APP_STY_H__\r\n"
                                                    "#define  GONE    0xdeadbeef\r\n"
                                                    "#define  MAIN    0x1\r\n"
                                                    "#endif\r\n"));

    ASSERT_TRUE(writeStyleHeader(path, {"Main", "Title"}, true));
    const std::string first = body(path);
    EXPECT_NE(first.find(define("MAIN") + define("TITLE") + define("GONE") + "\r\n#endif"),
              std::string::npos)
        << first;

    // Regenerating keeps the file as it is.
    ASSERT_TRUE(writeStyleHeader(path, {"Main", "Title"}, true));
    EXPECT_EQ(body(path), first);
}

TEST(StyleHeader, HeaderWithAwkwardNamesCompiles)
{
    if (!cCompilerAvailable()) {
        GTEST_SKIP() << "no C compiler";
    }
    platform::TemporaryDirectory dir;
    const std::string path = dir.filePath("my-app_sty.h");
    ASSERT_TRUE(writeStyleHeader(path, {"Scene 1", "1st", "a-b", "Ok", "OK"}, true));
    EXPECT_EQ(compileHeaderErrors(path, {"SCENE_1", "_1ST", "A_B", "OK"}), "");
    // The names read back from such a header stay as they are.
    ASSERT_TRUE(writeStyleHeader(path, {}, true));
    EXPECT_EQ(compileHeaderErrors(path, {"SCENE_1", "_1ST", "A_B", "OK"}), "");
    EXPECT_NE(body(path).find("#define  SCENE_1    "), std::string::npos);
}

TEST(StyleHeader, FailureKeepsTheFileAndIsShownOnlyWithMessages)
{
    platform::TemporaryDirectory dir;
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);

    // A directory where the header should be cannot be read or replaced.
    const std::string blocked = dir.filePath("app_sty.h");
    ASSERT_TRUE(platform::createDirectories(blocked));
    EXPECT_FALSE(writeStyleHeader(blocked, {"Main"}, false));
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_FALSE(writeStyleHeader(blocked, {"Main"}, true));
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"创建文件sty.h失败!"});
    EXPECT_TRUE(platform::isDirectory(blocked));
}
