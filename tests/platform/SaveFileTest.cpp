#include "platform/FileSystem.h"
#include "platform/SaveFile.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

// Names in `directory`, so that tests see stray temporary files.
std::vector<std::string> entries(const std::string& directory)
{
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(directory.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

mode_t modeOf(const std::string& path)
{
    struct stat info
    {
    };
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// Lowers the file size limit for its lifetime, so that writes fail part way (EFBIG) even for
// root, who passes every permission check.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_saved;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousHandler);
    }

private:
    rlimit m_saved{};
    void (*m_previousHandler)(int) = nullptr;
};

} // namespace

TEST(SaveFile, ReplacesTheTargetAndLeavesNoTemporaryFile)
{
    TemporaryDirectory dir;
    const std::string target = dir.filePath("project.ui");
    ASSERT_TRUE(writeFileAtomically(target, "old"));
    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);

    // A read-only target is overwritten and keeps its permissions, with owner write added.
    SaveFile file(target);
    ASSERT_TRUE(file.open());
    std::fputs("<root/>", file.stream());
    EXPECT_TRUE(file.write("\n"));
    EXPECT_EQ(readFile(target), std::optional<std::string>("old"));
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(readFile(target), std::optional<std::string>("<root/>\n"));
    EXPECT_EQ(modeOf(target), 0644u);
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"project.ui"});
}

TEST(SaveFile, FailureMidWriteKeepsTheOldFile)
{
    TemporaryDirectory dir;
    const std::string target = dir.filePath("SkinSmith.ini");
    ASSERT_TRUE(writeFileAtomically(target, "[CONFIG]\nRES_FORMAT=7\n"));

    std::error_code error;
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(writeFileAtomically(target, std::string(100000, 'x'), &error));
    }
    EXPECT_EQ(error, std::errc::file_too_large);
    EXPECT_EQ(readFile(target), std::optional<std::string>("[CONFIG]\nRES_FORMAT=7\n"));
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"SkinSmith.ini"});
}

TEST(SaveFile, UnwritablePlacesFailHonestly)
{
    TemporaryDirectory dir;
    const std::string plainFile = dir.filePath("file");
    ASSERT_TRUE(writeFileAtomically(plainFile, "keep"));
    std::error_code error;

    EXPECT_FALSE(writeFileAtomically(dir.filePath("missing/out.res"), "x", &error));
    EXPECT_EQ(error, std::errc::no_such_file_or_directory);
    EXPECT_FALSE(writeFileAtomically(plainFile + "/out.res", "x", &error));
    EXPECT_EQ(error, std::errc::not_a_directory);

    // The rename fails on a directory in the way: it stays, and no temporary file is left.
    ASSERT_TRUE(createDirectories(dir.filePath("taken")));
    EXPECT_FALSE(writeFileAtomically(dir.filePath("taken"), "x", &error));
    EXPECT_TRUE(isDirectory(dir.filePath("taken")));
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"file", "taken"}));
    EXPECT_EQ(readFile(plainFile), std::optional<std::string>("keep"));
}

TEST(SaveFile, DiscardedOrUncommittedWritesChangeNothing)
{
    TemporaryDirectory dir;
    const std::string target = dir.filePath("a.sty");
    ASSERT_TRUE(writeFileAtomically(target, "old"));
    {
        SaveFile file(target);
        ASSERT_TRUE(file.open());
        file.write("new");
    }
    SaveFile discarded(target);
    ASSERT_TRUE(discarded.open());
    discarded.write("new");
    discarded.discard();
    EXPECT_FALSE(discarded.commit());
    EXPECT_EQ(readFile(target), std::optional<std::string>("old"));
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"a.sty"});
}

TEST(SaveFile, WritingThroughASymbolicLinkKeepsTheLink)
{
    TemporaryDirectory dir;
    ASSERT_TRUE(writeFileAtomically(dir.filePath("real.ini"), "old"));
    ASSERT_EQ(::symlink("real.ini", dir.filePath("link.ini").c_str()), 0);
    ASSERT_TRUE(writeFileAtomically(dir.filePath("link.ini"), "new"));
    struct stat info
    {
    };
    ASSERT_EQ(::lstat(dir.filePath("link.ini").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(readFile(dir.filePath("real.ini")), std::optional<std::string>("new"));
}
