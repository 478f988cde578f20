// Runs the built skinsmith-cli edit on a copy of the example project with small scripts.

#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

class SkinsmithCliEdit : public ::testing::Test
{
protected:
    SkinsmithCliEdit()
    {
        fs::copy(std::string(SKINSMITH_SOURCE_DIR) + "/examples/demo", m_dir.filePath("demo"),
                 fs::copy_options::recursive);
        m_original = Read("demo/demo.ui");
    }

    // Writes `script` as "edit.txt" and runs skinsmith-cli edit with `extra` arguments;
    // keeps standard error. Returns the exit status.
    int Edit(const std::string& script, const std::vector<std::string>& extra = {})
    {
        EXPECT_TRUE(platform::writeFileAtomically(m_dir.filePath("edit.txt"), script));
        std::string command = "'" + std::string(SKINSMITH_BIN_DIR) + "/skinsmith-cli' edit '" +
                              m_dir.filePath("demo/demo.ui") + "' '" + m_dir.filePath("edit.txt") +
                              "'";
        for (const std::string& a : extra) {
            command += " '" + a + "'";
        }
        const std::string err = m_dir.filePath("stderr.txt");
        const int status = std::system((command + " >/dev/null 2>'" + err + "'").c_str());
        m_stderr = Read("stderr.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Read(const std::string& name) const
    {
        return platform::readFile(m_dir.filePath(name)).value_or("<missing>");
    }
    std::string Path(const std::string& name) const { return m_dir.filePath(name); }

    platform::TemporaryDirectory m_dir{"cli-edit"};
    std::string m_original;
    std::string m_stderr;
};

} // namespace

TEST_F(SkinsmithCliEdit, EditsThroughGridTreeAndCommandsAndSavesToOut)
{
    const std::string script = "\xEF\xBB\xBF# a comment\r\n"
                               "\r\n"
                               "select MainScene/StatusBar/AppTitle\r\n"
                               "set Font Height 20\n"
                               "set Name 标题\n"
                               "drag MainScene/StatusBar/AlarmIcon MainScene/StatusBar\n"
                               "select MainScene/MainBg\n"
                               "command 32795\n"
                               "command 32822\n"
                               "expect-message 重新排列完成！保存之后，你必须重新编译应用程序\n";
    ASSERT_EQ(Edit(script, {"-o", Path("out.ui")}), 0) << m_stderr;
    EXPECT_NE(m_stderr.find("message: 重新排列完成！"), std::string::npos);
    EXPECT_EQ(Read("demo/demo.ui"), m_original);

    const std::string out = Read("out.ui");
    EXPECT_NE(out.find("value=\"标题\""), std::string::npos);
    EXPECT_EQ(out.find("\"AppTitle\""), std::string::npos);
    EXPECT_EQ(out.find("\"MainBg\""), std::string::npos);
    // Dropped on its own parent, the element is copied under a new name.
    EXPECT_NE(out.find("value=\"CopyofAlarmIcon_id47\""), std::string::npos);
    EXPECT_NE(out.find("value=\"AlarmIcon\""), std::string::npos);
}

TEST_F(SkinsmithCliEdit, UndoneEditsSaveTheOriginalBytesInPlace)
{
    const std::string script = "select MainScene/StatusBar/AppTitle\n"
                               "set x 7\n"
                               "select SettingsScene/MenuList\n"
                               "command 32791\n"
                               "command 32795\n"
                               "undo\n"
                               "undo\n"
                               "save\n";
    ASSERT_EQ(Edit(script), 0) << m_stderr;
    // The move is not recorded, so the file keeps it; the grid edit and delete are undone.
    const std::string saved = Read("demo/demo.ui");
    EXPECT_NE(saved, m_original);
    EXPECT_LT(saved.find("\"TipsMarquee\""), saved.find("\"MenuList\""));

    ASSERT_EQ(Edit("select MainScene/StatusBar/AppTitle\nset x 9\nundo\nsave copy.ui\n"), 0)
        << m_stderr;
    EXPECT_EQ(Read("copy.ui"), saved);
}

TEST_F(SkinsmithCliEdit, FirstFailingLineStopsWithoutWriting)
{
    EXPECT_EQ(Edit("select MainScene\nselect MainScene/NoSuchNode\nsave\n"), 1);
    EXPECT_NE(m_stderr.find("edit.txt:2: no node 'MainScene/NoSuchNode'"), std::string::npos)
        << m_stderr;

    EXPECT_EQ(Edit("select MainScene/StatusBar/AppTitle\nset Font Height 20\nset Nothing 1\n",
                   {"-o", Path("out.ui")}),
              1);
    EXPECT_NE(m_stderr.find("edit.txt:3: "), std::string::npos) << m_stderr;
    EXPECT_FALSE(fs::exists(Path("out.ui")));

    // Nothing to undo: the command is disabled.
    EXPECT_EQ(Edit("undo\n"), 1);
    EXPECT_NE(m_stderr.find("edit.txt:1: command 32774 is disabled"), std::string::npos);

    EXPECT_EQ(Edit("command 32822\nexpect-message something else\n"), 1);
    EXPECT_NE(m_stderr.find("edit.txt:2: the message was"), std::string::npos);
    EXPECT_EQ(Edit("expect-message anything\n"), 1);
    EXPECT_EQ(Edit("frobnicate\n"), 1);
    EXPECT_EQ(Read("demo/demo.ui"), m_original);
}

TEST_F(SkinsmithCliEdit, ArrangeLinesActOnTheSelection)
{
    const std::string script = "select MainScene/SoftKeys/KeyMenu\n"
                               "select-add MainScene/SoftKeys/KeyBack\n"
                               "align left\n"
                               "same size\n"
                               "save out.ui\n"
                               "undo\n"
                               "save copy.ui\n";
    ASSERT_EQ(Edit(script), 0) << m_stderr;
    // KeyBack (x 0xd4) takes the key element KeyMenu's left edge (x 8).
    const std::string out = Read("out.ui");
    const std::size_t back = out.find("value=\"KeyBack\"");
    ASSERT_NE(back, std::string::npos);
    const std::string left = "name=\"x\" value=\"0x0008\"";
    EXPECT_EQ(out.compare(out.find("name=\"x\"", back), left.size(), left), 0)
        << out.substr(back, 200);
    EXPECT_EQ(Read("copy.ui"), m_original);

    // Two elements cannot be distributed; one aligns to the screen.
    EXPECT_EQ(Edit("select MainScene/SoftKeys/KeyMenu\nselect-add MainScene/SoftKeys/KeyBack\n"
                   "distribute horizontal\n"),
              1);
    EXPECT_NE(m_stderr.find("edit.txt:3: distribute horizontal does not apply to the selection"),
              std::string::npos)
        << m_stderr;
    ASSERT_EQ(Edit("select MainScene/SoftKeys/KeyBack\nselect-add MainScene/SoftKeys/KeyMenu\n"
                   "select-clear\nalign right\nsave out.ui\n"),
              0)
        << m_stderr;
    const std::string alone = Read("out.ui");
    const std::size_t key = alone.find("value=\"KeyBack\"");
    // Alone, it aligns to the screen: 320 - 100.
    const std::string right = "name=\"x\" value=\"0x00dc\"";
    EXPECT_EQ(alone.compare(alone.find("name=\"x\"", key), right.size(), right), 0)
        << alone.substr(key, 200);
    EXPECT_EQ(Edit("align middle\n"), 1);
}

TEST_F(SkinsmithCliEdit, QuestionsTakeQueuedAnswers)
{
    // Allowing editing of a locked group asks first; "no" leaves it locked.
    const std::string script = "select MainScene/StatusBar\n"
                               "command 1133\n"
                               "answer no\n"
                               "command 1133\n"
                               "save\n";
    ASSERT_EQ(Edit(script), 0) << m_stderr;
    EXPECT_NE(m_stderr.find("question: 允许编辑会打乱资源组的整体性，确定继续？ -> no"),
              std::string::npos)
        << m_stderr;
}

TEST_F(SkinsmithCliEdit, UsageErrors)
{
    EXPECT_EQ(Edit("", {"-x"}), 2);
    EXPECT_EQ(Edit("", {"-o"}), 2);
    EXPECT_EQ(Edit("", {"extra"}), 2);
}

TEST_F(SkinsmithCliEdit, MovingAFrameReordersTheSavedLayerAndUndoRestoresIt)
{
    const std::string icon = "WeatherScene/Forecast/Today/TodayIcon/";
    const auto layerOrder = [](const std::string& file) {
        const std::size_t sunny = file.find("ic_sunny.png");
        const std::size_t cloudy = file.find("ic_cloudy.png", file.find("\"TodayIcon\""));
        return sunny < cloudy;
    };
    ASSERT_TRUE(layerOrder(m_original));
    // The first frame cannot move up, the last cannot move down: nothing happens then.
    const std::string script = "select " + icon + "Frame00\n" + "command 32815\n" + "select " +
                               icon + "Frame02\n" + "command 32816\n" + "save unmoved.ui\n" +
                               "select " + icon + "Frame00\n" + "command 32816\n" +
                               "save moved.ui\n" + "undo\n" + "save undone.ui\n" + "redo\n" +
                               "save redone.ui\n";
    ASSERT_EQ(Edit(script), 0) << m_stderr;
    const std::string moved = Read("moved.ui");
    EXPECT_FALSE(layerOrder(moved));
    EXPECT_LT(moved.find("ic_cloudy.png", moved.find("\"TodayIcon\"")), moved.find("ic_sunny.png"));
    EXPECT_EQ(Read("undone.ui"), Read("unmoved.ui"));
    EXPECT_EQ(Read("redone.ui"), moved);

    // A frame of a region in a locked group does not move.
    ASSERT_EQ(Edit("select MainScene/ClockPanel/SunAnim/Frame00\ncommand 32816\n"), 1);
    EXPECT_NE(m_stderr.find("command 32816 is disabled"), std::string::npos) << m_stderr;
}

TEST_F(SkinsmithCliEdit, SearchGoesOnFromTheLastFindAndStartsAgainAfterAMiss)
{
    // A found node is shown in the grid; a miss is reported and the next search starts
    // from the first scene again; a repeated search goes on to the next sibling.
    const std::string script = "search TodayI\n"
                               "set x 6\n"
                               "search Nowhere\n"
                               "expect-message Cannot find \"Nowhere\"\n"
                               "search Scene\n"
                               "search Scene\n"
                               "set Name Found2\n"
                               "save out.ui\n";
    ASSERT_EQ(Edit(script), 0) << m_stderr;
    const std::string out = Read("out.ui");
    EXPECT_NE(out.find("value=\"Found2\""), std::string::npos);
    EXPECT_EQ(out.find("value=\"WeatherScene\""), std::string::npos);
    EXPECT_NE(m_stderr.find("message: Cannot find \"Nowhere\""), std::string::npos);
}

TEST_F(SkinsmithCliEdit, SurfaceGesturesAreStepsOfTheUndoHistory)
{
    // KeyMenu is 100 x 20 at (8, 10) in SoftKeys; MainBg is a picture.
    const std::string script = "move MainScene/SoftKeys/KeyMenu 12 -4\n"
                               "nudge 1 0\n"
                               "resize MainScene/SoftKeys/KeyMenu 120 24\n"
                               "undo\n"
                               "save\n";
    ASSERT_EQ(Edit(script), 0) << m_stderr;
    const std::string saved = Read("demo/demo.ui");
    const std::string menu = saved.substr(saved.find("value=\"KeyMenu\""), 400);
    EXPECT_NE(menu.find("name=\"x\" value=\"0x0015\""), std::string::npos) << menu;
    EXPECT_NE(menu.find("name=\"y\" value=\"0x0006\""), std::string::npos) << menu;
    EXPECT_NE(menu.find("name=\"width\" value=\"0x0064\""), std::string::npos) << menu;

    // A picture keeps the size of its file; a gesture on nothing says so.
    EXPECT_EQ(Edit("resize MainScene/MainBg 10 10\n"), 1);
    EXPECT_NE(m_stderr.find("cannot be resized"), std::string::npos) << m_stderr;
    EXPECT_EQ(Edit("move MainScene/NoSuch 1 1\n"), 1);
    EXPECT_NE(m_stderr.find("no element"), std::string::npos) << m_stderr;
}
