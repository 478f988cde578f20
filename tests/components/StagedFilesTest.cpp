#include "PackingTestPictures.h"

#include "components/packing/StagedFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using packing::StagedFiles;
using packingtest::readBytes;
using packingtest::TempDir;
using packingtest::writeBytes;

namespace {

// Fails the rename with number `failAt` (1 = the first), as a full disk or a file locked
// by another program would.
class FailingRename : public StagedFiles
{
public:
    explicit FailingRename(int failAt) : m_failAt(failAt) {}

protected:
    void renameFile(const std::string& from, const std::string& to, std::error_code& ec) override
    {
        if (++m_count == m_failAt) {
            ec = std::make_error_code(std::errc::io_error);
            return;
        }
        StagedFiles::renameFile(from, to, ec);
    }

private:
    int m_failAt;
    int m_count = 0;
};

std::set<std::string> namesIn(const std::string& dir)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

using Bytes = std::vector<std::uint8_t>;

class StagedFilesTest : public ::testing::Test
{
protected:
    StagedFilesTest()
    {
        writeBytes(m_dir.file("a"), {'o', 'a'});
        writeBytes(m_dir.file("c"), {'o', 'c'});
        writeBytes(m_dir.file("gone"), {'o', 'g'});
    }

    // New a, b (which does not exist yet) and c, and the removal of "gone".
    bool commit(StagedFiles& files)
    {
        for (const char* name : {"a", "b", "c"}) {
            *files.begin(m_dir.file(name)) << "new " << name;
        }
        files.remove(m_dir.file("gone"));
        files.remove(m_dir.file("never-there"));
        return files.commit();
    }

    TempDir m_dir;
    const std::set<std::string> m_before{"a", "c", "gone"};
};

TEST_F(StagedFilesTest, CommitReplacesAndRemovesEverything)
{
    StagedFiles files;
    ASSERT_TRUE(commit(files)) << files.error();
    EXPECT_EQ((std::set<std::string>{"a", "b", "c"}), namesIn(m_dir.file("")));
    EXPECT_EQ((Bytes{'n', 'e', 'w', ' ', 'b'}), readBytes(m_dir.file("b")));
}

TEST_F(StagedFilesTest, AnyFailedRenameLeavesEveryTargetAsItWas)
{
    // a aside, new a, new b, c aside, new c, gone aside: each of them may fail.
    for (int failAt = 1; failAt <= 6; ++failAt) {
        SCOPED_TRACE(failAt);
        FailingRename files(failAt);
        EXPECT_FALSE(commit(files));
        EXPECT_FALSE(files.error().empty());
        EXPECT_EQ(std::string::npos, files.error().find("could not be restored")) << files.error();
        EXPECT_EQ(m_before, namesIn(m_dir.file("")));
        EXPECT_EQ((Bytes{'o', 'a'}), readBytes(m_dir.file("a")));
        EXPECT_EQ((Bytes{'o', 'c'}), readBytes(m_dir.file("c")));
        EXPECT_EQ((Bytes{'o', 'g'}), readBytes(m_dir.file("gone")));
    }
}

TEST_F(StagedFilesTest, AFolderInPlaceOfATargetIsNotReplaced)
{
    std::filesystem::create_directory(m_dir.file("b"));
    StagedFiles files;
    EXPECT_FALSE(commit(files));
    EXPECT_NE(std::string::npos, files.error().find("folder")) << files.error();
    EXPECT_TRUE(std::filesystem::is_directory(m_dir.file("b")));
    EXPECT_EQ((Bytes{'o', 'a'}), readBytes(m_dir.file("a")));
    EXPECT_EQ((std::set<std::string>{"a", "b", "c", "gone"}), namesIn(m_dir.file("")));
}

} // namespace
