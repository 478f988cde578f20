#include "platform/Path.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

using namespace platform;

namespace {

void touch(const std::string& path)
{
    std::ofstream(path) << "x";
}

} // namespace

TEST(Path, CanonicalRemovesDotStepsAndAcceptsBothSeparators)
{
    EXPECT_EQ(canonicalPath("/case\\pic/./a\\..\\b.png"), "/case/pic/b.png");
    EXPECT_EQ(canonicalPath("//case//pic///"), "/case/pic");
    EXPECT_EQ(canonicalPath("/../../x"), "/x");
    EXPECT_EQ(canonicalPath("/"), "/");
    EXPECT_EQ(canonicalPath("..\\..\\a\\b\\..\\c"), "../../a/c");
    EXPECT_EQ(canonicalPath("a/../.."), "..");
    EXPECT_EQ(canonicalPath("a\\.."), ".");
    EXPECT_EQ(canonicalPath(".\\pic\\a.png"), "pic/a.png");
    EXPECT_EQ(canonicalPath("C:\\case\\..\\ui\\a.ui"), "C:/ui/a.ui");
    EXPECT_EQ(canonicalPath(""), "");
}

TEST(Path, AbsoluteAndJoin)
{
    EXPECT_TRUE(isAbsolutePath("/a"));
    EXPECT_TRUE(isAbsolutePath("\\a"));
    EXPECT_TRUE(isAbsolutePath("D:\\case"));
    EXPECT_FALSE(isAbsolutePath(".\\a.png"));
    EXPECT_FALSE(isAbsolutePath("c:name"));
    EXPECT_FALSE(isAbsolutePath(""));

    EXPECT_EQ(joinPath("/case", "pic/a.png"), "/case/pic/a.png");
    EXPECT_EQ(joinPath("/case/", "a.png"), "/case/a.png");
    EXPECT_EQ(joinPath("/case\\", "a.png"), "/case\\a.png");
    EXPECT_EQ(joinPath("/case", "/other/a.png"), "/other/a.png");
    EXPECT_EQ(joinPath("", "a.png"), "a.png");
}

TEST(Path, PiecesOfAPath)
{
    EXPECT_EQ(directoryOf("/case/pic/a.png"), "/case/pic");
    EXPECT_EQ(directoryOf("..\\pic\\a.png"), "..\\pic");
    EXPECT_EQ(directoryOf("/a.png"), "/");
    EXPECT_EQ(directoryOf("C:\\a.png"), "C:\\");
    EXPECT_EQ(directoryOf("a.png"), "");

    EXPECT_EQ(fileNameOf("/case/pic\\Bg.Main.PNG"), "Bg.Main.PNG");
    EXPECT_EQ(extensionOf("/case/pic\\Bg.Main.PNG"), ".PNG");
    EXPECT_EQ(fileStemOf("/case/pic\\Bg.Main.PNG"), "Bg.Main");
    EXPECT_EQ(extensionOf("/case.d/readme"), "");
    EXPECT_EQ(fileStemOf("/case.d/readme"), "readme");
}

TEST(Path, StoredFormRelativeToADirectory)
{
    EXPECT_EQ(relativeStoredPath("/work/case", "/work/case/a.png"), ".\\a.png");
    EXPECT_EQ(relativeStoredPath("/work/case/", "/work/case/pic/a.png"), ".\\pic\\a.png");
    EXPECT_EQ(relativeStoredPath("/work/case/ui", "/work/res/pic/a.png"),
              "..\\..\\res\\pic\\a.png");
    EXPECT_EQ(relativeStoredPath("\\work\\case", "/work/case/x/../a.png"), ".\\a.png");
    EXPECT_EQ(relativeStoredPath("/work/case", "/work/case"), ".");
    EXPECT_EQ(relativeStoredPath("/work/case/a/b", "/work/case"), "..\\..");
    // Sibling names that share a prefix are not a common directory.
    EXPECT_EQ(relativeStoredPath("/work/case", "/work/case2/a.png"), "..\\case2\\a.png");

    // Already relative, or no relative path possible: returned as given.
    EXPECT_EQ(relativeStoredPath("/work/case", ".\\pic\\a.png"), ".\\pic\\a.png");
    EXPECT_EQ(relativeStoredPath("C:\\case", "D:\\pic\\a.png"), "D:\\pic\\a.png");
    EXPECT_EQ(relativeStoredPath("case", "/work/a.png"), "/work/a.png");
}

TEST(Path, StoredAndNativeSeparators)
{
    EXPECT_EQ(storedToNative(".\\pic\\a.png"), "./pic/a.png");
    EXPECT_EQ(nativeToStored("../pic/a.png"), "..\\pic\\a.png");
    EXPECT_EQ(storedToNative(nativeToStored("a/b/c")), "a/b/c");
}

TEST(Path, StoredPathRoundTripsThroughResolve)
{
    const std::string caseDir = "/work/sdk/case";
    for (const std::string target :
         {"/work/sdk/case/pic/bg.png", "/work/sdk/res/a.bmp", "/work/other/x/y/z.jpg"}) {
        const std::string stored = relativeStoredPath(caseDir, target);
        EXPECT_EQ(resolveStoredPath(caseDir, stored), target) << stored;
    }
    EXPECT_EQ(resolveStoredPath(caseDir, "/abs/a.png"), "/abs/a.png");
    EXPECT_EQ(resolveStoredPath(caseDir, ""), "");
}

TEST(Path, CaseInsensitiveFallbackOnDisk)
{
    TemporaryDirectory dir("pathtest");
    ASSERT_TRUE(dir.isValid());
    ASSERT_EQ(::mkdir(dir.filePath("Pics").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(dir.filePath("Pics/Sub").c_str(), 0755), 0);
    touch(dir.filePath("Pics/Sub/Bg_Main.PNG"));
    touch(dir.filePath("exact.png"));
    touch(dir.filePath("exact.PNG"));

    // Lower-cased stored paths find the files as they are named on disk.
    EXPECT_EQ(resolveStoredPath(dir.path(), ".\\pics\\sub\\bg_main.png"),
              dir.path() + "/Pics/Sub/Bg_Main.PNG");
    EXPECT_EQ(matchCaseOnDisk(dir.path() + "/PICS/SUB/../sub/BG_MAIN.png"),
              dir.path() + "/Pics/Sub/Bg_Main.PNG");
    // An exact match wins over a case-insensitive one.
    EXPECT_EQ(matchCaseOnDisk(dir.path() + "/exact.PNG"), dir.path() + "/exact.PNG");
    // When several names match, the choice is stable: the smallest name.
    EXPECT_EQ(matchCaseOnDisk(dir.path() + "/EXACT.png"), dir.path() + "/exact.PNG");
    // Nothing matches (at the end or midway): the exact, canonical path comes back.
    EXPECT_EQ(matchCaseOnDisk(dir.path() + "/pics/sub/missing.png"),
              dir.path() + "/pics/sub/missing.png");
    EXPECT_EQ(matchCaseOnDisk(dir.path() + "\\nodir\\sub\\bg_main.png"),
              dir.path() + "/nodir/sub/bg_main.png");
}

TEST(Path, TemporaryDirectoryIsRemovedWithItsContentsButNotThroughLinks)
{
    TemporaryDirectory outside;
    touch(outside.filePath("keep.txt"));
    std::string path;
    {
        TemporaryDirectory dir;
        ASSERT_TRUE(dir.isValid());
        path = dir.path();
        ASSERT_EQ(::mkdir(dir.filePath("a").c_str(), 0755), 0);
        touch(dir.filePath("a/b.txt"));
        ASSERT_EQ(::symlink(outside.path().c_str(), dir.filePath("a/link").c_str()), 0);
    }
    struct stat info;
    EXPECT_NE(::lstat(path.c_str(), &info), 0);
    EXPECT_EQ(::lstat(outside.filePath("keep.txt").c_str(), &info), 0);
}
