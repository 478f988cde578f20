#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace platform;

TEST(FileSystem, ExistenceSizeAndContent)
{
    TemporaryDirectory dir;
    const std::string file = dir.filePath("a.bin");
    const std::string bytes("\0\x01\xFFzz", 5);
    ASSERT_TRUE(writeFileAtomically(file, bytes));

    EXPECT_TRUE(pathExists(file));
    EXPECT_TRUE(isFile(file));
    EXPECT_FALSE(isDirectory(file));
    EXPECT_TRUE(isDirectory(dir.path()));
    EXPECT_FALSE(isFile(dir.path()));
    EXPECT_EQ(fileSize(file), std::optional<std::uint64_t>(5));
    EXPECT_EQ(readFile(file), std::optional<std::string>(bytes));

    std::error_code error;
    EXPECT_FALSE(readFile(dir.filePath("none"), &error));
    EXPECT_EQ(error, std::errc::no_such_file_or_directory);
    EXPECT_FALSE(readFile(dir.path(), &error));
    EXPECT_EQ(error, std::errc::is_a_directory);
    EXPECT_FALSE(fileSize(dir.path()));
    EXPECT_FALSE(pathExists(dir.filePath("none")));
}

TEST(FileSystem, PreparingAnOutputPathCreatesDirectoriesAndClearsReadOnly)
{
    TemporaryDirectory dir;
    const std::string output = dir.filePath("case/res/pic/app.res");
    ASSERT_TRUE(prepareOutputFile(output));
    EXPECT_TRUE(isDirectory(dir.filePath("case/res/pic")));

    ASSERT_TRUE(writeFileAtomically(output, "x"));
    ASSERT_EQ(::chmod(output.c_str(), 0444), 0);
    ASSERT_TRUE(prepareOutputFile(output));
    struct stat info
    {
    };
    ::stat(output.c_str(), &info);
    EXPECT_TRUE(info.st_mode & S_IWUSR);

    // A file where a directory has to go cannot be prepared.
    EXPECT_FALSE(prepareOutputFile(output + "/inner/x.h"));
    EXPECT_FALSE(createDirectories(output));
    EXPECT_FALSE(clearReadOnly(dir.filePath("none")));
}

TEST(FileSystem, CopyAndDeleteReportOnlyThroughTheirResult)
{
    TemporaryDirectory dir;
    const std::string source = dir.filePath("src.png");
    const std::string copy = dir.filePath("copy.png");
    ASSERT_TRUE(writeFileAtomically(source, std::string(200000, 'p')));
    ASSERT_TRUE(writeFileAtomically(copy, "old"));

    EXPECT_TRUE(copyFile(source, copy));
    EXPECT_EQ(readFile(copy), readFile(source));
    EXPECT_FALSE(copyFile(dir.filePath("none.png"), copy));
    EXPECT_FALSE(copyFile(dir.path(), dir.filePath("x")));
    EXPECT_FALSE(copyFile(source, dir.filePath("none/x.png")));
    EXPECT_EQ(readFile(copy), readFile(source));

    EXPECT_TRUE(removeFile(copy));
    EXPECT_FALSE(removeFile(copy));
    EXPECT_FALSE(removeFile(dir.path()));
    EXPECT_TRUE(isDirectory(dir.path()));
}

TEST(FileSystem, TemporaryFilePathsAreUniqueAndReserved)
{
    const std::string first = uniqueTemporaryFilePath("xls2txt", ".csv");
    const std::string second = uniqueTemporaryFilePath("xls2txt", ".csv");
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);
    EXPECT_TRUE(isFile(first));
    EXPECT_EQ(first.substr(first.size() - 4), ".csv");
    EXPECT_TRUE(removeFile(first));
    EXPECT_TRUE(removeFile(second));
}
